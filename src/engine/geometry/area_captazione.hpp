// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the examination-area screen AreaCaptazione does to the job state.
//
// PuntiRiferimento holds two lines per clicked point, pixel row then pixel
// column. After a successful confirmation it holds at least four points, all
// inside the frame, with x1 <= x2 (P1 the left end of the axis).

#include "common/drawing.hpp"
#include "common/rgb_image.hpp"
#include "state/stato_lavoro.hpp"

#include <string>

namespace kalvor {

// The frame named by FotogrammaIniziale as typed; ConversionError when it is
// not an integer text.
std::string areaFrameFileName(const StatoLavoro &stato);

// The rest of AzzeraDatiClick once the frame is loaded: the list emptied.
// The screen clears its overlay with clearedOverlay().
void clearArea(StatoAreaCaptazione &area);

// The whole of AzzeraDatiClick on the state; returns the frame read (FileError,
// and the list stays, when it cannot be read).
RgbImage resetArea(StatoLavoro &stato);

// Pen of the marker of the point that makes the list `lines` long: blue for
// P1 and P2, red from P3 on.
Rgb areaMarkerPen(int lines);

// lucidoClick at frame pixel (x, y): appends the row then the column and
// returns the marker, plus the axis to P1 at the second point or the band line
// to P3 at the fourth. ConversionError when the earlier point's lines were
// edited into something that is not an integer (the point stays appended).
Drawing recordAreaPoint(StatoAreaCaptazione &area, int x, int y);

// disegnaElementi: cleared overlay; blue P1, axis, P2; red P3, band line, P4.
// Primitives are appended as made; fewer than four points or a line that is
// not an integer throw with what was drawn so far left in `out`.
void drawAreaElements(const StatoAreaCaptazione &area, Drawing &out);

// ConfermaClick before the screen closes: refuses (RefusalError) fewer than
// four points, or a point outside the frame of width x height; converts the
// eight lines (ConversionError); swaps P1 and P2 when x1 > x2. Nothing changes
// on a refusal or an error.
void confirmArea(StatoAreaCaptazione &area, int frameWidth, int frameHeight);

} // namespace kalvor
