// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/run_safety.hpp"

#include "results/cartella_excel.hpp"
#include "safety/indicatori.hpp"
#include "safety/tabella_indicatori.hpp"
#include "state/stato_lavoro.hpp"

#include <cstdio>

namespace kalvor::cli {

void runSafetyStage(StatoLavoro &s, std::string out)
{
    if (!out.empty() && out.back() != '/')
        out += '/';
    CalcolaIndicatori(s, orologioDiSistema());
    int conVeicoloAvanti = 0;
    for (const RigaIndicatori &r : s.TabellaIndicatori)
        conVeicoloAvanti += r.dist > 0.0 ? 1 : 0;
    std::printf("indicatori: %zu avvistamenti, %d con un veicolo davanti\n", s.TabellaIndicatori.size(),
                conVeicoloAvanti);

    MostraTabellaCompleta(s);
    SalvaTabellaIndicatori(s.IndicatoriSicurezza.Tabella, out + "indicatori.txt");
    std::printf("tabella degli indicatori in %sindicatori.txt\n", out.c_str());

    scriviCartellaExcel(s.TabellaVeicoli, out + "veicoli.xlsx");
    std::printf("cartella Excel dei veicoli in %sveicoli.xlsx\n", out.c_str());
}

} // namespace kalvor::cli
