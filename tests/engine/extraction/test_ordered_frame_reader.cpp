// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/errors.hpp"
#include "extraction/ordered_frame_reader.hpp"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <limits>
#include <random>
#include <set>
#include <thread>

using namespace kalvor;

namespace {

// A 1x1 frame whose red byte tells its number.
RgbImage numbered(int n)
{
    RgbImage img(1, 1);
    img.pixels[0] = static_cast<std::uint8_t>(n);
    return img;
}

// Reads that take uneven times, so that the threads finish out of order.
RgbImage slowNumbered(int n)
{
    std::this_thread::sleep_for(std::chrono::microseconds((n * 7919) % 5 * 300));
    return numbered(n);
}

// A 4x1 frame whose bytes hold the whole frame number.
RgbImage wideNumbered(int n)
{
    RgbImage img(4, 1);
    std::memcpy(img.pixels.data(), &n, sizeof n);
    return img;
}

int frameNumberOf(const RgbImage &img)
{
    int n = 0;
    std::memcpy(&n, img.pixels.data(), sizeof n);
    return n;
}

} // namespace

TEST(OrderedFrameReader, HandsFramesOverInOrder)
{
    struct Case
    {
        int first, last, threads, ahead;
    };
    const Case cases[]
        = {{0, 0, 2, 4}, {5, 6, 2, 4}, {0, 40, 2, 4}, {3, 30, 1, 1}, {0, 40, 3, 2}, {10, 12, 8, 4}, {0, 25, 2, 1}};
    for (const Case c : cases) {
        OrderedFrameReader reader(slowNumbered, {c.first, c.last}, c.threads, c.ahead);
        for (int n = c.first; n <= c.last; ++n)
            ASSERT_EQ(reader.next().pixels[0], n) << c.first << ".." << c.last << " threads " << c.threads;
        EXPECT_THROW(reader.next(), std::out_of_range);
    }
}

TEST(OrderedFrameReader, EachFrameIsReadOnceAndNeverFarAhead)
{
    std::mutex m;
    std::multiset<int> read;
    std::atomic<int> given {0};
    std::atomic<int> furthestAhead {0};
    {
        OrderedFrameReader reader(
            [&](int n) {
                int ahead = n - given.load();
                int seen = furthestAhead.load();
                while (ahead > seen && !furthestAhead.compare_exchange_weak(seen, ahead)) { }
                const std::lock_guard lock(m);
                read.insert(n);
                return numbered(n);
            },
            {0, 60}, 2, 3);
        for (int n = 0; n <= 60; ++n) {
            EXPECT_EQ(reader.next().pixels[0], n);
            given = n + 1;
            if (n % 10 == 0)
                std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    }
    EXPECT_EQ(read.size(), 61u);
    for (int n = 0; n <= 60; ++n)
        EXPECT_EQ(read.count(n), 1u) << n;
    // Frame n is read only once frame n - 3 has been handed over (the count of
    // frames handed over is updated just after next() returns: one more of slack).
    EXPECT_LE(furthestAhead.load(), 3);
}

TEST(OrderedFrameReader, AFailureComesWithItsFrameNotBefore)
{
    OrderedFrameReader reader(
        [](int n) {
            if (n == 7)
                throw FileError("Impossibile aprire il file \"7.png\".");
            return slowNumbered(n);
        },
        {3, 12});
    for (int n = 3; n < 7; ++n)
        EXPECT_EQ(reader.next().pixels[0], n);
    try {
        reader.next();
        ADD_FAILURE() << "frame 7 should fail";
    } catch (const FileError &e) {
        EXPECT_STREQ(e.what(), "Impossibile aprire il file \"7.png\".");
    }
    // The frames after a failed one are still there for a caller that goes on.
    EXPECT_EQ(reader.next().pixels[0], 8);
}

TEST(OrderedFrameReader, StoppingEarlyEndsTheThreads)
{
    std::atomic<int> reads {0};
    for (int trial = 0; trial < 20; ++trial) {
        OrderedFrameReader reader(
            [&](int n) {
                ++reads;
                return slowNumbered(n);
            },
            {0, 1000}, 2, 4);
        EXPECT_EQ(reader.next().pixels[0], 0);
    } // the destructor must return without reading the whole range
    EXPECT_LT(reads.load(), 20 * 10);
}

TEST(OrderedFrameReader, EmptyRangeStartsNoThread)
{
    std::atomic<int> reads {0};
    {
        OrderedFrameReader reader(
            [&](int n) {
                ++reads;
                return numbered(n);
            },
            {5, 4});
        EXPECT_THROW(reader.next(), std::out_of_range);
    }
    EXPECT_EQ(reads.load(), 0);
}

TEST(OrderedFrameReader, IntervalsAtTheEndsOfTheIntRange)
{
    // -1..INT_MAX once overflowed into an empty count: no thread started and
    // next() waited for ever. Each case reads its first and last frames.
    constexpr int kMax = std::numeric_limits<int>::max();
    constexpr int kMin = std::numeric_limits<int>::min();
    struct Case
    {
        int first, last;
        std::vector<int> expected;
    };
    const Case cases[] = {{kMax - 2, kMax, {kMax - 2, kMax - 1, kMax}},
                          {kMin, kMin + 1, {kMin, kMin + 1}},
                          {kMax, kMax, {kMax}},
                          {-1, kMax, {-1, 0, 1}},
                          {kMin, 60, {kMin, kMin + 1}}};
    for (const Case &c : cases) {
        OrderedFrameReader reader([](int n) { return wideNumbered(n); }, {c.first, c.last}, 2, 2);
        for (int n : c.expected)
            EXPECT_EQ(frameNumberOf(reader.next()), n) << c.first << ".." << c.last;
    }
    const FrameInterval whole {kMin, kMax};
    EXPECT_EQ(whole.count(), std::int64_t {1} << 32);
    EXPECT_EQ(whole.at(whole.count() - 1), kMax);
    EXPECT_EQ((FrameInterval {kMax, kMin}).count(), 0);
}
