// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/traiettorie.hpp"

#include <algorithm>

namespace kalvor {

std::vector<Traiettoria> raggruppaTraiettorie(const std::vector<RigaIstanti> &istanti)
{
    std::vector<std::size_t> ordine;
    ordine.reserve(istanti.size());
    for (std::size_t i = 0; i < istanti.size(); ++i)
        if (istanti[i].Arco == 1.0 || istanti[i].Arco == 2.0)
            ordine.push_back(i);
    // Stable, so sightings of one instant keep the table order.
    std::stable_sort(ordine.begin(), ordine.end(), [&](std::size_t a, std::size_t b) {
        const RigaIstanti &ra = istanti[a];
        const RigaIstanti &rb = istanti[b];
        if (ra.veicolo != rb.veicolo)
            return ra.veicolo < rb.veicolo;
        return ra.tempo < rb.tempo;
    });

    std::vector<Traiettoria> traiettorie;
    double sommaLunghezze = 0.0;
    const auto chiudi = [&] {
        if (!traiettorie.empty())
            traiettorie.back().lunghezza = sommaLunghezze / static_cast<double>(traiettorie.back().punti.size());
    };
    for (std::size_t i : ordine) {
        const RigaIstanti &r = istanti[i];
        if (traiettorie.empty() || traiettorie.back().veicolo != r.veicolo) {
            chiudi();
            traiettorie.push_back(Traiettoria {r.veicolo, static_cast<int>(r.Arco), 0.0, {}});
            sommaLunghezze = 0.0;
        }
        traiettorie.back().punti.push_back(PuntoTraiettoria {r.tempo, r.barX, r.velocita});
        sommaLunghezze += r.lungh;
    }
    chiudi();
    return traiettorie;
}

int versoDiMarcia(const Traiettoria &t)
{
    if (t.punti.empty())
        return 0;
    const double spostamento = t.punti.back().x - t.punti.front().x;
    return spostamento > 0.0 ? 1 : spostamento < 0.0 ? -1 : 0;
}

std::optional<Passaggio> passaggioPer(const Traiettoria &t, double x)
{
    for (std::size_t k = 1; k < t.punti.size(); ++k) {
        const PuntoTraiettoria &a = t.punti[k - 1];
        const PuntoTraiettoria &b = t.punti[k];
        if (!(b.tempo > a.tempo))
            continue;
        const double da = a.x - x;
        const double db = b.x - x;
        if (da == 0.0)
            return Passaggio {a.tempo, b.velocita};
        if ((da < 0.0) != (db < 0.0) || db == 0.0)
            return Passaggio {a.tempo + (x - a.x) / (b.x - a.x) * (b.tempo - a.tempo), b.velocita};
    }
    return std::nullopt;
}

} // namespace kalvor
