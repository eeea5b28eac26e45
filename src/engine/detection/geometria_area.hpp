// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The detection parameters and the examination-area geometry as the
// background computation and the automatic run read them into a detection
// state, and the axis row of a byte column.

#include "common/text_list.hpp"
#include "state/stato_lavoro.hpp"

namespace kalvor {

// SogliaConteggio = 1 and the three decimal fields AreaVeicoloTXT,
// LunghezzaMinTXT, VariazionePosTXT (ConversionError naming the text).
void readDetectionParameters(const CampiRilevamento &campi, StatoRilevamento &det);

// RigaArea1/ColonnaArea1 (byte column = 3 x pixel column), RigaArea2/
// ColonnaArea2 and DislivelloArea = |line 6 - line 4| from PuntiRiferimento.
// ListIndexError saying the area is missing when the list is too short, ConversionError on a bad line.
// Rows and the band are kept within +-1e9 and columns within +-2e9, far
// outside any picture, so that the band arithmetic never overflows.
void readAreaGeometry(const TextList &puntiRiferimento, StatoRilevamento &det);

// The axis row at byte column c: the linear interpolation between the axis
// ends, computed in floating point and truncated toward zero. ArithmeticError
// when both ends lie in the same column. Results far outside any image are
// clamped to +-1e9 so that they stay representable.
int axisRow(const StatoRilevamento &det, int c);

// ArithmeticError when the axis ends lie in the same column (the axis row
// would divide by zero); the scan checks it before its first column.
void checkAxis(const StatoRilevamento &det);

// axisRow with the quotient computed once: the same value for every c (the
// same floating-point operations in the same order). Throws as checkAxis.
struct InterpolatedAxis
{
    explicit InterpolatedAxis(const StatoRilevamento &det);
    int riga(int c) const;

    bool discendente = false; // RigaArea1 > RigaArea2
    double quoziente = 0.0;
    double r1 = 0.0, r2 = 0.0, c1 = 0.0, c2 = 0.0;
};

// The half band: DislivelloArea div 2.
inline int halfBand(const StatoRilevamento &det)
{
    return det.DislivelloArea / 2;
}

} // namespace kalvor
