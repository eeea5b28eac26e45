// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Numbering of the robust profile: each record takes the number of the
// vehicle whose position, predicted from its own speed and the time between
// frames, it continues.
//
// Positions are metric X read at the band's axis row at each record end's
// pixel column. An end touching one end of the band shows where the band
// ends, not where the vehicle does: records are compared by the ends free in
// both, and a length is held against the vehicle only when the record is
// clear of both band ends. A vehicle never goes back against its direction
// of travel: that of the band end it came in by, else that of the half most
// of its records were in (upper half toward smaller X, lower toward larger).
// It may pull into the other half for a while, and is remembered for a few
// frames without a record.
//
// The memory is rebuilt from the saved lists whenever they are not the ones
// the tracker last wrote (a job reopened, a record edited by hand, a step
// back): only the last frames of VeicoliTOT are read then.

#include "common/text_list.hpp"
#include "state/griglia_metrica.hpp"
#include "state/stato_lavoro.hpp"

#include <string>
#include <vector>

namespace kalvor {

// A vehicle is remembered without a record of it for this many frames, or
// this long when the frames are closer together.
inline constexpr int kFotogrammiSenzaRecord = 5;
inline constexpr double kSecondiSenzaRecord = 1.0;

// One vehicle as the tracker last saw it.
struct TrackedVehicle
{
    std::string numero;
    // The half most of its records were in (kept on a tie).
    bool sup = false;
    // Its direction along X: +1 toward larger X, -1 toward smaller. From the
    // band end it came in by (an overtaking car in the other half keeps it),
    // else from `sup`; saved numbers that move the other way turn it.
    int verso = 1;
    bool versoDaIngresso = false;
    int recordSup = 0;
    int recordInf = 0;
    // Metric X of the record's first and last pixel column, at the axis row.
    double xInizio = 0.0;
    double xFine = 0.0;
    // Each end is the vehicle's own (clear of the band's end on its side).
    bool inizioLibero = false;
    bool fineLibero = false;
    double lunghezza = 0.0; // from the last record clear of both band ends
    bool lunghezzaNota = false;
    double velocita = 0.0; // m/s along X, signed
    bool velocitaNota = false;
    int fotogramma = 0;
    double tempo = 0.0;
};

// What the robust numbering remembers between frames of one run.
struct RobustTracker
{
    std::vector<TrackedVehicle> veicoli;
    // The records last numbered: the previous list must still be this one.
    TextList ultimi;
    int ultimoFotogramma = 0;
    double periodo = 0.0; // seconds per frame, once two frames with times were seen
    bool pronto = false;
};

// Writes the number line of every record of veicoliAtt (one frame's records)
// and advances numeroVeicolo by the new numbers given, in record order.
// VeicoliTOT may be null (the memory is then rebuilt from veicoliPrec alone).
void NumeraVeicoliRobusto(RobustTracker &inseguimento, TextList &veicoliAtt, const TextList &veicoliPrec,
                          const TextList *VeicoliTOT, int &numeroVeicolo, const StatoRilevamento &det,
                          const MetricGrid &griglia);

} // namespace kalvor
