// SPDX-License-Identifier: GPL-3.0-or-later
#include "overlay/paint_drawing.hpp"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace kalvor {

namespace {

struct Glyph
{
    char c;
    std::array<const char *, 5> rows;
};

constexpr int kDot = 2;
constexpr int kGlyphW = 3;
constexpr int kGlyphH = 5;

constexpr Glyph kGlyphs[] = {
    {'0', {"###", "#.#", "#.#", "#.#", "###"}}, {'1', {".#.", "##.", ".#.", ".#.", "###"}},
    {'2', {"###", "..#", "###", "#..", "###"}}, {'3', {"###", "..#", ".##", "..#", "###"}},
    {'4', {"#.#", "#.#", "###", "..#", "..#"}}, {'5', {"###", "#..", "###", "..#", "###"}},
    {'6', {"###", "#..", "###", "#.#", "###"}}, {'7', {"###", "..#", ".#.", ".#.", ".#."}},
    {'8', {"###", "#.#", "###", "#.#", "###"}}, {'9', {"###", "#.#", "###", "..#", "###"}},
    {',', {"...", "...", "...", ".#.", "#.."}}, {'.', {"...", "...", "...", "...", ".#."}},
    {'-', {"...", "...", "###", "...", "..."}}, {' ', {"...", "...", "...", "...", "..."}},
    {'m', {"...", "##.", "###", "#.#", "#.#"}}, {'n', {"...", "##.", "#.#", "#.#", "#.#"}},
    {'P', {"##.", "#.#", "##.", "#..", "#.."}}, {'u', {"...", "#.#", "#.#", "#.#", "###"}},
    {'e', {"...", "###", "###", "#..", "###"}}, {'r', {"...", "#.#", "##.", "#..", "#.."}},
    {'o', {"...", "###", "#.#", "#.#", "###"}},
};

constexpr Glyph kMissing {'?', {"###", "#.#", "#.#", "#.#", "###"}};

const Glyph &glyphOf(char c)
{
    for (const auto &g : kGlyphs)
        if (g.c == c)
            return g;
    return kMissing;
}

void plot(RgbImage &image, int x, int y, Rgb c)
{
    if (x < 0 || y < 0 || x >= image.width || y >= image.height)
        return;
    std::uint8_t *p = image.row(y) + 3 * x;
    p[0] = c.r;
    p[1] = c.g;
    p[2] = c.b;
}

// Bresenham from the start pixel up to, not including, the end pixel.
void line(RgbImage &image, int x1, int y1, int x2, int y2, Rgb c)
{
    const int dx = std::abs(x2 - x1);
    const int dy = -std::abs(y2 - y1);
    const int sx = x1 < x2 ? 1 : -1;
    const int sy = y1 < y2 ? 1 : -1;
    int err = dx + dy;
    // Lines far outside the picture are walked only while they could meet it.
    const long long limit = 4LL * (image.width + image.height) + std::max(dx, -dy);
    for (long long steps = 0; !(x1 == x2 && y1 == y2) && steps < limit; ++steps) {
        plot(image, x1, y1, c);
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x1 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y1 += sy;
        }
    }
}

void rectangle(RgbImage &image, const DrawPrimitive &p)
{
    const int x1 = std::min(p.x1, p.x2);
    const int x2 = std::max(p.x1, p.x2) - 1;
    const int y1 = std::min(p.y1, p.y2);
    const int y2 = std::max(p.y1, p.y2) - 1;
    if (x2 < x1 || y2 < y1)
        return;
    const int cx1 = std::max(x1, 0);
    const int cx2 = std::min(x2, image.width - 1);
    const int cy1 = std::max(y1, 0);
    const int cy2 = std::min(y2, image.height - 1);
    for (int y = cy1; y <= cy2; ++y)
        for (int x = cx1; x <= cx2; ++x) {
            const bool edge = x == x1 || x == x2 || y == y1 || y == y2;
            if (edge)
                plot(image, x, y, p.pen);
            else if (p.filled)
                plot(image, x, y, p.fill);
        }
}

void ellipse(RgbImage &image, const DrawPrimitive &p)
{
    const int x1 = std::min(p.x1, p.x2);
    const int x2 = std::max(p.x1, p.x2) - 1;
    const int y1 = std::min(p.y1, p.y2);
    const int y2 = std::max(p.y1, p.y2) - 1;
    if (x2 < x1 || y2 < y1)
        return;
    const double cx = (x1 + x2) / 2.0;
    const double cy = (y1 + y2) / 2.0;
    const double rx = (x2 - x1) / 2.0 + 0.5;
    const double ry = (y2 - y1) / 2.0 + 0.5;
    const auto inside = [&](int x, int y) {
        if (x < x1 || x > x2 || y < y1 || y > y2)
            return false;
        const double u = (x - cx) / rx;
        const double v = (y - cy) / ry;
        return u * u + v * v <= 1.0;
    };
    const int cy1 = std::max(y1, 0);
    const int cy2 = std::min(y2, image.height - 1);
    const int cx1 = std::max(x1, 0);
    const int cx2 = std::min(x2, image.width - 1);
    for (int y = cy1; y <= cy2; ++y)
        for (int x = cx1; x <= cx2; ++x) {
            if (!inside(x, y))
                continue;
            const bool edge = !inside(x - 1, y) || !inside(x + 1, y) || !inside(x, y - 1) || !inside(x, y + 1);
            if (edge)
                plot(image, x, y, p.pen);
            else if (p.filled)
                plot(image, x, y, p.fill);
        }
}

void text(RgbImage &image, const DrawPrimitive &p)
{
    int gx = p.x1;
    for (char ch : p.text) {
        const Glyph &g = glyphOf(ch);
        for (int r = 0; r < kGlyphH; ++r)
            for (int c = 0; c < kGlyphW; ++c)
                if (g.rows[static_cast<std::size_t>(r)][c] == '#')
                    for (int dy = 0; dy < kDot; ++dy)
                        for (int dx = 0; dx < kDot; ++dx)
                            plot(image, gx + c * kDot + dx, p.y1 + r * kDot + dy, p.pen);
        gx += (kGlyphW + 1) * kDot;
    }
}

} // namespace

void paintDrawing(RgbImage &image, const Drawing &drawing)
{
    for (const auto &p : drawing) {
        switch (p.shape) {
        case Shape::Line:
            line(image, p.x1, p.y1, p.x2, p.y2, p.pen);
            break;
        case Shape::Rectangle:
            rectangle(image, p);
            break;
        case Shape::Ellipse:
            ellipse(image, p);
            break;
        case Shape::Text:
            text(image, p);
            break;
        }
    }
}

void paintOutline(RgbImage &image, const std::function<bool(int x, int y)> &inside, Rgb colour)
{
    const int w = image.width;
    const int h = image.height;
    std::vector<char> in(static_cast<std::size_t>(w) * static_cast<std::size_t>(h));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            in[static_cast<std::size_t>(y) * static_cast<std::size_t>(w) + static_cast<std::size_t>(x)] = inside(x, y);
    const auto at = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < w && y < h
            && in[static_cast<std::size_t>(y) * static_cast<std::size_t>(w) + static_cast<std::size_t>(x)];
    };
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (at(x, y) && (!at(x - 1, y) || !at(x + 1, y) || !at(x, y - 1) || !at(x, y + 1)))
                plot(image, x, y, colour);
}

} // namespace kalvor
