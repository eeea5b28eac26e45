// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace kalvor {

// The frame image file of frame n: the frames folder text as it stands (ending
// with '/', or "" for the working folder), n in decimal without leading
// zeros, ".png".
std::string frameFileName(const std::string &cartella, int frameNumber);

// The frame file named by a frame number text as typed ("007" names
// "007.png"). ConversionError when the text is not an integer, so that a text
// read from a job file ("../x") never names a file outside the folder.
std::string frameFileNameAsTyped(const std::string &cartella, const std::string &frameNumberText);

} // namespace kalvor
