// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/errors.hpp"
#include "geometry/area_captazione.hpp"
#include "geometry/segno_punto.hpp"

#include <gtest/gtest.h>

using namespace kalvor;

namespace {

Drawing withLine(Drawing d, DrawPrimitive line)
{
    d.push_back(line);
    return d;
}

} // namespace

TEST(AreaCaptazione, ClicksAppendRowThenColumnWithColoursAndLines)
{
    StatoAreaCaptazione a;
    EXPECT_EQ(recordAreaPoint(a, 400, 200), pointMarker(400, 200, colors::blue));
    EXPECT_EQ(recordAreaPoint(a, 100, 220),
              withLine(pointMarker(100, 220, colors::blue), DrawPrimitive::line(100, 220, 400, 200, colors::blue)));
    EXPECT_EQ(recordAreaPoint(a, 300, 150), pointMarker(300, 150, colors::red));
    EXPECT_EQ(recordAreaPoint(a, 310, 260),
              withLine(pointMarker(310, 260, colors::red), DrawPrimitive::line(310, 260, 300, 150, colors::red)));
    // A fifth click: a red marker and two more lines nobody reads.
    EXPECT_EQ(recordAreaPoint(a, 5, 6), pointMarker(5, 6, colors::red));
    EXPECT_EQ(a.PuntiRiferimento.lines(),
              (std::vector<std::string> {"200", "400", "220", "100", "150", "300", "260", "310", "6", "5"}));
}

TEST(AreaCaptazione, ConfirmSwapsTheAxisEndsOnly)
{
    StatoAreaCaptazione a;
    a.PuntiRiferimento.lines() = {"200", "400", "220", "100", "150", "300", "260", "10"};
    confirmArea(a, 640, 480);
    EXPECT_EQ(a.PuntiRiferimento.lines(),
              (std::vector<std::string> {"220", "100", "200", "400", "150", "300", "260", "10"}));
    confirmArea(a, 640, 480); // already in order
    EXPECT_EQ(a.PuntiRiferimento.line(1), "100");
}

TEST(AreaCaptazione, ConfirmRefusals)
{
    struct Case
    {
        const char *what;
        std::vector<std::string> lines;
        bool conversion;
    };
    const Case cases[] = {
        {"no point", {}, false},
        {"three points", {"1", "2", "3", "4", "5", "6"}, false},
        {"seven lines", {"1", "2", "3", "4", "5", "6", "7"}, false},
        {"column outside", {"200", "640", "220", "100", "150", "300", "260", "10"}, false},
        {"row outside", {"200", "400", "220", "100", "480", "300", "260", "10"}, false},
        {"negative", {"200", "400", "220", "100", "150", "300", "-1", "10"}, false},
        {"not an integer", {"200", "400", "220", "1OO", "150", "300", "260", "10"}, true},
    };
    for (const Case &c : cases) {
        StatoAreaCaptazione a;
        a.PuntiRiferimento.lines() = c.lines;
        try {
            confirmArea(a, 640, 480);
            ADD_FAILURE() << c.what << ": accepted";
        } catch (const RefusalError &) {
            EXPECT_FALSE(c.conversion) << c.what;
        } catch (const ConversionError &) {
            EXPECT_TRUE(c.conversion) << c.what;
        }
        EXPECT_EQ(a.PuntiRiferimento.lines(), c.lines) << c.what;
    }
    StatoAreaCaptazione a;
    a.PuntiRiferimento.lines() = {"200", "400", "220", "100", "150", "300", "260", "10"};
    EXPECT_THROW(confirmArea(a, 0, 0), RefusalError);
}

TEST(AreaCaptazione, DisegnaElementi)
{
    StatoAreaCaptazione a;
    a.PuntiRiferimento.lines() = {"200", "100", "220", "400", "150", "300", "260", "310"};
    Drawing d;
    drawAreaElements(a, d);
    Drawing expected {clearedOverlay()};
    for (const DrawPrimitive &p : pointMarker(100, 200, colors::blue))
        expected.push_back(p);
    expected.push_back(DrawPrimitive::line(100, 200, 400, 220, colors::blue));
    for (const DrawPrimitive &p : pointMarker(400, 220, colors::blue))
        expected.push_back(p);
    for (const DrawPrimitive &p : pointMarker(300, 150, colors::red))
        expected.push_back(p);
    expected.push_back(DrawPrimitive::line(300, 150, 310, 260, colors::red));
    for (const DrawPrimitive &p : pointMarker(310, 260, colors::red))
        expected.push_back(p);
    EXPECT_EQ(d, expected);

    a.PuntiRiferimento.setLine(4, "x");
    d.clear();
    EXPECT_THROW(drawAreaElements(a, d), ConversionError);
    EXPECT_EQ(d.size(), 8u); // overlay, P1, axis, P2 stay drawn
}

TEST(AreaCaptazione, FrameNamedByTheTextAsTyped)
{
    StatoLavoro s;
    s.Estrattore.Cartella = "/f/";
    s.AreaCaptazione.FotogrammaIniziale = "007";
    EXPECT_EQ(areaFrameFileName(s), "/f/007.png");
    // A text from a job file that is no frame number names no file at all.
    for (const char *text : {"../x", "5/../../etc/passwd", "", "1.png"}) {
        s.AreaCaptazione.FotogrammaIniziale = text;
        EXPECT_THROW(areaFrameFileName(s), ConversionError) << text;
    }
}
