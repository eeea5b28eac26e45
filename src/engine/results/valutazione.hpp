// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The evaluation per arc: for each vehicle of TabellaVeicoli taken in
// consecutive numbering from a first number, its entry and exit times,
// distance, mean speed, mean length, sightings in the other arc and mean
// absolute acceleration; per arc the count, means and extremes.
//
// Where the rules would divide by zero, the value is 0 instead: the speed of
// a vehicle whose entry and exit times are equal, the acceleration of a
// vehicle with fewer than three rows, the acceleration term of two rows with
// equal times, and the means and extremes of an arc without vehicles.

#include "common/text_list.hpp"
#include "state/stato_lavoro.hpp"
#include "state/tabelle.hpp"

#include <vector>

namespace kalvor {

struct TabelleArchi
{
    std::vector<RigaArco> superiore; // TabellaArcoSuperiore
    std::vector<RigaArco> inferiore; // TabellaArcoInferiore
};

// The vehicles primo, primo + 1, ... up to the first number without rows.
TabelleArchi valutaVeicoli(const std::vector<RigaIstanti> &TabellaVeicoli, int primo);

// The summary of one arc.
struct RiepilogoArco
{
    int veicoli = 0;
    double Tm = 0.0; // mean of Tusc - Ting
    double Sm = 0.0; // mean of Spaz
    double sorp = 0.0; // vehicles seen at least once in the other arc
    double Vm = 0.0;
    double Vmax = 0.0;
    double Vmin = 0.0;
};
RiepilogoArco riepilogoArco(const std::vector<RigaArco> &righe);

// The report of ValutazioniTXT, in the current number format.
TextList testoValutazione(const TabelleArchi &tabelle);

// "Valutazione dati": reads NumeroPrimoVeicoloTXT (ConversionError when it
// is not an integer, nothing changed) and TabellaVeicoli; writes both arc
// tables and ValutazioniTXT.
void ValutazioneDatiClick(StatoLavoro &stato);

} // namespace kalvor
