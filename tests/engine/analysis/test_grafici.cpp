// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/diagramma_spazio_tempo.hpp"
#include "analysis/distribuzione_velocita.hpp"
#include "analysis/svg.hpp"
#include "support/scoped_number_format.hpp"

#include <gtest/gtest.h>

#include <algorithm>

using namespace kalvor;

namespace {

bool contiene(const Drawing &d, const DrawPrimitive &p)
{
    return std::find(d.begin(), d.end(), p) != d.end();
}

std::size_t conta(const Drawing &d, Shape forma, Rgb colore)
{
    return static_cast<std::size_t>(
        std::count_if(d.begin(), d.end(), [&](const DrawPrimitive &p) { return p.shape == forma && p.pen == colore; }));
}

} // namespace

// 900 x 600 with margins 80, 60, 50, 50: the plot spans pixels 80..850 across
// for 0..10 s and 550..60 up for 0..100 m, so t -> 80 + 77 t and
// X -> 550 - 4.9 X.
TEST(Grafici, TimeSpaceDiagramCoordinatesOfASmallTable)
{
    kalvor::testing::ScopedNumberFormat virgola(NumberFormat::comma());
    Traiettoria uno {1, 2, 4.0, {{0.0, 0.0, 0.0}, {10.0, 100.0, 36.0}}};
    Traiettoria due {2, 1, 4.0, {{5.0, 100.0, 0.0}, {7.5, 75.0, 36.0}, {10.0, 50.0, 36.0}}};
    const Grafico g = diagrammaSpazioTempo({uno, due});
    EXPECT_EQ(g.larghezza, 900);
    EXPECT_EQ(g.altezza, 600);
    const Drawing &d = g.disegno;

    EXPECT_TRUE(contiene(d, DrawPrimitive::line(80, 550, 850, 60, colors::red)));
    EXPECT_TRUE(contiene(d, DrawPrimitive::line(465, 60, 658, 182, colors::blue))); // 7.5 s, 75 m: halves round up
    EXPECT_TRUE(contiene(d, DrawPrimitive::line(658, 182, 850, 305, colors::blue)));
    EXPECT_EQ(conta(d, Shape::Line, colors::red), 1u);
    EXPECT_EQ(conta(d, Shape::Line, colors::blue), 2u);
    // Vehicle numbers at the ends of their lines.
    EXPECT_TRUE(contiene(d, DrawPrimitive::label(853, 54, "1", colors::red)));
    EXPECT_TRUE(contiene(d, DrawPrimitive::label(853, 299, "2", colors::blue)));

    // Frame, a tick every second and every 20 m with their values, axis titles.
    EXPECT_TRUE(contiene(d, DrawPrimitive::rectangle(80, 60, 851, 551, colors::black)));
    EXPECT_TRUE(contiene(d, DrawPrimitive::line(465, 550, 465, 556, colors::black)));
    EXPECT_TRUE(contiene(d, DrawPrimitive::label(462, 558, "5", colors::black)));
    EXPECT_TRUE(contiene(d, DrawPrimitive::line(75, 354, 80, 354, colors::black)));
    EXPECT_TRUE(contiene(d, DrawPrimitive::label(60, 347, "40", colors::black)));
    EXPECT_EQ(conta(d, Shape::Line, colors::black), 11u + 6u);
    EXPECT_TRUE(std::any_of(d.begin(), d.end(), [](const DrawPrimitive &p) { return p.text == "tempo [s]"; }));
    EXPECT_TRUE(std::any_of(d.begin(), d.end(), [](const DrawPrimitive &p) { return p.text == "posizione X [m]"; }));
}

TEST(Grafici, SpeedClassesOfFiveKmH)
{
    EXPECT_EQ(classiVelocita({42.0, 50.0, 55.0, 61.0, 70.0, 44.9}),
              (std::vector<ClasseVelocita> {
                  {40, 45, 2}, {45, 50, 0}, {50, 55, 1}, {55, 60, 1}, {60, 65, 1}, {65, 70, 0}, {70, 75, 1}}));
    EXPECT_TRUE(classiVelocita({}).empty());
}

