// SPDX-License-Identifier: GPL-3.0-or-later
#include "geometry/segno_punto.hpp"

namespace kalvor {

void appendPointMarker(Drawing &out, int x, int y, Rgb pen)
{
    out.push_back(DrawPrimitive::ellipse(x - 2, y - 2, x + 3, y + 3, pen));
    out.push_back(DrawPrimitive::line(x - 8, y, x + 8, y, pen));
    out.push_back(DrawPrimitive::line(x, y - 8, x, y + 8, pen));
}

Drawing pointMarker(int x, int y, Rgb pen)
{
    Drawing out;
    appendPointMarker(out, x, y, pen);
    return out;
}

DrawPrimitive clearedOverlay(int width, int height)
{
    return DrawPrimitive::filledRectangle(0, 0, width, height, colors::white, colors::white);
}

} // namespace kalvor
