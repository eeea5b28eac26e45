// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/run_results.hpp"

#include "common/errors.hpp"
#include "common/numbers.hpp"
#include "results/conferma.hpp"
#include "results/file_risultati.hpp"
#include "results/valutazione.hpp"

#include <cstdio>
#include <filesystem>

namespace kalvor::cli {

void eseguiRisultati(StatoLavoro &stato, const OpzioniRisultati &o, std::string cartella)
{
    if (!cartella.empty() && cartella.back() != '/')
        cartella += '/';
    ConfermaClick(stato, o.correggi);
    if (o.primo)
        stato.Risultati.NumeroPrimoVeicoloTXT = *o.primo;
    ValutazioneDatiClick(stato);
    if (!cartella.empty())
        std::filesystem::create_directories(cartella);
    scriviFileRisultati(stato, cartella);

    const auto &temporali = stato.Risultati.ContenitoreDatiTemporali;
    std::printf("risultati%s: %d avvistamenti; %s\n", o.correggi ? " corretti" : "", stato.NumeroRigheRisultati,
                temporali.line(temporali.count() - 1).c_str());
    std::printf("valutazione dal veicolo %s: %zu veicoli sulla corsia superiore, %zu sulla inferiore\n",
                stato.Risultati.NumeroPrimoVeicoloTXT.c_str(), stato.TabellaArcoSuperiore.size(),
                stato.TabellaArcoInferiore.size());
    // The screen's first number is 0; a capture numbered from elsewhere evaluates nothing from it.
    const bool nessuno = stato.TabellaArcoSuperiore.empty() && stato.TabellaArcoInferiore.empty();
    if (nessuno && !stato.TabellaVeicoli.empty()
        && fixedText(stato.TabellaVeicoli[0].veicolo) != stato.Risultati.NumeroPrimoVeicoloTXT)
        std::printf("nessun veicolo valutato: il primo numero della tabella dei veicoli è %s (--primo)\n",
                    fixedText(stato.TabellaVeicoli[0].veicolo).c_str());
    std::printf("file in %s: istanti.txt veicoli.txt valutazione.txt rilevamenti.txt tempi.txt\n",
                cartella.empty() ? "./" : cartella.c_str());
}

} // namespace kalvor::cli
