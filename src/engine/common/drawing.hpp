// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Drawing rules computed by the engine, painted by the GUI. Coordinates are
// frame pixels (origin top-left). Boxes follow the canvas convention of the
// program's screens: a rectangle or ellipse "from (x1, y1) to (x2, y2)" covers
// columns x1 .. x2-1 and rows y1 .. y2-1; a line from (x1, y1) to (x2, y2)
// covers its start pixel and stops before its end pixel.

#include <cstdint>
#include <string>
#include <vector>

namespace kalvor {

struct Rgb
{
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    bool operator==(const Rgb &) const = default;
};

namespace colors {
inline constexpr Rgb red {255, 0, 0};
inline constexpr Rgb blue {0, 0, 255};
inline constexpr Rgb yellow {255, 255, 0};
inline constexpr Rgb green {0, 128, 0};
inline constexpr Rgb white {255, 255, 255};
inline constexpr Rgb black {0, 0, 0};
} // namespace colors

enum class Shape { Line, Rectangle, Ellipse, Text };

struct DrawPrimitive
{
    Shape shape = Shape::Line;
    int x1 = 0;
    int y1 = 0;
    int x2 = 0; // Text: unused
    int y2 = 0; // Text: unused
    Rgb pen; // outline, line or text colour
    bool filled = false; // Rectangle, Ellipse: solid brush of colour fill, else clear
    Rgb fill;
    std::string text; // Text only, UTF-8, drawn with its top-left corner at (x1, y1)
    int textSize = 0; // Text only: point size, 0 for the default font
    bool bold = false; // Text only

    bool operator==(const DrawPrimitive &) const = default;

    static DrawPrimitive line(int x1, int y1, int x2, int y2, Rgb pen)
    {
        return DrawPrimitive {Shape::Line, x1, y1, x2, y2, pen, false, {}, {}, 0, false};
    }
    static DrawPrimitive rectangle(int x1, int y1, int x2, int y2, Rgb pen)
    {
        return DrawPrimitive {Shape::Rectangle, x1, y1, x2, y2, pen, false, {}, {}, 0, false};
    }
    static DrawPrimitive filledRectangle(int x1, int y1, int x2, int y2, Rgb pen, Rgb fill)
    {
        return DrawPrimitive {Shape::Rectangle, x1, y1, x2, y2, pen, true, fill, {}, 0, false};
    }
    static DrawPrimitive ellipse(int x1, int y1, int x2, int y2, Rgb pen)
    {
        return DrawPrimitive {Shape::Ellipse, x1, y1, x2, y2, pen, false, {}, {}, 0, false};
    }
    static DrawPrimitive filledEllipse(int x1, int y1, int x2, int y2, Rgb pen, Rgb fill)
    {
        return DrawPrimitive {Shape::Ellipse, x1, y1, x2, y2, pen, true, fill, {}, 0, false};
    }
    static DrawPrimitive label(int x, int y, std::string text, Rgb pen, int textSize = 0, bool bold = false)
    {
        return DrawPrimitive {Shape::Text, x, y, 0, 0, pen, false, {}, std::move(text), textSize, bold};
    }
};

// A drawing is painted in order: later primitives cover earlier ones.
using Drawing = std::vector<DrawPrimitive>;

} // namespace kalvor
