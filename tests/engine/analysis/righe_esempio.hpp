// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "state/tabelle.hpp"

#include <vector>

namespace kalvor::testing {

inline RigaIstanti avvistamento(double veicolo, int arco, double tempo, double x, double velocita, double lungh)
{
    RigaIstanti r;
    r.veicolo = veicolo;
    r.barX = x;
    r.corsia = arco;
    r.lungh = lungh;
    r.tempo = tempo;
    r.velocita = velocita;
    r.Arco = arco;
    return r;
}

// Two vehicles of arc 2 (X growing) one after the other and one of arc 1 (X
// falling), in time order. With the section at X = 12:
// - vehicle 1 (4 m): front there when its centre is at 10, t = 0.5; rear when
//   its centre is at 14, t = 0.5 + 4 / 10 * 0.5 = 0.7;
// - vehicle 2 (6 m): front when its centre is at 9, t = 1.5 + 4 / 10 * 0.5 = 1.7,
//   at the speed of that stretch, 72 km/h;
// - vehicle 3 (4 m, arc 1): front when its centre is at 14,
//   t = 0.6 + 6 / 10 * 0.4 = 0.84; rear when it is at 10, t = 1.0.
// So for the pair 1 -> 2: headway 1.2 s, PET 1.0 s, space headway 1.2 * 20 = 24 m.
inline std::vector<RigaIstanti> tabellaEsempio()
{
    return {
        avvistamento(1, 2, 0.0, 0.0, 0.0, 4.0),   avvistamento(3, 1, 0.2, 30.0, 0.0, 4.0),
        avvistamento(1, 2, 0.5, 10.0, 72.0, 4.0), avvistamento(3, 1, 0.6, 20.0, 90.0, 4.0),
        avvistamento(1, 2, 1.0, 20.0, 72.0, 4.0), avvistamento(2, 2, 1.0, 0.0, 0.0, 6.0),
        avvistamento(3, 1, 1.0, 10.0, 90.0, 4.0), avvistamento(2, 2, 1.5, 5.0, 36.0, 6.0),
        avvistamento(2, 2, 2.0, 15.0, 72.0, 6.0),
    };
}

} // namespace kalvor::testing
