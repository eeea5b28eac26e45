// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/errors.hpp"
#include "geometry/figura_verso.hpp"
#include "geometry/prospettiva.hpp"
#include "geometry/segno_punto.hpp"
#include "geometry/verso_letture.hpp"

#include <gtest/gtest.h>

using namespace kalvor;

namespace {

void fillEveryList(StatoProspettiva &p)
{
    for (TextList *l :
         {&p.coordinataXPixelP, &p.coordinataYPixelP, &p.DistanzeRealiP, &p.coordinataX_GPSp, &p.coordinataY_GPSp,
          &p.coordinataXPixelD, &p.coordinataYPixelD, &p.DistanzeRealiD, &p.coordinataX_GPSd, &p.coordinataY_GPSd})
        l->lines() = {"1", "2"};
}

} // namespace

TEST(PointMarker, ExactShape)
{
    const Drawing d = pointMarker(100, 50);
    ASSERT_EQ(d.size(), 3u);
    EXPECT_EQ(d[0], DrawPrimitive::ellipse(98, 48, 103, 53, colors::red));
    EXPECT_FALSE(d[0].filled);
    EXPECT_EQ(d[1], DrawPrimitive::line(92, 50, 108, 50, colors::red));
    EXPECT_EQ(d[2], DrawPrimitive::line(100, 42, 100, 58, colors::red));
    const DrawPrimitive clear = clearedOverlay();
    EXPECT_EQ(clear.shape, Shape::Rectangle);
    EXPECT_TRUE(clear.filled);
    EXPECT_EQ(clear.fill, colors::white);
    EXPECT_EQ(clear.x2, 1920);
    EXPECT_EQ(clear.y2, 1080);
}

TEST(Prospettiva, AzzeraDatiEmptiesTenListsAndTheDirection)
{
    StatoLavoro s;
    s.Estrattore.Cartella = "/frames/";
    s.Prospettiva.FotogrammaIniziale = "12";
    fillEveryList(s.Prospettiva);
    chooseReadingDirection(s.SceltaVersoLetture, ReadingDirection::Origine0480);
    s.SceltaVersoLetture.usoGPS = true;
    EXPECT_EQ(startReferenceReset(s), "/frames/12.png");
    EXPECT_EQ(s.FotogrammaProspettiva, 12);
    finishAzzeraDati(s);
    const StatoProspettiva &p = s.Prospettiva;
    for (const TextList *l :
         {&p.coordinataXPixelP, &p.coordinataYPixelP, &p.DistanzeRealiP, &p.coordinataX_GPSp, &p.coordinataY_GPSp,
          &p.coordinataXPixelD, &p.coordinataYPixelD, &p.DistanzeRealiD, &p.coordinataX_GPSd, &p.coordinataY_GPSd})
        EXPECT_TRUE(l->empty());
    const auto &v = s.SceltaVersoLetture;
    EXPECT_FALSE(v.Origine00 || v.Origine0480 || v.Origine640480 || v.Origine6400);
    EXPECT_TRUE(v.usoGPS);
}

TEST(Prospettiva, AzzeraSenzaRichiesteKeepsGpsListsAndDirection)
{
    StatoLavoro s;
    fillEveryList(s.Prospettiva);
    chooseReadingDirection(s.SceltaVersoLetture, ReadingDirection::Origine6400);
    finishAzzeraSenzaRichieste(s);
    const StatoProspettiva &p = s.Prospettiva;
    for (const TextList *l : {&p.coordinataXPixelP, &p.coordinataYPixelP, &p.DistanzeRealiP, &p.coordinataXPixelD,
                              &p.coordinataYPixelD, &p.DistanzeRealiD})
        EXPECT_TRUE(l->empty());
    for (const TextList *l : {&p.coordinataX_GPSp, &p.coordinataY_GPSp, &p.coordinataX_GPSd, &p.coordinataY_GPSd})
        EXPECT_EQ(l->count(), 2);
    EXPECT_TRUE(s.SceltaVersoLetture.Origine6400);
}

TEST(Prospettiva, BadStartFrameChangesNothing)
{
    StatoLavoro s;
    s.FotogrammaProspettiva = 4;
    s.Prospettiva.FotogrammaIniziale = "1a";
    EXPECT_THROW(startReferenceReset(s), ConversionError);
    EXPECT_EQ(s.FotogrammaProspettiva, 4);
}

TEST(Prospettiva, ClicksAppendPointsAndStepsAreUnbounded)
{
    StatoLavoro s;
    EXPECT_EQ(recordReferencePoint(s, 10, 20), pointMarker(10, 20));
    recordReferencePoint(s, 700, 1000); // beyond the view, still recorded
    EXPECT_EQ(s.Prospettiva.coordinataXPixelP.lines(), (std::vector<std::string> {"10", "700"}));
    EXPECT_EQ(s.Prospettiva.coordinataYPixelP.lines(), (std::vector<std::string> {"20", "1000"}));
    s.FotogrammaProspettiva = 0;
    EXPECT_EQ(stepReferenceFrame(s, -1), "-1.png");
    EXPECT_EQ(stepReferenceFrame(s, 1), "0.png");
}

