// SPDX-License-Identifier: GPL-3.0-or-later
#include "geometry/lente.hpp"

#include <gtest/gtest.h>

using namespace kalvor;

// The view pixel under the pointer is the one stretched under the cross-hair,
// for the three lenses and pointers inside and beyond the picture.
TEST(Lente, CrossHairLiesOnThePointerPixel)
{
    for (const MagnifierConstants &lens : {kLenteProspettiva, kLenteAreaCaptazione, kLenteCaptazione})
        for (const auto &[x, y] : {std::pair {0, 0}, {320, 240}, {639, 479}, {-20, 700}}) {
            const MagnifierView v = magnifierView(lens, x, y);
            EXPECT_EQ(v.source.right - v.source.left, 300);
            EXPECT_EQ(v.source.bottom - v.source.top, 100);
            const double sx = double(v.destination.right) / 300;
            const double sy = double(v.destination.bottom) / 100;
            const int hx = lens.zoomWidth / 2;
            const int hy = lens.zoomHeight / 2;
            EXPECT_LE((x - v.source.left) * sx, hx);
            EXPECT_GT((x - v.source.left + 1) * sx, hx);
            EXPECT_LE((y - v.source.top) * sy, hy);
            EXPECT_GT((y - v.source.top + 1) * sy, hy);
        }
}

TEST(Lente, ProspettivaConstants)
{
    const MagnifierView v = magnifierView(kLenteProspettiva, 320, 240);
    EXPECT_EQ(v.destination, (PixelRect {0, 0, 876, 453}));
    EXPECT_EQ(v.source, (PixelRect {286, 218, 586, 318}));
    ASSERT_EQ(v.crossHair.size(), 2u);
    EXPECT_EQ(v.crossHair[0], DrawPrimitive::line(0, 100, 200, 100, colors::red));
    EXPECT_EQ(v.crossHair[1], DrawPrimitive::line(100, 0, 100, 200, colors::red));
    const MagnifierView a = magnifierView(kLenteAreaCaptazione, 0, 0);
    EXPECT_EQ(a.destination, (PixelRect {0, 0, 819, 429}));
    EXPECT_EQ(a.crossHair[0], DrawPrimitive::line(0, 82, 165, 82, colors::red));
}
