// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The per-frame detection used by the program: the same mask and the same
// records as the plain pipeline of detection/rilevamento_riferimento.hpp, bit
// for bit and line for line, computed on one bit per pixel (see
// detection/spazio_rilevamento.hpp) with the difference and classification
// fused, erosion and dilation on 64-pixel words, and the column counts of both
// arcs taken in one pass down the band.

#include "common/rgb_image.hpp"
#include "common/text_list.hpp"
#include "detection/istruzioni_vettoriali.hpp"
#include "detection/spazio_rilevamento.hpp"
#include "state/griglia_metrica.hpp"
#include "state/matrice_interi.hpp"
#include "state/stato_lavoro.hpp"

namespace kalvor {

// Whether the caller will look at the frame's mask. Records alone need only
// the rows of the band the scan reads, about a third of a frame.
enum class MaskWanted { Whole, RecordsOnly };

// Runs the steps of one frame and leaves its records in veicoliAtt (cleared
// first). RefusalError when the frame's size differs from the background's;
// ArithmeticError for an axis whose ends share a column.
void IndividuaVeicoli(StatoRilevamento &det, const MetricGrid &griglia, const RgbImage &frame, int superiore,
                      int inferiore, int fotogramma, double tempo, TextList &veicoliAtt, DetectionWorkspace &spazio,
                      MaskWanted maschera = MaskWanted::Whole);

// Only the whole mask (difference, classification, the four operations).
void computeMask(const StatoRilevamento &det, const RgbImage &frame, int superiore, int inferiore,
                 DetectionWorkspace &spazio);

// The mask as the matrix the plain pipeline leaves: 0 foreground, 255
// background, three equal entries per pixel. std::logic_error when the last
// frame was detected for its records alone.
void writeMaskMatrix(const DetectionWorkspace &spazio, MatriceInteri &m);

// The mask as a picture of the frame's size: foreground black, background
// white. std::logic_error as writeMaskMatrix.
RgbImage maskImage(const DetectionWorkspace &spazio);

} // namespace kalvor
