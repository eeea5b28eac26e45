// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The texts of the two table views of the results screen, in the current
// number format.

#include "common/text_list.hpp"
#include "results/conferma.hpp"

#include <string>

namespace kalvor {

// The eleven column titles separated by tabs.
std::string intestazioneRisultati();

// One row: number, frame, arc and flag in fixed-point text, the others in
// "#.##"; the arc as "sup" or "inf", left out (with its tab) for any other code.
std::string rigaRisultati(const RigaIstanti &riga);

// "* V1 sulla corsia superiore e V2 sulla corsia inferiore in T secondi".
std::string rigaRiepilogo(int V1, int V2, double ultimoTempo);

// Header, every row of TabellaIstanti, an empty line and the summary.
TextList testoDatiTemporali(const TabelleConfermate &tabelle);

// Header and the rows of TabellaVeicoli with a speed above 0. Given the text
// of testoDatiTemporali, a row equal to the row it was copied from takes
// that row's line instead of being written again.
TextList testoDatiVeicolari(const TabelleConfermate &tabelle, const TextList *temporali = nullptr);

} // namespace kalvor
