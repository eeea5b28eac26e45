// SPDX-License-Identifier: GPL-3.0-or-later
// Painting drawings into pictures, and the setup-check picture of a run.
#include "detection/geometria_area.hpp"
#include "overlay/paint_drawing.hpp"
#include "overlay/setup_overlay.hpp"
#include "state/record_veicolo.hpp"
#include "support/scoped_number_format.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace kalvor;

namespace {

Rgb pixel(const RgbImage &img, int x, int y)
{
    const std::uint8_t *p = img.row(y) + 3 * x;
    return {p[0], p[1], p[2]};
}

// The picture as rows of '#' (painted) and '.' (left black).
std::vector<std::string> painted(const RgbImage &img)
{
    std::vector<std::string> rows;
    for (int y = 0; y < img.height; ++y) {
        std::string r;
        for (int x = 0; x < img.width; ++x)
            r += pixel(img, x, y) == colors::black ? '.' : '#';
        rows.push_back(r);
    }
    return rows;
}

} // namespace

TEST(PaintDrawing, ShapesFollowTheBoxConventionsAndAreClipped)
{
    const Rgb w = colors::white;
    struct Case
    {
        const char *what;
        Drawing drawing;
        std::vector<std::string> want; // 6 x 5 picture
    };
    const std::vector<Case> cases = {
        {"line stops before its end",
         {DrawPrimitive::line(0, 1, 4, 1, w)},
         {"......", "####..", "......", "......", "......"}},
        {"diagonal line", {DrawPrimitive::line(0, 0, 3, 3, w)}, {"#.....", ".#....", "..#...", "......", "......"}},
        {"rectangle covers x1..x2-1",
         {DrawPrimitive::rectangle(1, 1, 5, 4, w)},
         {"......", ".####.", ".#..#.", ".####.", "......"}},
        {"filled rectangle",
         {DrawPrimitive::filledRectangle(1, 1, 5, 4, w, w)},
         {"......", ".####.", ".####.", ".####.", "......"}},
        {"ellipse of a 5 x 5 box",
         {DrawPrimitive::ellipse(0, 0, 5, 5, w)},
         {".###..", "#...#.", "#...#.", "#...#.", ".###.."}},
        // The rectangle's right and bottom edges (column 1, row 1) fall inside.
        {"clipped far outside",
         {DrawPrimitive::line(-100000, 2, 100000, 2, w), DrawPrimitive::rectangle(-9, -9, 2, 2, w)},
         {".#....", "##....", "######", "......", "......"}},
        {"text in 2-pixel dots",
         {DrawPrimitive::label(0, 0, "1", w)},
         {"..##..", "..##..", "####..", "####..", "..##.."}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        RgbImage img(6, 5);
        paintDrawing(img, c.drawing);
        EXPECT_EQ(painted(img), c.want);
    }
}

TEST(PaintDrawing, OutlineOfARegionIsItsBorderPixels)
{
    RgbImage img(6, 5);
    // A 4 x 3 block touching the right edge: its edge pixels count as border.
    paintOutline(
        img, [](int x, int y) { return x >= 2 && y >= 1 && y <= 3; }, colors::white);
    EXPECT_EQ(painted(img), (std::vector<std::string> {"......", "..####", "..#..#", "..####", "......"}));
}

TEST(SetupOverlay, PointsBandAndRecordsWhereTheJobPutsThem)
{
    const kalvor::testing::ScopedNumberFormat comma(NumberFormat::comma());
    StatoProspettiva p;
    p.coordinataXPixelP = {"20", "60"};
    p.coordinataYPixelP = {"10", "50"};
    StatoRilevamento det;
    // Axis on row 40 from column 10 to 90; band rows 30 and 50: 10 rows per arc.
    leggiGeometriaArea({"40", "10", "40", "90", "30", "10", "50", "10"}, det);
    TextList veicoli;
    appendRecord(veicoli, makeRecord("7", "sup", 3 * 30, 3 * 50, 4.5, 9.0, 3, 0.6));
    const Drawing d = setupOverlay(p, det, veicoli);

    RgbImage img = setupOverlayPicture(RgbImage(100, 80), d, nullptr);
    EXPECT_EQ(pixel(img, 20, 2), colors::red) << "the first point's cross";
    EXPECT_EQ(pixel(img, 60, 42), colors::red) << "the second point's cross";
    EXPECT_EQ(pixel(img, 50, 40), colors::blue) << "the axis";
    EXPECT_EQ(pixel(img, 50, 30), colors::red) << "the upper band edge";
    EXPECT_EQ(pixel(img, 50, 50), colors::yellow) << "the lower band edge";
    bool labelled = false;
    for (const auto &prim : d)
        labelled |= prim.shape == Shape::Text && prim.text == "7 4,5m";
    EXPECT_TRUE(labelled) << "the record's number followed by its length";
}

TEST(SetupOverlay, RulerMarksEveryStepWithItsCoordinate)
{
    RgbImage img(120, 110);
    paintDrawing(img, pixelRuler(120, 110, 50));
    std::vector<std::string> labels;
    for (const auto &p : pixelRuler(120, 110, 50))
        if (p.shape == Shape::Text)
            labels.push_back(p.text);
    EXPECT_EQ(labels, (std::vector<std::string> {"50", "100", "50", "100"}));
    EXPECT_EQ(pixel(img, 50, 96), colors::white) << "the tick of column 50, at the bottom";
    EXPECT_EQ(pixel(img, 13, 100), colors::white) << "the tick of row 100";
    EXPECT_EQ(pixel(img, 49, 96), colors::black) << "nothing before the tick";
    EXPECT_EQ(pixel(img, 50, 20), colors::black) << "the top is left to the caption";
}
