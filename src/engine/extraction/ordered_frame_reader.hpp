// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Reads frames first..last on a few long-lived threads, a bounded number of
// frames ahead of the consumer, and hands them over strictly in order. The
// threads live as long as the reader, so each keeps its decoding buffers
// from one frame to the next. A failure to read frame n is thrown by the
// next() that asks for frame n, never sooner; frames after it are not waited for.

#include "common/frame_interval.hpp"
#include "common/rgb_image.hpp"

#include <condition_variable>
#include <exception>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace kalvor {

class OrderedFrameReader
{
public:
    using ReadFrame = std::function<RgbImage(int n)>;

    // `read` is called on the reader's threads, for each n once, roughly in order.
    OrderedFrameReader(ReadFrame read, FrameInterval frames, int threads = 2, int ahead = 4);
    // Stops the threads once their current frame is read.
    ~OrderedFrameReader();
    OrderedFrameReader(const OrderedFrameReader &) = delete;
    OrderedFrameReader &operator=(const OrderedFrameReader &) = delete;

    // Frame first, then first+1, ... up to last; the exception of a frame
    // that could not be read. Not to be called after last.
    RgbImage next();

private:
    struct Slot
    {
        std::optional<RgbImage> image;
        std::exception_ptr error;
    };

    void work();
    // Positions in the interval, not frame numbers: they never overflow.
    Slot &slotOf(std::int64_t i) { return slots_[static_cast<std::size_t>(i) % slots_.size()]; }

    ReadFrame read_;
    FrameInterval frames_;
    std::int64_t count_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<Slot> slots_; // the frame at position i lives in slot i % ahead
    std::int64_t nextToRead_ = 0;
    std::int64_t nextToGive_ = 0;
    bool stopping_ = false;
    std::vector<std::thread> threads_;
};

} // namespace kalvor
