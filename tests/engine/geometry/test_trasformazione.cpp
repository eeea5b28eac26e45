// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/errors.hpp"
#include "geometry/trasformazione.hpp"
#include "support/scoped_number_format.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

using namespace kalvor;
using kalvor::testing::ScopedNumberFormat;

namespace {

constexpr double kSix = 5e-7; // agreement to six decimals

struct Scene
{
    std::vector<std::string> xs;
    std::vector<std::string> ys;
    std::vector<std::string> distances;
    ReadingDirection direction = ReadingDirection::Origine00;
    bool noDirection = false;
};

void load(StatoLavoro &s, const Scene &scene)
{
    s.Prospettiva.coordinataXPixelP.lines() = scene.xs;
    s.Prospettiva.coordinataYPixelP.lines() = scene.ys;
    s.Prospettiva.DistanzeRealiP.lines() = scene.distances;
    if (scene.noDirection)
        clearReadingDirection(s.SceltaVersoLetture);
    else
        chooseReadingDirection(s.SceltaVersoLetture, scene.direction);
}

const Scene kExample {{"100", "300", "500"}, {"50", "150", "250"}, {"10", "10"}};

double gx(const StatoLavoro &s, int r, int c)
{
    return s.GrigliaMetrica.at(r, c, 0);
}
double gy(const StatoLavoro &s, int r, int c)
{
    return s.GrigliaMetrica.at(r, c, 1);
}

} // namespace

TEST(Trasformazione, WorkedExampleTable)
{
    ScopedNumberFormat f(NumberFormat::comma());
    StatoLavoro s;
    load(s, kExample);
    runTransformation(s, 640, 480);
    const auto &t = s.TabellaRiferimenti;
    ASSERT_EQ(t.size(), 4u);
    EXPECT_NEAR(t[0][rif::PixelLen], 111.803399, kSix);
    EXPECT_NEAR(t[0][rif::RealLen], 5.0, kSix);
    EXPECT_NEAR(t[0][rif::Angle], 0.463648, kSix);
    EXPECT_NEAR(t[0][rif::MetricX], 4.472136, kSix);
    EXPECT_NEAR(t[0][rif::MetricY], 2.236068, kSix);
    EXPECT_NEAR(t[0][rif::XRatio], 0.045634, kSix);
    EXPECT_NEAR(t[0][rif::YRatio], 0.046585, kSix);
    EXPECT_NEAR(t[1][rif::MetricX], 13.416408, kSix);
    EXPECT_NEAR(t[1][rif::XRatio], 0.044946, kSix);
    EXPECT_NEAR(t[3][rif::RealLen], 11.980150, kSix);
    EXPECT_NEAR(t[3][rif::MetricX], 28.576949, kSix);
    // The far corner and the spans with their "minus one" and "minus two".
    EXPECT_EQ(t[3][rif::X], 639);
    EXPECT_EQ(t[3][rif::Y], 479);
    EXPECT_EQ(t[0][rif::ColSpan], 98);
    EXPECT_EQ(t[0][rif::RowSpan], 48);
    EXPECT_EQ(t[1][rif::ColSpan], 199);
    EXPECT_EQ(t[1][rif::RowSpan], 99);
    EXPECT_EQ(t[3][rif::ColSpan], 138);
    EXPECT_EQ(t[3][rif::RowSpan], 228);
    EXPECT_EQ(t[1][rif::RealLen], 10);
    EXPECT_EQ(t[2][rif::RealLen], 10);
}

