// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace kalvor {
struct StatoLavoro;
}

namespace kalvor::cli {

// The stage of `run` after the confirmation: computes the safety indicators
// from TabellaIstanti and writes, into the existing folder `out`,
// indicatori.txt (the whole indicator table as the screen saves it) and
// veicoli.xlsx (the per-vehicle workbook). Prints one line per file.
void runSafetyStage(StatoLavoro &s, std::string out);

} // namespace kalvor::cli
