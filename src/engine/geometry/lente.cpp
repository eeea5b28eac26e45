// SPDX-License-Identifier: GPL-3.0-or-later
#include "geometry/lente.hpp"

namespace kalvor {

MagnifierView magnifierView(const MagnifierConstants &lens, int x, int y)
{
    MagnifierView view;
    view.destination = {0, 0, lens.levelLeft + lens.levelWidth, lens.levelTop + lens.levelHeight};
    const int halfW = lens.zoomWidth / 2;
    const int halfH = lens.zoomHeight / 2;
    // Source pixel k covers destination [k * scale, (k + 1) * scale): the one
    // holding the cross-hair is k = floor(half * source / destination).
    const int kx = halfW * kMagnifierSourceWidth / view.destination.right;
    const int ky = halfH * kMagnifierSourceHeight / view.destination.bottom;
    view.source = {x - kx, y - ky, x - kx + kMagnifierSourceWidth, y - ky + kMagnifierSourceHeight};
    view.crossHair.push_back(DrawPrimitive::line(0, halfH, lens.zoomWidth, halfH, colors::red));
    view.crossHair.push_back(DrawPrimitive::line(halfW, 0, halfW, lens.zoomHeight, colors::red));
    return view;
}

} // namespace kalvor
