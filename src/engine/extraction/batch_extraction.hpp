// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Headless extraction for long surveys. For k = 0, 1, ... the first frame
// whose time is at least from + k * step is written, numbered from
// firstNumber, named, captioned and timed as the extractor screen does, until
// the end of the video or the first target after `to`. A decoded frame is
// written at most once: targets swallowed by a gap in the timestamps are
// skipped, and the frame's own time is recorded, never the target's.
//
// Two implementations give identical files and lists: the plain one decodes,
// captions and encodes in turn on one thread; the fast one decodes on its own
// thread while the calling thread (and, with more cores, helper threads that
// take what the decoder leaves them time for) encodes and writes PNG files.

#include "extraction/extractor.hpp"

#include <atomic>
#include <functional>
#include <string>
#include <vector>

namespace kalvor {

struct BatchRequest
{
    std::string video;
    std::string folder; // ends with '/', or "" for the working folder
    double step = 0.2;
    int firstNumber = 0;
    double from = 0.0;
    double to = -1.0;     // < 0: to the end
    FrameSize size{};     // 0 x 0: fittedFrameSize of the video
    bool nativeSize = false;
    bool pipelined = true; // false: the plain single-thread implementation
};

struct ExtractedFrame
{
    int number = 0;
    double time = 0.0;
};

struct BatchProgress
{
    int framesWritten = 0;
    double videoTime = 0.0; // time of the last frame decoded
    double duration = 0.0;  // of the video, 0 when unknown
};

struct BatchResult
{
    std::vector<ExtractedFrame> frames; // in the order written
    FrameSize size{};
    double decodeSeconds = 0.0; // decoding, conversion and captions
    double encodeSeconds = 0.0; // PNG encoding and writing
    double wallSeconds = 0.0;
    bool stopped = false;
};

// Checks the request (RefusalError naming the bad value), opens the video
// (FileError), and writes the frames. A frame file that cannot be written
// stops the run with one FileError naming it. progress, when given, is
// called from the calling thread about four times a second; stop, when set,
// ends the run after the frame in hand.
BatchResult extractFrames(const BatchRequest &request, const std::function<void(const BatchProgress &)> &progress = {},
                          const std::atomic<bool> *stop = nullptr);

// The list of frames as text lines: number, a tab, time in fixed-point text.
TextList frameListText(const std::vector<ExtractedFrame> &frames);

} // namespace kalvor
