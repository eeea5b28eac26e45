// SPDX-License-Identifier: GPL-3.0-or-later
#include "geometry/figura_verso.hpp"

#include <cmath>
#include <string>

namespace kalvor {

namespace {

struct Pt
{
    double x;
    double y;
};

Pt along(Pt a, Pt b, double t)
{
    return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t};
}

int px(double v)
{
    return static_cast<int>(std::lround(v));
}

void line(Drawing &d, Pt a, Pt b, Rgb pen)
{
    d.push_back(DrawPrimitive::line(px(a.x), px(a.y), px(b.x), px(b.y), pen));
}

} // namespace

Drawing directionPicture(ReadingDirection direction)
{
    const int w = kDirectionPictureWidth;
    const int h = kDirectionPictureHeight;
    const Rgb asphalt {90, 90, 90};
    const Rgb marking {255, 255, 255};
    const Rgb ink {0, 0, 0};
    const Rgb arrow {200, 0, 0};
    Drawing d;
    d.push_back(DrawPrimitive::filledRectangle(0, 0, w, h, Rgb {120, 170, 90}, Rgb {120, 170, 90}));

    // Roads of Origine00 and Origine640480 go down to the right; the others go up.
    const bool downwards = direction == ReadingDirection::Origine00 || direction == ReadingDirection::Origine640480;
    const Pt left {0, downwards ? 40.0 : 160.0};
    const Pt right {double(w), downwards ? 160.0 : 40.0};
    const double half = 26.0;
    // The band as a fan of lines between its two edges, then edges and a dashed axis.
    for (int k = -static_cast<int>(half); k <= static_cast<int>(half); ++k)
        line(d, {left.x, left.y + k}, {right.x, right.y + k}, asphalt);
    line(d, {left.x, left.y - half}, {right.x, right.y - half}, marking);
    line(d, {left.x, left.y + half}, {right.x, right.y + half}, marking);
    for (int i = 0; i < 16; i += 2)
        line(d, along(left, right, i / 16.0), along(left, right, (i + 1) / 16.0), marking);

    // Numbering from the left for the left-side starts, from the right otherwise.
    const bool fromLeft = !isReversed(direction);
    const double ts[] = {0.12, 0.37, 0.62, 0.87};
    const char *distanceNames[] = {"d(i)", "d(i+1)", "d(i+n)"};
    Pt points[4];
    for (int i = 0; i < 4; ++i)
        points[i] = along(left, right, fromLeft ? ts[i] : 1.0 - ts[i]);
    for (int i = 0; i < 4; ++i) {
        const Pt p = points[i];
        d.push_back(DrawPrimitive::filledEllipse(px(p.x) - 8, px(p.y) - 8, px(p.x) + 9, px(p.y) + 9, ink, marking));
        line(d, {p.x - 6, p.y - 6}, {p.x + 7, p.y + 7}, ink);
        line(d, {p.x - 6, p.y + 6}, {p.x + 7, p.y - 7}, ink);
        d.push_back(DrawPrimitive::label(px(p.x) - 4, px(p.y) - 28, std::to_string(i + 1), ink, 9, true));
        if (i < 3) {
            const Pt m = along(points[i], points[i + 1], 0.5);
            // On the side of the band away from the arrow.
            d.push_back(DrawPrimitive::label(px(m.x) - 14, px(m.y) + (downwards ? 30 : -40), distanceNames[i], ink, 8));
        }
    }

    // The arrow "verso" beside the road, from the first point's side to the last's.
    const double shift = downwards ? -58.0 : 58.0;
    Pt tail = along(left, right, fromLeft ? 0.3 : 0.7);
    Pt head = along(left, right, fromLeft ? 0.7 : 0.3);
    tail.y += shift;
    head.y += shift;
    // Keep the arrow inside the picture: the far half of the band leaves room on one side only.
    if (downwards) {
        tail.x += 40;
        head.x += 40;
    } else {
        tail.x -= 40;
        head.x -= 40;
    }
    for (int k = -2; k <= 2; ++k)
        line(d, {tail.x, tail.y + k}, {head.x, head.y + k}, arrow);
    const double dx = head.x - tail.x;
    const double dy = head.y - tail.y;
    const double len = std::sqrt(dx * dx + dy * dy);
    const Pt u {dx / len, dy / len};
    const Pt back {head.x - 18 * u.x, head.y - 18 * u.y};
    for (int k = -2; k <= 2; ++k) {
        line(d, {head.x, head.y + k}, {back.x - 10 * u.y, back.y + 10 * u.x + k}, arrow);
        line(d, {head.x, head.y + k}, {back.x + 10 * u.y, back.y - 10 * u.x + k}, arrow);
    }
    const Pt mid = along(tail, head, 0.5);
    d.push_back(DrawPrimitive::label(px(mid.x) - 16, px(mid.y) + (downwards ? -24 : 8), "verso", arrow, 12, true));
    return d;
}

} // namespace kalvor
