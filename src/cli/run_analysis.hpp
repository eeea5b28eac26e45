// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The traffic analysis stage of `kalvor-cli run`: after the confirmation and
// the indicators, the exports and charts of the confirmed sightings.

#include "state/stato_lavoro.hpp"

#include <string>
#include <vector>

namespace kalvor::cli {

struct OpzioniRunAnalisi
{
    double durataIntervallo = 60.0; // s, the flow intervals
};

// Writes traiettorie.csv, veicoli.csv, flussi.csv, indicatori_estesi.csv,
// diagramma_spazio_tempo.svg, velocita_sup.svg and velocita_inf.svg into the
// folder (created when missing), each whole or not at all, and prints the
// flow report and one line per file. Returns the paths written.
std::vector<std::string> runAnalysis(const StatoLavoro &s, const std::string &cartella,
                                     const OpzioniRunAnalisi &opzioni = {});

// Reads "--intervallo SECONDI" at args[i] (the user's decimal separator);
// true and i moved past the value when it is there. RefusalError for a
// missing value, ConversionError for one that is not a number.
bool leggiOpzioneIntervallo(const std::vector<std::string> &args, std::size_t &i, OpzioniRunAnalisi &opzioni);

} // namespace kalvor::cli
