// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The pixel-to-metric transformation: reference points and real distances (or
// GPS positions) of Prospettiva become TabellaRiferimenti and GrigliaMetrica.
//
// Invariants: every text is converted and every refusal or zero divisor is
// detected before GrigliaMetrica changes, so a failed run leaves the grid (and
// TabellaRiferimenti) as they were; the grid never receives inf or NaN.
// The normalised D lists are written first and stay written on failure.

#include "geometry/verso_letture.hpp"
#include "state/stato_lavoro.hpp"

#include <vector>

namespace kalvor {

// Column indices of TabellaRiferimenti.
namespace rif {
inline constexpr int X = 0; // pixel column of the point
inline constexpr int Y = 1; // pixel row of the point
inline constexpr int PixelLen = 2; // pixel length of the segment ending at the point
inline constexpr int RealLen = 3; // real length, metres
inline constexpr int Rise = 4; // row difference, end minus start
inline constexpr int Angle = 5; // ArcSin(rise / pixel length), radians
inline constexpr int MetricX = 6; // metres
inline constexpr int MetricY = 7; // metres
inline constexpr int ColSpan = 8; // pixels
inline constexpr int XSpan = 9; // metres
inline constexpr int XRatio = 10; // metres per column, or the sentinel
inline constexpr int RowSpan = 11; // pixels
inline constexpr int YSpan = 12; // metres
inline constexpr int YRatio = 13; // metres per row, or the sentinel
} // namespace rif

// Stands for a ratio whose pixel span was zero.
inline constexpr double kMissingRatio = 100000.0;

// A ratio the fill may interpolate with: not negative and not the sentinel.
bool isUsableRatio(double ratio);

// Clears the D lists and copies the P lists into them. Reversed: from
// the last line to the first, skipping empty lines. Otherwise the whole text,
// empty lines included. The GPS pair only when gps is set.
void normaliseReferenceLists(StatoProspettiva &prospettiva, bool reversed, bool gps);

// The reference table from the normalised lists: its N + 1 rows, starting
// from `previous` resized (its cells are kept where they exist). Throws
// ConversionError, RefusalError or ArithmeticError.
std::vector<RigaRiferimenti> buildReferenceTable(const StatoProspettiva &prospettiva, ReadingDirection direction,
                                                 bool gps, int width, int height,
                                                 std::vector<RigaRiferimenti> previous = {});

// Resizes to height rows by width columns keeping the cells that exist in both
// sizes; new cells are 0.
void resizeKeepingCells(MetricGrid &grid, int height, int width);

// Writes the metric x and y of every pixel the rules reach;
// cells they do not reach keep their values. The grid must already have the
// frame's size and the table must come from buildReferenceTable.
void fillMetricGrid(MetricGrid &grid, const std::vector<RigaRiferimenti> &table, ReadingDirection direction);

// The whole operation behind the button Trasformazione, for a frame of
// width by height pixels: normalises the lists, rebuilds TabellaRiferimenti,
// resizes GrigliaMetrica to the frame (keeping cells) and fills it.
void runTransformation(StatoLavoro &stato, int width, int height);

} // namespace kalvor