TEST(Trasformazione, WorkedExampleGrid)
{
    ScopedNumberFormat f(NumberFormat::dot());
    StatoLavoro s;
    load(s, kExample);
    runTransformation(s, 640, 480);
    ASSERT_EQ(s.GrigliaMetrica.rows, 480);
    ASSERT_EQ(s.GrigliaMetrica.cols, 640);
    const std::pair<int, double> xs[]
        = {{0, 0.0}, {1, 0.045634}, {100, 4.563404}, {101, 4.517082}, {300, 13.461354}, {639, 28.621994}};
    const std::pair<int, double> ys[]
        = {{0, 0.0}, {1, 0.046585}, {50, 2.329237}, {51, 2.281241}, {150, 6.753377}, {479, 21.466449}};
    for (int r : {0, 1, 77, 479})
        for (const auto &[c, x] : xs)
            EXPECT_NEAR(gx(s, r, c), x, kSix) << "row " << r << " column " << c;
    for (int c : {0, 5, 638})
        for (const auto &[r, y] : ys)
            EXPECT_NEAR(gy(s, r, c), y, kSix) << "row " << r << " column " << c;
    // Separable: x depends on the column only, y on the row only.
    for (int r = 0; r < 480; r += 37)
        for (int c = 0; c < 640; c += 41) {
            EXPECT_EQ(gx(s, r, c), gx(s, 0, c));
            EXPECT_EQ(gy(s, r, c), gy(s, r, 0));
        }
}

TEST(Trasformazione, RightToLeftEntryGivesTheSameGrid)
{
    StatoLavoro a;
    load(a, kExample);
    runTransformation(a, 640, 480);
    StatoLavoro b;
    load(b, {{"500", "300", "100"}, {"250", "150", "50"}, {"10", "10"}, ReadingDirection::Origine640480});
    runTransformation(b, 640, 480);
    EXPECT_EQ(a.TabellaRiferimenti, b.TabellaRiferimenti);
    EXPECT_EQ(a.GrigliaMetrica.data, b.GrigliaMetrica.data);
}

TEST(Trasformazione, NoDirectionTickedReadsAsOrigine00)
{
    StatoLavoro a;
    load(a, kExample);
    runTransformation(a, 640, 480);
    Scene none = kExample;
    none.noDirection = true;
    StatoLavoro b;
    load(b, none);
    runTransformation(b, 640, 480);
    EXPECT_EQ(a.GrigliaMetrica.data, b.GrigliaMetrica.data);
}

TEST(Trasformazione, AdjacentColumnsAndRowsUseTheSentinel)
{
    ScopedNumberFormat f(NumberFormat::comma());
    StatoLavoro s;
    load(s, {{"100", "101", "500"}, {"50", "51", "250"}, {"10", "10"}});
    runTransformation(s, 640, 480);
    const auto &t = s.TabellaRiferimenti;
    EXPECT_EQ(t[1][rif::ColSpan], 0);
    EXPECT_EQ(t[1][rif::XRatio], kMissingRatio);
    EXPECT_EQ(t[1][rif::RowSpan], 0);
    EXPECT_EQ(t[1][rif::YRatio], kMissingRatio);
    EXPECT_FALSE(isUsableRatio(t[1][rif::XRatio]));
    EXPECT_EQ(gx(s, 10, 101), t[1][rif::MetricX]);
    EXPECT_EQ(gy(s, 51, 10), t[1][rif::MetricY]);
    // The next column restarts from the point's own metric x.
    EXPECT_NEAR(gx(s, 10, 102), t[1][rif::MetricX] + t[2][rif::XRatio], 1e-12);
}

TEST(Trasformazione, PointLeftOfItsPredecessorIsNotInterpolated)
{
    StatoLavoro s;
    load(s, {{"100", "300", "200"}, {"50", "150", "200"}, {"10", "10"}});
    runTransformation(s, 640, 480);
    const auto &t = s.TabellaRiferimenti;
    EXPECT_EQ(t[2][rif::ColSpan], -101);
    EXPECT_LT(t[2][rif::XRatio], 0.0);
    // Columns 101..200 come from the first segment only.
    EXPECT_NEAR(gx(s, 0, 150), t[0][rif::MetricX] + 50 * t[1][rif::XRatio], 1e-12);
    // Columns 201..300 were written by the first segment and then overwritten
    // by the far-corner segment, which starts at column 200.
    EXPECT_NEAR(gx(s, 0, 250), t[2][rif::MetricX] + 50 * t[3][rif::XRatio], 1e-12);
    EXPECT_NEAR(gx(s, 0, 639), t[2][rif::MetricX] + 439 * t[3][rif::XRatio], 1e-12);
}

