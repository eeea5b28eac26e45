// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The overlays of the automatic run: per record a box on its arc's half band,
// its number and, on request, sight lines; and the road axis with its two
// end ticks of the band's height.

#include "common/drawing.hpp"
#include "common/text_list.hpp"
#include "state/stato_lavoro.hpp"

namespace kalvor {

// Boxes (red "sup", yellow "inf"), numbers in blue 11 pixels high (8 points
// at 96 dpi), and with
// mirino the four sight lines of each record of veicoliAtt.
Drawing vehicleOverlays(const TextList &veicoliAtt, const StatoRilevamento &det, bool mirino);

// The axis between its two points and a vertical tick of +-DislivelloArea at
// each end, in blue.
Drawing axisOverlay(const StatoRilevamento &det);

} // namespace kalvor
