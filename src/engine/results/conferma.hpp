// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The confirmation of a capture: every record of the capture's VeicoliTOT
// becomes one row of TabellaIstanti (chronological) and of TabellaVeicoli
// (grouped by vehicle number), with position, time, speed, distance,
// majority arc and out-of-arc flag, optionally corrected.
//
// Invariants of the result: both tables have one row per record. The first
// K rows of TabellaVeicoli are the rows whose number is an integer from 0 up,
// by number and then in TabellaIstanti order; the remaining rows are all 0
// and belong to no vehicle (the corrections and the arc counts skip them).

#include "common/text_list.hpp"
#include "state/griglia_metrica.hpp"
#include "state/stato_lavoro.hpp"
#include "state/tabelle.hpp"

#include <vector>

namespace kalvor {

struct TabelleConfermate
{
    std::vector<RigaIstanti> TabellaIstanti;
    std::vector<RigaIstanti> TabellaVeicoli;
    // For each grouped row of TabellaVeicoli, the TabellaIstanti row it was copied from.
    std::vector<std::size_t> origine;
    int V1 = 0; // vehicles whose majority arc is the upper one
    int V2 = 0; // ... the lower one
    bool operator==(const TabelleConfermate &) const = default;
};

// What the confirmation reads besides the records.
struct IngressoConferma
{
    const StatoRilevamento &det; // the capture's road axis
    const MetricGrid &griglia;
    const std::vector<RigaTempi> &tempi; // TabellaTempiFotogrammi
    int numeroFotogrammi = 0; // NumeroFotogrammiEstratti: rows of `tempi` searched
    bool correggi = false; // "Correggi"
    // Per row, the records that show only part of their vehicle
    // (recordsCutByBand); none when null or shorter.
    const std::vector<bool> *tagliate = nullptr;
};

// The rows of the records in list order with number, position, arc, length
// and frame; time, speed and distance still 0. ConversionError on a line
// that is not a number, ArithmeticError on a vertical axis, ListIndexError
// when a reference point lies outside the metric grid.
std::vector<RigaIstanti> righeDaiRecord(const TextList &VeicoliTOT, const StatoRilevamento &det,
                                        const MetricGrid &griglia);

// Per record of VeicoliTOT, whether the robust profile recorded it cut at
// either end of the band's scanned columns: its midpoint then moves at a
// fraction of its vehicle's speed, so the confirmation measures no speed nor
// distance on such a row; the next whole row of the vehicle measures from
// the previous whole one, and a cut row after a whole one (the vehicle
// leaving) keeps that row's speed, since a 0 would read as a vehicle standing
// to the safety indicators of the vehicle behind. All false with the default
// profile, whose records the confirmation takes as they always were.
std::vector<bool> recordsCutByBand(const TextList &VeicoliTOT, const StatoRilevamento &det, const MetricGrid &griglia);

// The tables from the rows of righeDaiRecord, with indexes: linear in the
// number of rows apart from one sort.
TabelleConfermate confermaTabelle(std::vector<RigaIstanti> righe, const IngressoConferma &in);

// The same result by the plain searches over the tables, quadratic; the
// reference of confermaTabelle.
TabelleConfermate confermaTabelleSemplice(std::vector<RigaIstanti> righe, const IngressoConferma &in);

// The largest whole vehicle number (Trunc of column 0), 0 when there are no
// rows or all are negative.
long long numeroVeicoloMassimo(const std::vector<RigaIstanti> &righe);

// The whole confirmation on the job: builds the tables from the capture's
// VeicoliTOT, writes them, NumeroRigheRisultati and the texts of the results
// screen, and empties its ValutazioniTXT. RefusalError when VeicoliTOT holds
// no record. On any error the job's tables and texts keep their previous
// content.
void ConfermaClick(StatoLavoro &stato, bool Correzioni);

} // namespace kalvor
