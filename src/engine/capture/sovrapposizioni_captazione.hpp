// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The capture screen's overlays: outlines, sights and numbers of the records
// of veicoliAtt with the road axis, and the virtual vehicles (one clickable
// area per record).

#include "capture/sessione_captazione.hpp"
#include "common/drawing.hpp"
#include "state/stato_lavoro.hpp"

namespace kalvor {

// Appends to sessione.disegno: with more than one line in veicoliAtt, per
// record an outline on its arc's half band (red "sup", yellow "inf", or
// `colore` for both when ColorePersonalizzato), the four sight lines when
// Mirino is ticked, the number in blue; then the axis and its two end lines in
// blue when MostraAsse is ticked. A record whose arc is neither draws
// nothing. A column that is not an integer stops the drawing at that record
// (ConversionError); what was drawn before stays.
void DisegnaContornoVeicoli(const StatoLavoro &stato, SessioneCaptazione &sessione, bool ColorePersonalizzato,
                            Rgb colore);

// Replaces the virtual vehicles: one per record of veicoliAtt (when it has
// more than one line), covering its outline, with its number as hint; sets
// NumeroVeicoliVirtuali. Stops as DisegnaContornoVeicoli.
void DisegnaVeicoliVirtualiClick(StatoLavoro &stato, SessioneCaptazione &sessione);

} // namespace kalvor
