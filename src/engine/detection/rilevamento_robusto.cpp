// SPDX-License-Identifier: GPL-3.0-or-later
#include "detection/rilevamento_robusto.hpp"

namespace kalvor {

// Placeholder: the default detection until the robust steps are written.
void IndividuaVeicoliRobusto(StatoRilevamento &det, const MetricGrid &griglia, const RgbImage &frame, int superiore,
                             int inferiore, int fotogramma, double tempo, TextList &veicoliAtt,
                             DetectionWorkspace &spazio, MaskWanted maschera)
{
    IndividuaVeicoli(det, griglia, frame, superiore, inferiore, fotogramma, tempo, veicoliAtt, spazio, maschera);
}

} // namespace kalvor
