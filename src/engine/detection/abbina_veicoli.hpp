// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Numbering from frame to frame in the automatic run: every record of the
// current frame takes the number of the previous vehicle it continues, or a
// new one. Positions are X of the metric grid in pixel row 0 at the record's
// centre pixel column, lengths are line 6 of the record.

#include "common/text_list.hpp"
#include "state/griglia_metrica.hpp"

namespace kalvor {

// Writes the number line of every record of veicoliAtt (four passes: same arc
// forwards, same arc backwards, change of arc, new number) and advances
// numeroVeicolo by the new numbers given.
void AbbinaVeicoli(TextList &veicoliAtt, const TextList &veicoliPrec, int &numeroVeicolo, double variazionePos,
                   const MetricGrid &griglia);

// After a frame: when veicoliAtt holds at least two lines, veicoliPrec becomes
// a copy of it and its lines are appended to VeicoliTOT; otherwise nothing.
void updateVehicleLists(const TextList &veicoliAtt, TextList &veicoliPrec, TextList &VeicoliTOT);

} // namespace kalvor