TEST(Trasformazione, EmptyLinesInBothKindsOfCopy)
{
    StatoLavoro reference;
    load(reference, kExample);
    runTransformation(reference, 640, 480);

    // Reversed: empty lines anywhere are dropped.
    StatoLavoro reversed;
    load(reversed,
         {{"", "500", "", "300", "100"},
          {"250", "", "150", "50", ""},
          {"10", "", "10", ""},
          ReadingDirection::Origine640480});
    runTransformation(reversed, 640, 480);
    EXPECT_EQ(reversed.Prospettiva.coordinataXPixelD.lines(), (std::vector<std::string> {"100", "300", "500"}));
    EXPECT_EQ(reversed.Prospettiva.DistanzeRealiD.lines(), (std::vector<std::string> {"10", "10"}));
    EXPECT_EQ(reversed.GrigliaMetrica.data, reference.GrigliaMetrica.data);

    // Not reversed: the empty lines are copied and stop the transformation.
    StatoLavoro kept;
    load(kept, kExample);
    runTransformation(kept, 640, 480);
    const MetricGrid before = kept.GrigliaMetrica;
    load(kept, {{"100", "", "300", "500"}, {"50", "", "150", "250"}, {"10", "", "10"}});
    EXPECT_THROW(runTransformation(kept, 640, 480), ConversionError);
    EXPECT_EQ(kept.Prospettiva.coordinataXPixelD.lines(), (std::vector<std::string> {"100", "", "300", "500"}));
    EXPECT_EQ(kept.GrigliaMetrica.data, before.data);
}

TEST(Trasformazione, PressingTwiceLeavesIdenticalTables)
{
    for (auto d : {ReadingDirection::Origine00, ReadingDirection::Origine0480}) {
        StatoLavoro s;
        load(s, {{"100", "300", "500"}, {"50", "150", "250"}, {"10", "10"}, d});
        if (d == ReadingDirection::Origine0480)
            s.Prospettiva.coordinataYPixelP.lines() = {"429", "329", "229"};
        runTransformation(s, 640, 480);
        const auto table = s.TabellaRiferimenti;
        const auto grid = s.GrigliaMetrica.data;
        runTransformation(s, 640, 480);
        EXPECT_EQ(s.TabellaRiferimenti, table);
        EXPECT_EQ(s.GrigliaMetrica.data, grid);
    }
}

TEST(Trasformazione, FailuresLeaveGridAndTableAsTheyWere)
{
    ScopedNumberFormat f(NumberFormat::comma());
    struct Case
    {
        const char *what;
        Scene scene;
        bool arithmetic;
    };
    const Case cases[] = {
        {"distance with a dot", {{"100", "300", "500"}, {"50", "150", "250"}, {"10", "10.5"}}, false},
        {"column not an integer", {{"100", "3O0", "500"}, {"50", "150", "250"}, {"10", "10"}}, false},
        {"row with a blank", {{"100", "300", "500"}, {"50", "150 ", "250"}, {"10", "10"}}, false},
        {"first point on the origin", {{"0", "300", "500"}, {"0", "150", "250"}, {"10", "10"}}, true},
        {"two equal points", {{"100", "300", "300"}, {"50", "150", "150"}, {"10", "10"}}, true},
        {"last point on the far corner", {{"100", "300", "639"}, {"50", "150", "479"}, {"10", "10"}}, true},
        {"first point in column 2", {{"2", "300", "500"}, {"50", "150", "250"}, {"10", "10"}}, true},
        {"first point in row 2", {{"100", "300", "500"}, {"2", "150", "250"}, {"10", "10"}}, true},
    };
    for (const Case &c : cases) {
        StatoLavoro s;
        load(s, kExample);
        runTransformation(s, 640, 480);
        const auto table = s.TabellaRiferimenti;
        const auto grid = s.GrigliaMetrica.data;
        load(s, c.scene);
        try {
            runTransformation(s, 640, 480);
            ADD_FAILURE() << c.what << ": no error";
        } catch (const ArithmeticError &e) {
            EXPECT_TRUE(c.arithmetic) << c.what << ": " << e.what();
        } catch (const ConversionError &e) {
            EXPECT_FALSE(c.arithmetic) << c.what << ": " << e.what();
        }
        EXPECT_EQ(s.TabellaRiferimenti, table) << c.what;
        EXPECT_EQ(s.GrigliaMetrica.data, grid) << c.what;
    }
}

