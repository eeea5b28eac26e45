// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Everything the traffic analysis derives from the confirmed sightings, in one
// value: the screens and the command line compute it once and read it.

#include "analysis/flussi.hpp"
#include "analysis/passaggi.hpp"
#include "analysis/traiettorie.hpp"
#include "state/stato_lavoro.hpp"

#include <string_view>
#include <vector>

namespace kalvor {

struct OpzioniAnalisi
{
    double durataIntervallo = 60.0; // s
    double sezioneX = 0.0; // m: the reference section across the road
};

struct AnalisiTraffico
{
    OpzioniAnalisi opzioni;
    FinestraOsservazione finestra;
    std::vector<Traiettoria> traiettorie;
    std::vector<PassaggioSezione> passaggi;
    std::vector<CoppiaConsecutiva> coppie;
    std::vector<FlussoIntervallo> flussi; // arc 1 then arc 2, by interval
    std::vector<FlussoIntervallo> complessivi; // arc 1, arc 2
    int veicoliSenzaPassaggio = 0; // vehicles that never reach the section
};

AnalisiTraffico analizzaTraffico(const std::vector<RigaIstanti> &istanti, const OpzioniAnalisi &opzioni);

// The interval length as the user types it (seconds, the user's decimal
// separator): ConversionError when it is not a number, RefusalError when it is
// not positive.
double leggiDurataIntervallo(std::string_view testo);

// The spot speeds of an arc's vehicles at the section, in passage order: what
// the speed distribution shows.
std::vector<double> velocitaAllaSezione(const AnalisiTraffico &a, int arco);

// The section halfway along the examination area's axis: the mean of the
// metric X of the axis' two ends. When the area or the grid do not give it,
// the middle of the X range of the sightings; 0 when there are none.
double sezioneDiRiferimento(const StatoLavoro &s);

} // namespace kalvor
