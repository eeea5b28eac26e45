// SPDX-License-Identifier: GPL-3.0-or-later
#include "extraction/ordered_frame_reader.hpp"

#include <algorithm>
#include <stdexcept>

namespace kalvor {

OrderedFrameReader::OrderedFrameReader(ReadFrame read, FrameInterval frames, int threads, int ahead)
    : read_(std::move(read))
    , frames_(frames)
    , count_(frames.count())
{
    threads = static_cast<int>(std::clamp<std::int64_t>(threads, 1, std::max<std::int64_t>(1, count_)));
    slots_.resize(static_cast<std::size_t>(std::max({ahead, threads, 1})));
    try {
        for (int i = 0; i < threads && count_ > 0; ++i)
            threads_.emplace_back([this] { work(); });
    } catch (...) {
        // The destructor will not run: the threads already started are stopped here.
        {
            const std::lock_guard lock(mutex_);
            stopping_ = true;
        }
        changed_.notify_all();
        for (auto &t : threads_)
            t.join();
        throw;
    }
}

OrderedFrameReader::~OrderedFrameReader()
{
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    for (auto &t : threads_)
        t.join();
}

void OrderedFrameReader::work()
{
    const auto ahead = static_cast<std::int64_t>(slots_.size());
    std::unique_lock lock(mutex_);
    for (;;) {
        // A frame is claimed only when its slot has been handed over: at most
        // `ahead` frames wait in memory.
        changed_.wait(lock, [&] { return stopping_ || nextToRead_ >= count_ || nextToRead_ < nextToGive_ + ahead; });
        if (stopping_ || nextToRead_ >= count_)
            return;
        const std::int64_t i = nextToRead_++;
        lock.unlock();
        Slot result;
        try {
            result.image = read_(frames_.at(i));
        } catch (...) {
            result.error = std::current_exception();
        }
        lock.lock();
        slotOf(i) = std::move(result);
        changed_.notify_all();
    }
}

RgbImage OrderedFrameReader::next()
{
    std::unique_lock lock(mutex_);
    if (nextToGive_ >= count_)
        throw std::out_of_range("OrderedFrameReader::next after the last frame");
    Slot &slot = slotOf(nextToGive_);
    changed_.wait(lock, [&] { return slot.image.has_value() || slot.error != nullptr; });
    Slot taken;
    taken.image = std::move(slot.image);
    taken.error = std::move(slot.error);
    slot.image.reset();
    slot.error = nullptr;
    ++nextToGive_;
    lock.unlock();
    changed_.notify_all();
    if (taken.error)
        std::rethrow_exception(taken.error);
    return std::move(*taken.image);
}

} // namespace kalvor
