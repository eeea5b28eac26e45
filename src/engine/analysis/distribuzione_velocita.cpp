// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/distribuzione_velocita.hpp"

#include "analysis/statistiche.hpp"
#include "common/numbers.hpp"

#include <algorithm>
#include <cmath>

namespace kalvor {

std::vector<ClasseVelocita> classiVelocita(const std::vector<double> &velocita)
{
    if (velocita.empty())
        return {};
    const auto [minima, massima] = std::minmax_element(velocita.begin(), velocita.end());
    const double prima = std::floor(*minima / ampiezzaClasseVelocita);
    const double ultima = std::floor(*massima / ampiezzaClasseVelocita);
    std::vector<ClasseVelocita> classi(static_cast<std::size_t>(ultima - prima) + 1);
    for (std::size_t k = 0; k < classi.size(); ++k) {
        classi[k].da = (prima + static_cast<double>(k)) * ampiezzaClasseVelocita;
        classi[k].a = classi[k].da + ampiezzaClasseVelocita;
    }
    for (double v : velocita)
        ++classi[static_cast<std::size_t>(std::floor(v / ampiezzaClasseVelocita) - prima)].veicoli;
    return classi;
}

namespace {

Rgb tenue(Rgb c)
{
    const auto schiarisci = [](std::uint8_t v) { return static_cast<std::uint8_t>(v + (255 - v) * 3 / 5); };
    return Rgb {schiarisci(c.r), schiarisci(c.g), schiarisci(c.b)};
}

constexpr Rgb coloreMedia {0, 128, 0};
constexpr Rgb colore85 {160, 0, 160};

} // namespace

Grafico distribuzioneVelocita(const std::vector<double> &velocita, int arco, int larghezza, int altezza,
                              const MarginiGrafico &margini)
{
    const std::vector<ClasseVelocita> classi = classiVelocita(velocita);
    int massimo = 1;
    for (const ClasseVelocita &c : classi)
        massimo = std::max(massimo, c.veicoli);

    AreaGrafico area {margini.sinistra, margini.alto, larghezza - margini.destra, altezza - margini.basso};
    area.x0 = classi.empty() ? 0.0 : classi.front().da;
    area.x1 = classi.empty() ? ampiezzaClasseVelocita : classi.back().a;
    area.y0 = 0.0;
    area.y1 = massimo;

    Grafico g {larghezza, altezza, {}};
    Drawing &d = g.disegno;
    const std::string nome = arco == 1 ? "Arco SUPERIORE" : "Arco INFERIORE";
    d.push_back(
        DrawPrimitive::label(area.sinistra, 8, "Distribuzione delle velocità - " + nome, colors::black, 12, true));
    const Rgb colore = coloreArco(arco);
    for (const ClasseVelocita &c : classi)
        if (c.veicoli > 0)
            d.push_back(DrawPrimitive::filledRectangle(area.px(c.da), area.py(c.veicoli), area.px(c.a) + 1,
                                                       area.basso + 1, colore, tenue(colore)));
    disegnaAssi(d, area, {"velocità [km/h]", "veicoli"},
                std::max(ampiezzaClasseVelocita, passoTacche(area.x1 - area.x0, 12)),
                std::max(1.0, passoTacche(area.y1 - area.y0, 8)));
    if (classi.empty()) {
        d.push_back(DrawPrimitive::label(area.sinistra + 10, area.alto + 10, "nessun veicolo", colors::black));
        return g;
    }

    const double vMedia = *media(velocita);
    const double v85 = *percentile(velocita, 0.85);
    const int xMedia = area.px(vMedia);
    const int x85 = area.px(v85);
    d.push_back(DrawPrimitive::line(xMedia, area.alto, xMedia, area.basso + 1, coloreMedia));
    d.push_back(DrawPrimitive::line(x85, area.alto, x85, area.basso + 1, colore85));
    d.push_back(DrawPrimitive::label(area.sinistra, 32, "media " + hashPatternTextZero(vMedia) + " km/h", coloreMedia));
    d.push_back(DrawPrimitive::label(area.sinistra + 200, 32, "85° percentile " + hashPatternTextZero(v85) + " km/h",
                                     colore85));
    return g;
}

} // namespace kalvor
