// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The robust per-frame detection written straight from its rules
// (detection/regole_robuste.hpp): one value per pixel, whole-frame work
// copies, blobs found by flood fill. The definition the fast one meets; the
// program never calls it.

#include "common/rgb_image.hpp"
#include "common/text_list.hpp"
#include "state/griglia_metrica.hpp"
#include "state/stato_lavoro.hpp"

namespace kalvor::riferimento {

// Leaves the frame's mask in det.MatriceDifferenza (0 foreground, 255
// background, three equal entries per pixel) and the records in veicoliAtt
// (cleared first). RefusalError for a frame of another size than the
// background; ArithmeticError for an axis whose ends share a column.
void IndividuaVeicoliRobusto(StatoRilevamento &det, const MetricGrid &griglia, const RgbImage &frame, int superiore,
                             int inferiore, int fotogramma, double tempo, TextList &veicoliAtt);

} // namespace kalvor::riferimento
