// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// One frame of a run, detection then numbering, by the profile the detection
// state holds: the automatic run, the benchmarks and the command line share it
// so that a profile means the same everywhere.

#include "common/rgb_image.hpp"
#include "common/text_list.hpp"
#include "detection/inseguimento_robusto.hpp"
#include "detection/rilevamento.hpp"
#include "state/griglia_metrica.hpp"
#include "state/stato_lavoro.hpp"

namespace kalvor {

// Numbers one frame's records (at least one) by det.Profilo: AbbinaVeicoli
// for the default, the robust tracker otherwise, which rebuilds its memory
// from veicoliPrec and, when given, the tail of VeicoliTOT whenever the lists
// are not the ones it last numbered.
void numberFrame(StatoRilevamento &det, const MetricGrid &griglia, TextList &veicoliAtt, const TextList &veicoliPrec,
                 const TextList *VeicoliTOT, RobustTracker &inseguimento);

// Leaves the frame's numbered records in veicoliAtt; true when it holds at
// least one record. veicoliPrec is read, not updated (updateVehicleLists does
// that once the caller has shown the frame).
bool detectAndNumberFrame(StatoRilevamento &det, const MetricGrid &griglia, const RgbImage &frame, int superiore,
                          int inferiore, int fotogramma, double tempo, TextList &veicoliAtt,
                          const TextList &veicoliPrec, DetectionWorkspace &spazio, RobustTracker &inseguimento,
                          MaskWanted maschera, const TextList *VeicoliTOT = nullptr);

} // namespace kalvor