TEST(Trasformazione, RowTwoIsAcceptedForBottomOrigin)
{
    StatoLavoro s;
    load(s, {{"100", "300", "500"}, {"2", "1", "0"}, {"10", "10"}, ReadingDirection::Origine0480});
    // The far corner (639, 0) is not on the last point: this runs.
    EXPECT_NO_THROW(runTransformation(s, 640, 480));
}

TEST(Trasformazione, Refusals)
{
    struct Case
    {
        const char *what;
        Scene scene;
        int width;
        int height;
        const char *message;
    };
    const Case cases[] = {
        {"no point", {{}, {}, {}}, 640, 480, "Nessun punto di riferimento"},
        {"unequal lists", {{"100", "300"}, {"50"}, {"10"}}, 640, 480, "non hanno la stessa lunghezza"},
        {"too few distances", {{"100", "300", "500"}, {"50", "150", "250"}, {"10"}}, 640, 480, "servono 2 distanze"},
        {"too many distances", {{"100", "300"}, {"50", "150"}, {"10", "10"}}, 640, 480, "la lista ne ha 2"},
        {"one point, no distance", {{"100"}, {"50"}, {}}, 640, 480, "servono 1 distanza"},
        {"column beyond the frame", {{"100", "640"}, {"50", "150"}, {"10"}}, 640, 480, "(640, 150) è fuori"},
        {"negative row", {{"100", "300"}, {"-1", "150"}, {"10"}}, 640, 480, "(100, -1) è fuori"},
        {"row beyond the frame", {{"100", "300"}, {"50", "480"}, {"10"}}, 640, 480, "fuori dal fotogramma"},
        {"no frame", kExample, 0, 0, "Nessun fotogramma"},
    };
    for (const Case &c : cases) {
        StatoLavoro s;
        load(s, c.scene);
        try {
            runTransformation(s, c.width, c.height);
            ADD_FAILURE() << c.what << ": accepted";
        } catch (const RefusalError &e) {
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << c.what << ": " << e.what();
        }
        EXPECT_TRUE(s.GrigliaMetrica.empty()) << c.what;
        EXPECT_TRUE(s.TabellaRiferimenti.empty()) << c.what;
    }
}

TEST(Trasformazione, SinglePointWithOneDistance)
{
    StatoLavoro s;
    load(s, {{"100"}, {"50"}, {"7"}});
    runTransformation(s, 640, 480);
    ASSERT_EQ(s.TabellaRiferimenti.size(), 2u);
    for (double v : s.GrigliaMetrica.data)
        ASSERT_TRUE(std::isfinite(v));
}

