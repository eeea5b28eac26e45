// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The four pictures of SceltaVersoLetture, drawn by the program: a road band
// crossing the picture, the measured points as numbered crossed circles, the
// distances d(i), d(i+1), d(i+n) between them and an arrow "verso" in the
// direction of the numbering.

#include "common/drawing.hpp"
#include "geometry/verso_letture.hpp"

namespace kalvor {

inline constexpr int kDirectionPictureWidth = 334;
inline constexpr int kDirectionPictureHeight = 200;

Drawing directionPicture(ReadingDirection direction);

} // namespace kalvor