// Classes 40..75 km/h across pixels 80..850 (22 pixels a km/h), 0..2 vehicles
// over 550..60 (245 pixels a vehicle).
TEST(Grafici, SpeedHistogramWithMeanAnd85thPercentileMarked)
{
    kalvor::testing::ScopedNumberFormat virgola(NumberFormat::comma());
    const Grafico g = distribuzioneVelocita({42.0, 43.0, 50.0, 55.0, 61.0, 71.0}, 2);
    const Drawing &d = g.disegno;
    const Rgb rosso = colors::red;
    const Rgb tenue {255, 153, 153};
    EXPECT_TRUE(contiene(d, DrawPrimitive::filledRectangle(80, 60, 191, 551, rosso, tenue))); // 40-45: 2
    EXPECT_TRUE(contiene(d, DrawPrimitive::filledRectangle(300, 305, 411, 551, rosso, tenue))); // 50-55: 1
    EXPECT_TRUE(contiene(d, DrawPrimitive::filledRectangle(740, 305, 851, 551, rosso, tenue))); // 70-75: 1
    EXPECT_EQ(conta(d, Shape::Rectangle, rosso), 5u);
    // Mean 322 / 6 = 53.67 km/h at 80 + 22 * 13.67 = 380.67; 85th percentile:
    // h = 5 * 0.85 = 4.25, 61 + 0.25 * 10 = 63.5 km/h at 80 + 22 * 23.5 = 597.
    EXPECT_TRUE(contiene(d, DrawPrimitive::line(381, 60, 381, 551, Rgb {0, 128, 0})));
    EXPECT_TRUE(contiene(d, DrawPrimitive::line(597, 60, 597, 551, Rgb {160, 0, 160})));
    EXPECT_TRUE(std::any_of(d.begin(), d.end(), [](const DrawPrimitive &p) { return p.text == "media 53,67 km/h"; }));
    EXPECT_TRUE(
        std::any_of(d.begin(), d.end(), [](const DrawPrimitive &p) { return p.text == "85° percentile 63,5 km/h"; }));
    // A tick at every class bound, a value of vehicles at 0, 1 and 2.
    EXPECT_TRUE(contiene(d, DrawPrimitive::label(74, 558, "40", colors::black)));
    EXPECT_TRUE(contiene(d, DrawPrimitive::label(66, 298, "1", colors::black)));
}

TEST(Grafici, EmptyChartsSayTheresNothingToShow)
{
    for (const Grafico &g : {diagrammaSpazioTempo({}), distribuzioneVelocita({}, 1)})
        EXPECT_TRUE(std::any_of(g.disegno.begin(), g.disegno.end(),
                                [](const DrawPrimitive &p) { return p.text == "nessun veicolo"; }));
}

TEST(Grafici, SvgKeepsThePixelsOfThePrimitivesAndEscapesText)
{
    Grafico g {200, 100, {}};
    g.disegno.push_back(DrawPrimitive::line(10, 20, 30, 40, colors::red));
    g.disegno.push_back(DrawPrimitive::filledRectangle(5, 6, 15, 26, colors::blue, Rgb {1, 2, 3}));
    g.disegno.push_back(DrawPrimitive::label(7, 8, "a < b & \"c\"", colors::black, 12, true));
    const std::string svg = svgDiGrafico(g);
    EXPECT_NE(svg.find("width=\"200\" height=\"100\" viewBox=\"0 0 200 100\""), std::string::npos);
    EXPECT_NE(svg.find("<line x1=\"10.5\" y1=\"20.5\" x2=\"30.5\" y2=\"40.5\" stroke=\"rgb(255,0,0)\"/>"),
              std::string::npos);
    EXPECT_NE(svg.find("<rect x=\"5.5\" y=\"6.5\" width=\"9\" height=\"19\" stroke=\"rgb(0,0,255)\" "
                       "fill=\"rgb(1,2,3)\"/>"),
              std::string::npos);
    EXPECT_NE(svg.find("font-size=\"16\" font-weight=\"bold\" fill=\"rgb(0,0,0)\">a &lt; b &amp; "
                       "&quot;c&quot;</text>"),
              std::string::npos);
    EXPECT_EQ(svg.substr(svg.size() - 7), "</svg>\n");
}