// Bottom-origin: y is continuous and changes by each segment's metres per row.
TEST(Trasformazione, BottomOriginY)
{
    StatoLavoro s;
    load(s, {{"100", "300", "500"}, {"429", "329", "229"}, {"10", "10"}, ReadingDirection::Origine0480});
    runTransformation(s, 640, 480);
    const auto &t = s.TabellaRiferimenti;
    EXPECT_EQ(t[3][rif::Y], 0);
    EXPECT_NEAR(t[0][rif::MetricY], 479 - 2.236068, kSix);
    EXPECT_NEAR(t[1][rif::MetricY], 479 - 2.236068 - 4.472136, kSix);
    EXPECT_EQ(t[0][rif::RowSpan], 50);
    EXPECT_EQ(t[1][rif::RowSpan], 100);
    EXPECT_NEAR(t[0][rif::YRatio], 0.044721, kSix);
    EXPECT_NEAR(t[1][rif::YRatio], 0.044721, kSix);
    // Worked values.
    EXPECT_EQ(gy(s, 479, 3), 479.0);
    EXPECT_NEAR(gy(s, 454, 3), 477.881966, kSix);
    EXPECT_NEAR(gy(s, 429, 3), 476.763932, kSix);
    EXPECT_NEAR(gy(s, 379, 3), 474.527864, kSix);
    EXPECT_NEAR(gy(s, 329, 3), 472.291796, kSix);
    // Each point's row holds its metric y; each band changes by its ratio per row.
    for (int k = 0; k <= 3; ++k)
        EXPECT_NEAR(gy(s, static_cast<int>(t[k][rif::Y]), 0), t[k][rif::MetricY], 1e-9) << k;
    int k = 0;
    for (int r = 478; r >= 0; --r) {
        while (k < 3 && r < t[k][rif::Y])
            ++k;
        EXPECT_NEAR(gy(s, r + 1, 0) - gy(s, r, 0), t[k][rif::YRatio], 1e-9) << "row " << r;
    }
    // x is the same as for the mirrored top-origin example.
    StatoLavoro top;
    load(top, kExample);
    runTransformation(top, 640, 480);
    for (int c = 0; c < 640; ++c)
        EXPECT_NEAR(gx(s, 0, c), gx(top, 0, c), 1e-12) << c;
    // And the reversed bottom direction gives the same grid.
    StatoLavoro rev;
    load(rev, {{"500", "300", "100"}, {"229", "329", "429"}, {"10", "10"}, ReadingDirection::Origine6400});
    runTransformation(rev, 640, 480);
    EXPECT_EQ(rev.GrigliaMetrica.data, s.GrigliaMetrica.data);
}

// GPS mode: every ratio is a difference in the GPS frame, the end segments are
// scaled by their neighbours, and the distance list is not needed.
TEST(Trasformazione, GpsMode)
{
    StatoLavoro s;
    load(s, {{"100", "300", "500"}, {"50", "150", "250"}, {}});
    s.SceltaVersoLetture.usoGPS = true;
    s.Prospettiva.coordinataX_GPSp.lines() = {"1000", "1008", "1016"};
    s.Prospettiva.coordinataY_GPSp.lines() = {"2000", "2006", "2012"};
    runTransformation(s, 640, 480);
    const auto &t = s.TabellaRiferimenti;
    EXPECT_NEAR(t[1][rif::RealLen], 10.0, 1e-12);
    EXPECT_NEAR(t[0][rif::RealLen], 5.0, kSix);
    EXPECT_NEAR(t[3][rif::RealLen], 11.980150, kSix);
    EXPECT_NEAR(t[0][rif::MetricX], 4.472136, kSix);
    EXPECT_NEAR(t[1][rif::XSpan], 8.0, 1e-12);
    EXPECT_NEAR(t[2][rif::XSpan], 8.0, 1e-12);
    EXPECT_NEAR(t[1][rif::YSpan], 6.0, 1e-12);
    EXPECT_NEAR(t[2][rif::YSpan], 6.0, 1e-12);
    EXPECT_NEAR(gx(s, 0, 300), t[0][rif::MetricX] + 200 * (8.0 / 199), 1e-12);
    EXPECT_NEAR(gy(s, 150, 0), t[0][rif::MetricY] + 100 * (6.0 / 99), 1e-12);
    for (double v : s.GrigliaMetrica.data)
        ASSERT_TRUE(std::isfinite(v));

    // Entered right to left: the same grid.
    StatoLavoro r;
    load(r, {{"500", "300", "100"}, {"250", "150", "50"}, {}, ReadingDirection::Origine640480});
    r.SceltaVersoLetture.usoGPS = true;
    r.Prospettiva.coordinataX_GPSp.lines() = {"1016", "1008", "1000"};
    r.Prospettiva.coordinataY_GPSp.lines() = {"2012", "2006", "2000"};
    runTransformation(r, 640, 480);
    EXPECT_EQ(r.GrigliaMetrica.data, s.GrigliaMetrica.data);
}

