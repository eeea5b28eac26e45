// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The frame pipeline written straight from the rules: one 32-bit integer per
// byte, full work copies, every pixel walked as described. Kept beside the
// fast pipeline (detection/rilevamento.hpp) as its definition: tests compare
// the two and benchmarks measure both. The program itself never calls it.

#include "common/rgb_image.hpp"
#include "common/text_list.hpp"
#include "state/griglia_metrica.hpp"
#include "state/matrice_interi.hpp"
#include "state/stato_lavoro.hpp"

namespace kalvor::riferimento {

// diff[r][c] = frame byte - background entry.
void subtractBackground(const RgbImage &frame, const MatriceInteri &sfondo, MatriceInteri &diff);

// Each pixel becomes 255,255,255 (background) when its three values lie within
// [inferiore, superiore], otherwise 0,0,0 (foreground).
void ClassificaPixel(MatriceInteri &m, int superiore, int inferiore, int righe, int byteRiga);

// 3x3 erosion of the foreground on interior pixels.
void ErodiMaschera(MatriceInteri &m, int iterazioni, int righe, int byteRiga);

// The one-sided dilation: foreground when one of the three pixels at x - 1 is.
void DilataMaschera(MatriceInteri &m, int iterazioni, int righe, int byteRiga);

// The column scan along the axis on a finished mask; appends the records.
void scanColumns(const MatriceInteri &maschera, const StatoRilevamento &det, const MetricGrid &griglia, int fotogramma,
                 double tempo, TextList &veicoliAtt);

// The whole frame: leaves the mask in det.MatriceDifferenza and the records in
// veicoliAtt (cleared first).
void IndividuaVeicoli(StatoRilevamento &det, const MetricGrid &griglia, const RgbImage &frame, int superiore,
                      int inferiore, int fotogramma, double tempo, TextList &veicoliAtt);

} // namespace kalvor::riferimento
