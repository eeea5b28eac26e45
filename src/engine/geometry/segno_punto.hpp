// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The point marker and the overlay of the point-picking screens.

#include "common/drawing.hpp"

namespace kalvor {

// The transparent overlay `lucido` is larger than any frame view, so that a
// click anywhere on it is caught.
inline constexpr int kOverlayWidth = 1920;
inline constexpr int kOverlayHeight = 1080;

// Clear brush: a small ellipse in the box (x-2, y-2)..(x+3, y+3) and a cross
// of two 16-pixel lines through (x, y).
void appendPointMarker(Drawing &out, int x, int y, Rgb pen = colors::red);
Drawing pointMarker(int x, int y, Rgb pen = colors::red);

// Solid white over the whole overlay: white is the overlay's transparent colour.
DrawPrimitive clearedOverlay(int width = kOverlayWidth, int height = kOverlayHeight);

} // namespace kalvor