TEST(Trasformazione, GpsRefusalsAndErrors)
{
    StatoLavoro s;
    load(s, {{"100"}, {"50"}, {}});
    s.SceltaVersoLetture.usoGPS = true;
    s.Prospettiva.coordinataX_GPSp.lines() = {"1000"};
    s.Prospettiva.coordinataY_GPSp.lines() = {"2000"};
    EXPECT_THROW(runTransformation(s, 640, 480), RefusalError);
    load(s, {{"100", "300"}, {"50", "150"}, {}});
    s.Prospettiva.coordinataX_GPSp.lines() = {"1000", "1008"};
    s.Prospettiva.coordinataY_GPSp.lines() = {"2000"};
    EXPECT_THROW(runTransformation(s, 640, 480), RefusalError);
    s.Prospettiva.coordinataY_GPSp.lines() = {"2000", ""}; // confirmed with an empty field
    EXPECT_THROW(runTransformation(s, 640, 480), ConversionError);
    EXPECT_TRUE(s.GrigliaMetrica.empty());
    // Two points on the same pixel still divide by zero in GPS mode.
    load(s, {{"100", "100", "300"}, {"50", "50", "150"}, {}});
    s.Prospettiva.coordinataX_GPSp.lines() = {"1000", "1004", "1008"};
    s.Prospettiva.coordinataY_GPSp.lines() = {"2000", "2003", "2006"};
    EXPECT_THROW(runTransformation(s, 640, 480), ArithmeticError);
    EXPECT_TRUE(s.GrigliaMetrica.empty());
}

TEST(Trasformazione, ResizeKeepsExistingCells)
{
    MetricGrid g;
    g.resize(2, 3);
    for (std::size_t i = 0; i < g.data.size(); ++i)
        g.data[i] = static_cast<double>(i + 1);
    resizeKeepingCells(g, 3, 2);
    ASSERT_EQ(g.rows, 3);
    ASSERT_EQ(g.cols, 2);
    EXPECT_EQ(g.data, (std::vector<double> {1, 2, 3, 4, 7, 8, 9, 10, 0, 0, 0, 0}));
}

TEST(Trasformazione, NormalisationCopies)
{
    StatoProspettiva p;
    p.coordinataXPixelP.lines() = {"1", "", "3"};
    p.coordinataYPixelP.lines() = {"4", "5", ""};
    p.DistanzeRealiP.lines() = {""};
    p.coordinataX_GPSp.lines() = {"7", "8"};
    p.coordinataX_GPSd.lines() = {"old"};
    normaliseReferenceLists(p, false, false);
    EXPECT_EQ(p.coordinataXPixelD.lines(), (std::vector<std::string> {"1", "", "3"}));
    EXPECT_EQ(p.coordinataYPixelD.lines(), (std::vector<std::string> {"4", "5", ""}));
    EXPECT_EQ(p.DistanzeRealiD.lines(), (std::vector<std::string> {""}));
    EXPECT_EQ(p.coordinataX_GPSd.lines(), (std::vector<std::string> {"old"})); // GPS pair untouched without GPS
    normaliseReferenceLists(p, true, true);
    EXPECT_EQ(p.coordinataXPixelD.lines(), (std::vector<std::string> {"3", "1"}));
    EXPECT_EQ(p.coordinataYPixelD.lines(), (std::vector<std::string> {"5", "4"}));
    EXPECT_TRUE(p.DistanzeRealiD.empty());
    EXPECT_EQ(p.coordinataX_GPSd.lines(), (std::vector<std::string> {"8", "7"}));
    EXPECT_TRUE(p.coordinataY_GPSd.empty());
}

