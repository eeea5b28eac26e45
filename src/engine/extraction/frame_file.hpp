// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace kalvor {

// The frame image file of frame n: the frames folder text as it stands (ending
// with '/', or "" for the working folder), n in decimal without leading
// zeros, ".png".
std::string frameFileName(const std::string &cartella, int frameNumber);

} // namespace kalvor
