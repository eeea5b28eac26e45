// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The per-frame detection of the robust profile: records in the same nine-line
// form as IndividuaVeicoli, so that numbering, results and files read them
// alike. Its rules are those of detection/regole_robuste.hpp, computed on the
// packed mask of the workspace: the same records as
// detection/rilevamento_robusto_riferimento.hpp, and the same mask when the
// whole one is asked for.

#include "common/rgb_image.hpp"
#include "common/text_list.hpp"
#include "detection/rilevamento.hpp"
#include "detection/spazio_rilevamento.hpp"
#include "state/griglia_metrica.hpp"
#include "state/stato_lavoro.hpp"

namespace kalvor {

// Leaves the frame's records in veicoliAtt (cleared first); the mask stays in
// the workspace for maskImage and writeMaskMatrix when the whole one is
// asked for. RefusalError and ArithmeticError as IndividuaVeicoli.
void IndividuaVeicoliRobusto(StatoRilevamento &det, const MetricGrid &griglia, const RgbImage &frame, int superiore,
                             int inferiore, int fotogramma, double tempo, TextList &veicoliAtt,
                             DetectionWorkspace &spazio, MaskWanted maschera = MaskWanted::Whole);

} // namespace kalvor
