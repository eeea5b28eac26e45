// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/diagramma_spazio_tempo.hpp"

#include "common/numbers.hpp"

#include <algorithm>

namespace kalvor {

Rgb coloreArco(int arco)
{
    return arco == 1 ? colors::blue : colors::red;
}

Grafico diagrammaSpazioTempo(const std::vector<Traiettoria> &traiettorie, int larghezza, int altezza,
                             const MarginiGrafico &margini)
{
    AreaGrafico area {margini.sinistra, margini.alto, larghezza - margini.destra, altezza - margini.basso};
    bool vuoto = true;
    for (const Traiettoria &t : traiettorie)
        for (const PuntoTraiettoria &p : t.punti) {
            area.x0 = vuoto ? p.tempo : std::min(area.x0, p.tempo);
            area.x1 = vuoto ? p.tempo : std::max(area.x1, p.tempo);
            area.y0 = vuoto ? p.x : std::min(area.y0, p.x);
            area.y1 = vuoto ? p.x : std::max(area.y1, p.x);
            vuoto = false;
        }
    if (area.x1 == area.x0) {
        area.x0 -= 1.0;
        area.x1 += 1.0;
    }
    if (area.y1 == area.y0) {
        area.y0 -= 1.0;
        area.y1 += 1.0;
    }

    Grafico g {larghezza, altezza, {}};
    Drawing &d = g.disegno;
    d.push_back(DrawPrimitive::label(area.sinistra, 8, "Diagramma spazio-tempo", colors::black, 12, true));
    d.push_back(DrawPrimitive::label(area.sinistra + 120, 32, "Arco SUPERIORE", coloreArco(1)));
    d.push_back(DrawPrimitive::label(area.sinistra + 280, 32, "Arco INFERIORE", coloreArco(2)));
    disegnaAssi(d, area, {"tempo [s]", "posizione X [m]"}, passoTacche(area.x1 - area.x0, 10),
                passoTacche(area.y1 - area.y0, 8));
    if (vuoto)
        d.push_back(DrawPrimitive::label(area.sinistra + 10, area.alto + 10, "nessun veicolo", colors::black));

    for (const Traiettoria &t : traiettorie) {
        if (t.punti.empty())
            continue;
        const Rgb colore = coloreArco(t.arco);
        for (std::size_t k = 1; k < t.punti.size(); ++k)
            d.push_back(DrawPrimitive::line(area.px(t.punti[k - 1].tempo), area.py(t.punti[k - 1].x),
                                            area.px(t.punti[k].tempo), area.py(t.punti[k].x), colore));
        const PuntoTraiettoria &ultimo = t.punti.back();
        d.push_back(
            DrawPrimitive::label(area.px(ultimo.tempo) + 3, area.py(ultimo.x) - 6, fixedText(t.veicolo), colore));
    }
    return g;
}

} // namespace kalvor