TEST(Prospettiva, DisegnaPuntiKeepsMarkersDrawnBeforeABadLine)
{
    StatoProspettiva p;
    p.coordinataXPixelP.lines() = {"10", "x", "30"};
    p.coordinataYPixelP.lines() = {"11", "21", "31"};
    Drawing d;
    EXPECT_THROW(drawReferencePoints(p, d), ConversionError);
    ASSERT_EQ(d.size(), 4u); // cleared overlay and one marker
    EXPECT_EQ(d[0], clearedOverlay());
    EXPECT_EQ(Drawing(d.begin() + 1, d.end()), pointMarker(10, 11));
    p.coordinataXPixelP.setLine(1, "20");
    d.clear();
    drawReferencePoints(p, d);
    EXPECT_EQ(d.size(), 10u);
}

TEST(PuntiGPS, ThreeConfirmedPointsFillFourLists)
{
    StatoLavoro s;
    const std::pair<int, int> clicks[] = {{100, 50}, {300, 150}, {500, 250}};
    for (const auto &[x, y] : clicks) {
        prepareGpsPoint(s, x, y);
        EXPECT_EQ(confirmGpsPoint(s, "1000", "2000"), pointMarker(x, y));
    }
    const StatoProspettiva &p = s.Prospettiva;
    for (const TextList *l : {&p.coordinataXPixelP, &p.coordinataYPixelP, &p.coordinataX_GPSp, &p.coordinataY_GPSp})
        EXPECT_EQ(l->count(), 3);
    EXPECT_EQ(p.coordinataYPixelP.line(2), "250");
    // Empty GPS fields still record the pixel point.
    prepareGpsPoint(s, 7, 8);
    confirmGpsPoint(s, "", "");
    EXPECT_EQ(p.coordinataXPixelP.line(3), "7");
    EXPECT_EQ(p.coordinataX_GPSp.line(3), "");
    EXPECT_EQ(p.coordinataY_GPSp.line(3), "");
    // Hidden fields that are not integers record nothing.
    s.PuntiGPS.Y_TXT = "?";
    EXPECT_THROW(confirmGpsPoint(s, "1", "2"), ConversionError);
    EXPECT_EQ(p.coordinataXPixelP.count(), 4);
    EXPECT_EQ(gpsDialogTopLeft({500, 300}, 251), (ScreenPoint {375, 320}));
}

TEST(SceltaVersoLetture, ChoiceAndCodes)
{
    StatoSceltaVersoLetture v;
    EXPECT_EQ(readingDirection(v), ReadingDirection::Origine00); // closed without a choice
    v.usoGPS = true;
    chooseReadingDirection(v, ReadingDirection::Origine640480);
    chooseReadingDirection(v, ReadingDirection::Origine0480); // a second picture
    EXPECT_FALSE(v.Origine00);
    EXPECT_FALSE(v.Origine640480);
    EXPECT_TRUE(v.Origine0480);
    EXPECT_FALSE(v.Origine6400);
    EXPECT_TRUE(v.usoGPS);
    struct Case
    {
        ReadingDirection d;
        const char *code;
        bool reversed;
        bool bottom;
    };
    const Case cases[] = {{ReadingDirection::Origine00, "00", false, false},
                          {ReadingDirection::Origine640480, "640480", true, false},
                          {ReadingDirection::Origine0480, "0480", false, true},
                          {ReadingDirection::Origine6400, "6400", true, true}};
    for (const Case &c : cases) {
        EXPECT_EQ(directionCode(c.d), c.code);
        EXPECT_EQ(directionFromCode(c.code), c.d);
        EXPECT_EQ(isReversed(c.d), c.reversed) << c.code;
        EXPECT_EQ(isBottomOrigin(c.d), c.bottom) << c.code;
        chooseReadingDirection(v, c.d);
        EXPECT_EQ(readingDirection(v), c.d);
    }
    EXPECT_THROW(directionFromCode("480"), ConversionError);
}

// The pictures: point 1 sits where the table says the numbering starts, and
// the arrow runs from the first point's side toward the last.
TEST(SceltaVersoLetture, PicturesStartWhereTheNumberingStarts)
{
    struct Case
    {
        ReadingDirection d;
        bool startsLeft;
        bool startsTop;
    };
    const Case cases[] = {{ReadingDirection::Origine00, true, true},
                          {ReadingDirection::Origine6400, false, true},
                          {ReadingDirection::Origine0480, true, false},
                          {ReadingDirection::Origine640480, false, false}};
    for (const Case &c : cases) {
        const Drawing d = directionPicture(c.d);
        const DrawPrimitive *one = nullptr;
        const DrawPrimitive *four = nullptr;
        const DrawPrimitive *verso = nullptr;
        for (const DrawPrimitive &p : d) {
            if (p.shape != Shape::Text)
                continue;
            if (p.text == "1")
                one = &p;
            if (p.text == "4")
                four = &p;
            if (p.text == "verso")
                verso = &p;
        }
        ASSERT_TRUE(one && four && verso) << directionCode(c.d);
        EXPECT_EQ(one->x1 < four->x1, c.startsLeft) << directionCode(c.d);
        EXPECT_EQ(one->y1 < four->y1, c.startsTop) << directionCode(c.d);
        for (const DrawPrimitive &p : d) {
            EXPECT_GE(std::min(p.x1, p.x2), -1) << directionCode(c.d);
            EXPECT_LE(std::max(p.x1, p.x2), kDirectionPictureWidth + 1) << directionCode(c.d);
            EXPECT_GE(std::min(p.y1, p.y2), -1) << directionCode(c.d);
            EXPECT_LE(std::max(p.y1, p.y2), kDirectionPictureHeight + 1) << directionCode(c.d);
        }
    }
}