// The rules of the fill written out cell by cell, as they read, for the
// top-origin directions; compared with the separable fill on random points.
namespace {

void literalFill(MetricGrid &g, const std::vector<RigaRiferimenti> &t)
{
    const int n = static_cast<int>(t.size()) - 1;
    const int w = g.cols;
    const int h = g.rows;
    const int x0 = static_cast<int>(t[0][0]);
    const int y0 = static_cast<int>(t[0][1]);
    for (int r = 0; r < h; ++r) {
        g.at(r, 0, 0) = 0;
        for (int c = 1; c <= x0; ++c)
            g.at(r, c, 0) = isUsableRatio(t[0][10]) ? c * t[0][10] : t[0][6];
        for (int c = x0 + 1; c < w; ++c)
            for (int k = 1; k <= n; ++k)
                if (t[k][0] == c) {
                    const int prev = static_cast<int>(t[k - 1][0]);
                    if (c >= prev + 1)
                        for (int j = prev + 1; j <= c; ++j)
                            g.at(r, j, 0) = isUsableRatio(t[k][10]) ? t[k - 1][6] + (j - prev) * t[k][10] : t[k][6];
                    break;
                }
    }
    for (int c = 0; c < w; ++c) {
        g.at(0, c, 1) = 0;
        for (int r = 1; r <= y0; ++r)
            g.at(r, c, 1) = isUsableRatio(t[0][13]) ? r * t[0][13] : t[0][7];
        for (int r = y0 + 1; r < h; ++r)
            for (int k = 1; k <= n; ++k)
                if (t[k][1] == r) {
                    const int prev = static_cast<int>(t[k - 1][1]);
                    if (r >= prev + 1)
                        for (int i = prev + 1; i <= r; ++i)
                            g.at(i, c, 1) = isUsableRatio(t[k][13]) ? t[k - 1][7] + (i - prev) * t[k][13] : t[k][7];
                    break;
                }
    }
}

} // namespace

TEST(Trasformazione, SeparableFillMatchesTheLiteralRules)
{
    std::mt19937 rng(20261209);
    int compared = 0;
    for (int trial = 0; trial < 200; ++trial) {
        const int w = 40 + static_cast<int>(rng() % 60);
        const int h = 30 + static_cast<int>(rng() % 50);
        const int n = 1 + static_cast<int>(rng() % 6);
        StatoLavoro s;
        for (int k = 0; k < n; ++k) {
            s.Prospettiva.coordinataXPixelP.append(intText(static_cast<int>(rng() % w)));
            s.Prospettiva.coordinataYPixelP.append(intText(static_cast<int>(rng() % h)));
        }
        for (int k = 0; k < std::max(n - 1, 1); ++k)
            s.Prospettiva.DistanzeRealiP.append(intText(1 + static_cast<int>(rng() % 30)));
        chooseReadingDirection(s.SceltaVersoLetture, ReadingDirection::Origine00);
        try {
            runTransformation(s, w, h);
        } catch (const ArithmeticError &) {
            continue; // coinciding points: nothing to compare
        }
        MetricGrid literal;
        literal.resize(h, w);
        literalFill(literal, s.TabellaRiferimenti);
        ASSERT_EQ(literal.data, s.GrigliaMetrica.data) << "trial " << trial;
        ++compared;
    }
    EXPECT_GT(compared, 150);
}
