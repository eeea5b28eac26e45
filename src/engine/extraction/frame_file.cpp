// SPDX-License-Identifier: GPL-3.0-or-later
#include "extraction/frame_file.hpp"

namespace kalvor {

std::string frameFileName(const std::string &cartella, int frameNumber)
{
    return cartella + std::to_string(frameNumber) + ".png";
}

} // namespace kalvor
