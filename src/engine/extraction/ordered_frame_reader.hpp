// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Reads frames first..last on a few long-lived threads, a bounded number of
// frames ahead of the consumer, and hands them over strictly in order. The
// threads live as long as the reader, so each keeps its decoding buffers
// from one frame to the next. A failure to read frame n is thrown by the
// next() that asks for frame n, never sooner; frames after it are not waited for.

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
    OrderedFrameReader(ReadFrame read, int first, int last, int threads = 2, int ahead = 4);
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
    Slot &slotOf(int n) { return slots_[static_cast<std::size_t>(n - first_) % slots_.size()]; }

    ReadFrame read_;
    int first_;
    int last_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<Slot> slots_; // frame n lives in slot (n - first) % ahead
    int nextToRead_;
    int nextToGive_;
    bool stopping_ = false;
    std::vector<std::thread> threads_;
};

} // namespace kalvor
