// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The results stage of `kalvor-cli run`: the capture confirmed as "I dati
// vanno bene" does (with "Correggi" when asked), the evaluation from a first
// vehicle number, and the texts of the results screen written as files.

#include "state/stato_lavoro.hpp"

#include <optional>
#include <string>

namespace kalvor::cli {

struct OpzioniRisultati
{
    bool correggi = false; // --correggi
    std::optional<std::string> primo; // --primo N: the first vehicle evaluated
};

// Confirms the capture's records (refused when there are none), evaluates
// them, writes istanti.txt, veicoli.txt, valutazione.txt, rilevamenti.txt
// and tempi.txt into `cartella` (created when missing) and prints a summary.
void eseguiRisultati(StatoLavoro &stato, const OpzioniRisultati &o, std::string cartella);

} // namespace kalvor::cli
