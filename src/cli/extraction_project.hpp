// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The project file that `kalvor-cli extract --project` writes beside the
// frames, so that the job opens in the program at once.

#include "extraction/batch_extraction.hpp"

#include <string>

namespace kalvor::cli {

// Where the project goes: a bare name lands in the frames folder; a path must
// name a file of the frames folder itself, since opening a project takes its
// own folder as the frames folder (RefusalError otherwise).
std::string extractionProjectPath(const std::string &requested, const std::string &framesFolder);

// A new job with the extractor section of this extraction (the interval and,
// per frame written, its number and time), the reference and area frames on
// the first frame, the calibration's and the capture's background over the
// first 201 frames at most (the screens' 0 to 200); every other item at its
// initial value.
void writeExtractionProject(const std::string &path, double step, const std::vector<ExtractedFrame> &frames);

} // namespace kalvor::cli
