// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/assi_grafico.hpp"

#include "common/numbers.hpp"

#include <cmath>

namespace kalvor {

int AreaGrafico::px(double x) const
{
    return sinistra + static_cast<int>(std::lround((x - x0) / (x1 - x0) * (destra - sinistra)));
}

int AreaGrafico::py(double y) const
{
    return basso - static_cast<int>(std::lround((y - y0) / (y1 - y0) * (basso - alto)));
}

double passoTacche(double ampiezza, int massimo)
{
    if (!(ampiezza > 0.0) || massimo < 1)
        return 1.0;
    const double grezzo = ampiezza / massimo;
    const double potenza = std::pow(10.0, std::floor(std::log10(grezzo)));
    const double normale = grezzo / potenza;
    const double fattore = normale <= 1.0 ? 1.0 : normale <= 2.0 ? 2.0 : normale <= 5.0 ? 5.0 : 10.0;
    return fattore * potenza;
}

namespace {

// Text is placed by its top-left corner; this is about half the width of a
// digit of the default font, to centre tick values under their ticks.
constexpr int mezzoCarattere = 3;

int larghezzaStimata(const std::string &testo)
{
    return 2 * mezzoCarattere * static_cast<int>(testo.size());
}

// Whole multiples of the step within [a, b], tolerant of rounding at the ends.
template<typename F> void perOgniTacca(double a, double b, double passo, F f)
{
    const double margine = passo * 1e-9;
    for (double k = std::ceil((a - margine) / passo); k * passo <= b + margine; k += 1.0)
        f(k * passo);
}

} // namespace

void disegnaAssi(Drawing &d, const AreaGrafico &area, const TitoliAssi &titoli, double passoX, double passoY)
{
    d.push_back(DrawPrimitive::rectangle(area.sinistra, area.alto, area.destra + 1, area.basso + 1, colors::black));
    perOgniTacca(area.x0, area.x1, passoX, [&](double v) {
        const int x = area.px(v);
        const std::string testo = fixedText(v);
        d.push_back(DrawPrimitive::line(x, area.basso, x, area.basso + 6, colors::black));
        d.push_back(DrawPrimitive::label(x - larghezzaStimata(testo) / 2, area.basso + 8, testo, colors::black));
    });
    perOgniTacca(area.y0, area.y1, passoY, [&](double v) {
        const int y = area.py(v);
        const std::string testo = fixedText(v);
        d.push_back(DrawPrimitive::line(area.sinistra - 5, y, area.sinistra, y, colors::black));
        d.push_back(DrawPrimitive::label(area.sinistra - 8 - larghezzaStimata(testo), y - 7, testo, colors::black));
    });
    d.push_back(DrawPrimitive::label((area.sinistra + area.destra) / 2 - larghezzaStimata(titoli.x) / 2,
                                     area.basso + 28, titoli.x, colors::black));
    d.push_back(
        DrawPrimitive::label(area.sinistra - 60 > 4 ? area.sinistra - 60 : 4, area.alto - 20, titoli.y, colors::black));
}

} // namespace kalvor
