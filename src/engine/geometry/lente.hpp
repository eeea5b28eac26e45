// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The magnifier lens of the point-picking screens: every tick a 300 x 100
// piece of the frame view around the pointer is stretched over a fixed
// destination rectangle of the magnifier image (so the horizontal and vertical
// enlargements differ), and a red cross-hair is drawn through the image's
// middle. The piece is placed so that the view pixel under the pointer is the
// one under the cross-hair.

#include "common/drawing.hpp"

namespace kalvor {

inline constexpr int kMagnifierTickMs = 100;
inline constexpr int kMagnifierSourceWidth = 300;
inline constexpr int kMagnifierSourceHeight = 100;

struct MagnifierConstants
{
    int zoomWidth = 0; // zoom_IMG
    int zoomHeight = 0;
    // Livello_Zoom (left, top, width, height): its right and bottom edges are
    // the destination rectangle's.
    int levelLeft = 0;
    int levelTop = 0;
    int levelWidth = 0;
    int levelHeight = 0;
};

inline constexpr MagnifierConstants kLenteProspettiva {200, 200, 826, 303, 50, 150};
inline constexpr MagnifierConstants kLenteAreaCaptazione {165, 165, 769, 279, 50, 150};
inline constexpr MagnifierConstants kLenteCaptazione {200, 200, 929, 422, 50, 150};

struct PixelRect
{
    int left = 0;
    int top = 0;
    int right = 0; // excluded
    int bottom = 0; // excluded
    bool operator==(const PixelRect &) const = default;
};

struct MagnifierView
{
    PixelRect source; // in the frame view; may reach outside the picture
    PixelRect destination; // in the magnifier image; only its part inside the image is seen
    Drawing crossHair; // red, through the middle of the magnifier image
};

// The lens for the pointer at view pixel (x, y).
MagnifierView magnifierView(const MagnifierConstants &lens, int x, int y);

} // namespace kalvor
