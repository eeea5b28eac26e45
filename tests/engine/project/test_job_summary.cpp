// SPDX-License-Identifier: GPL-3.0-or-later
// The figures `check` prints, on the transformation's worked example.
#include "geometry/trasformazione.hpp"
#include "project/job_summary.hpp"
#include "support/scoped_number_format.hpp"

#include <gtest/gtest.h>

using namespace kalvor;

TEST(JobSummary, GridExtentAxisAndBandOfTheWorkedExample)
{
    const kalvor::testing::ScopedNumberFormat dot(NumberFormat::dot());
    StatoLavoro s;
    s.Prospettiva.coordinataXPixelP = {"100", "300", "500"};
    s.Prospettiva.coordinataYPixelP = {"50", "150", "250"};
    s.Prospettiva.DistanzeRealiP = {"10", "10"};
    runTransformation(s, 640, 480);
    // Axis on row 150 from column 100 to 300; band rows 50 and 250.
    s.AreaCaptazione.PuntiRiferimento = {"150", "100", "150", "300", "50", "100", "250", "100"};

    const JobSummary j = summariseJob(s);
    EXPECT_DOUBLE_EQ(j.minX, 0.0);
    EXPECT_NEAR(j.maxX, 28.621994, 1e-6);
    EXPECT_DOUBLE_EQ(j.minY, 0.0);
    EXPECT_NEAR(j.maxY, 21.466449, 1e-6);
    ASSERT_TRUE(j.area);
    EXPECT_EQ(j.axisPixels, 200);
    EXPECT_NEAR(j.axisMetres, 13.461354 - 4.563404, 1e-6);
    EXPECT_EQ(j.halfBandPixels, 100);
    EXPECT_NEAR(j.upperArcMetres, 6.753377 - 2.329237, 1e-6);
    EXPECT_GT(j.lowerArcMetres, 0.0);

    s.AreaCaptazione.PuntiRiferimento.setLine(5, "x");
    s.AreaCaptazione.PuntiRiferimento.setLine(4, "y");
    EXPECT_FALSE(summariseJob(s).area) << "a band row that is no number leaves the area out";
}
