// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The caption stamped on every extracted frame: white text on a blue box at
// the top-left corner, in a built-in 5 x 7 pixel font, so that the program
// and kalvor-cli write identical frames on every machine.

#include "common/rgb_image.hpp"

#include <string>

namespace kalvor {

// "Fotog. : 12 sec. : 00:03" for frame 12 at 3.4 s.
std::string captionText(int frameNumber, double positionSeconds);

// Pixel size of one font dot: 2 from 320 pixels of width on, else 1.
int captionScale(const RgbImage &image);

// Draws text at (0, 0) on a blue box with a margin of one dot; clipped to the
// picture. Characters without a glyph are drawn as a hollow box.
void drawCaption(RgbImage &image, const std::string &text);

} // namespace kalvor
