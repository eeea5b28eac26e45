// SPDX-License-Identifier: GPL-3.0-or-later
#include "extraction/caption.hpp"

#include "extraction/video_decoder.hpp"

#include <algorithm>
#include <array>
#include <string_view>

namespace kalvor {

namespace {

constexpr int kGlyphW = 5;
constexpr int kGlyphH = 7;
constexpr int kAdvance = kGlyphW + 1;

struct Glyph
{
    char c;
    std::array<std::string_view, kGlyphH> rows;
};

// Only what captions and short labels need; '#' is an inked dot.
constexpr std::array kGlyphs{
    Glyph{' ', {".....", ".....", ".....", ".....", ".....", ".....", "....."}},
    Glyph{'0', {".###.", "#...#", "#..##", "#.#.#", "##..#", "#...#", ".###."}},
    Glyph{'1', {"..#..", ".##..", "..#..", "..#..", "..#..", "..#..", ".###."}},
    Glyph{'2', {".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####"}},
    Glyph{'3', {"#####", "...#.", "..#..", "...#.", "....#", "#...#", ".###."}},
    Glyph{'4', {"...#.", "..##.", ".#.#.", "#..#.", "#####", "...#.", "...#."}},
    Glyph{'5', {"#####", "#....", "####.", "....#", "....#", "#...#", ".###."}},
    Glyph{'6', {"..##.", ".#...", "#....", "####.", "#...#", "#...#", ".###."}},
    Glyph{'7', {"#####", "....#", "...#.", "..#..", ".#...", ".#...", ".#..."}},
    Glyph{'8', {".###.", "#...#", "#...#", ".###.", "#...#", "#...#", ".###."}},
    Glyph{'9', {".###.", "#...#", "#...#", ".####", "....#", "...#.", ".##.."}},
    Glyph{':', {".....", "..#..", "..#..", ".....", "..#..", "..#..", "....."}},
    Glyph{'.', {".....", ".....", ".....", ".....", ".....", ".##..", ".##.."}},
    Glyph{'-', {".....", ".....", ".....", "#####", ".....", ".....", "....."}},
    Glyph{'F', {"#####", "#....", "#....", "####.", "#....", "#....", "#...."}},
    Glyph{'c', {".....", ".....", ".###.", "#....", "#....", "#...#", ".###."}},
    Glyph{'e', {".....", ".....", ".###.", "#...#", "#####", "#....", ".###."}},
    Glyph{'g', {".....", ".####", "#...#", "#...#", ".####", "....#", ".###."}},
    Glyph{'o', {".....", ".....", ".###.", "#...#", "#...#", "#...#", ".###."}},
    Glyph{'s', {".....", ".....", ".####", "#....", ".###.", "....#", "####."}},
    Glyph{'t', {".#...", ".#...", "####.", ".#...", ".#...", ".#..#", "..##."}},
};

constexpr Glyph kMissing{'?', {"#####", "#...#", "#...#", "#...#", "#...#", "#...#", "#####"}};

const Glyph &glyphOf(char c)
{
    for (const auto &g : kGlyphs)
        if (g.c == c)
            return g;
    return kMissing;
}

constexpr std::uint8_t kBlue[3] = {0, 0, 255};
constexpr std::uint8_t kWhite[3] = {255, 255, 255};

void fill(RgbImage &image, int x0, int y0, int w, int h, const std::uint8_t rgb[3])
{
    const int x1 = std::min(image.width, x0 + w);
    const int y1 = std::min(image.height, y0 + h);
    for (int y = std::max(0, y0); y < y1; ++y) {
        std::uint8_t *row = image.row(y);
        for (int x = std::max(0, x0); x < x1; ++x)
            std::copy(rgb, rgb + 3, row + 3 * x);
    }
}

} // namespace

std::string captionText(int frameNumber, double positionSeconds)
{
    return "Fotog. : " + std::to_string(frameNumber) + " sec. : " + positionText(positionSeconds);
}

int captionScale(const RgbImage &image)
{
    return image.width >= 320 ? 2 : 1;
}

void drawCaption(RgbImage &image, const std::string &text)
{
    if (image.empty())
        return;
    const int s = captionScale(image);
    const int boxW = (static_cast<int>(text.size()) * kAdvance + 1) * s;
    const int boxH = (kGlyphH + 2) * s;
    fill(image, 0, 0, boxW, boxH, kBlue);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const Glyph &g = glyphOf(text[i]);
        const int gx = (1 + static_cast<int>(i) * kAdvance) * s;
        for (int r = 0; r < kGlyphH; ++r)
            for (int c = 0; c < kGlyphW; ++c)
                if (g.rows[r][c] == '#')
                    fill(image, gx + c * s, (1 + r) * s, s, s, kWhite);
    }
}

} // namespace kalvor
