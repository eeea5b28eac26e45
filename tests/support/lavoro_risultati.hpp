// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A capture job for the result tables: a horizontal road axis on pixel row
// 100, a metric grid with X = pixel column and Y = pixel row (metres), and
// records placed by the pixel column of their centre.

#include "scene/strada_sintetica.hpp"
#include "state/record_veicolo.hpp"
#include "state/stato_lavoro.hpp"

#include <string>
#include <utility>
#include <vector>

namespace kalvor::testing {

inline StatoLavoro lavoroRisultati()
{
    StatoLavoro s;
    s.CP.RigaArea1 = 100;
    s.CP.ColonnaArea1 = 0;
    s.CP.RigaArea2 = 100;
    s.CP.ColonnaArea2 = 3 * 699;
    s.GrigliaMetrica = scene::grigliaUniforme(700, 200, 1.0);
    return s;
}

// A record whose centre lies at pixel column x (so bar. X = x, bar. Y = 100).
inline void aggiungiAvvistamento(StatoLavoro &s, const std::string &numero, const std::string &arco, int x,
                                 const std::string &lunghezza, int fotogramma)
{
    appendRecord(s.Captazione.VeicoliTOT,
                 RecordVeicolo {numero, arco, std::to_string(3 * x - 30), std::to_string(3 * x + 30), lunghezza, "7",
                                std::to_string(fotogramma), "0"});
}

inline void tempiFotogrammi(StatoLavoro &s, const std::vector<std::pair<int, double>> &tempi)
{
    s.TabellaTempiFotogrammi.clear();
    for (const auto &[n, t] : tempi)
        s.TabellaTempiFotogrammi.push_back(RigaTempi {static_cast<double>(n), t});
    s.NumeroFotogrammiEstratti = static_cast<int>(tempi.size());
}

} // namespace kalvor::testing
