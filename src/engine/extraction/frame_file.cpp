// SPDX-License-Identifier: GPL-3.0-or-later
#include "extraction/frame_file.hpp"

#include "common/numbers.hpp"

namespace kalvor {

std::string frameFileName(const std::string &cartella, int frameNumber)
{
    return cartella + std::to_string(frameNumber) + ".png";
}

std::string frameFileNameAsTyped(const std::string &cartella, const std::string &frameNumberText)
{
    toInt(frameNumberText);
    return cartella + frameNumberText + ".png";
}

} // namespace kalvor
