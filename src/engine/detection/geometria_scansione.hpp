// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the column scan needs that depends only on the area, the image size
// and the grid, not on the frame: the axis row of every scanned byte column
// and, for each arc, which pixel columns count which mask rows. Built once per
// geometry and kept in the detection workspace.
//
// A pixel column is counted on the axis row of its first scanned byte column;
// a byte column whose axis row differs from it (where the axis steps to
// another row inside a pixel) is counted on its own by the scan.

#include "detection/limiti_scansione.hpp"
#include "state/griglia_metrica.hpp"
#include "state/stato_lavoro.hpp"

#include <cstdint>
#include <vector>

namespace kalvor {

struct GeometryKey
{
    int riga1 = 0, colonna1 = 0, riga2 = 0, colonna2 = 0, dislivello = 0;
    int altezza = 0, larghezzaRiga = 0, righeGriglia = 0, colonneGriglia = 0, parole = 0;
    bool operator==(const GeometryKey &) const = default;
};

struct ScanGeometry
{
    GeometryKey chiave;
    bool valida = false;
    ScanLimits lim; // empty column range: nothing is scanned
    int halfBand = 0;
    int parole = 0; // 64-bit words per mask row
    std::vector<int> righeAsse; // per byte column lim.primaColonna..lim.ultimaColonna
    int primoPixel = 0; // lim.primaColonna / 3
    std::vector<int> rigaPixel; // per pixel column from primoPixel: the axis row its count uses
    // Per pixel column from primoPixel: all its scanned byte columns share that
    // row, so they share their counts and occupancy.
    std::vector<std::uint8_t> pixelUniforme;
    // Rows read by any byte column of either arc; none when rigaDa > rigaA.
    int rigaDa = 0;
    int rigaA = -1;
    // Per arc (0 upper, 1 lower), per row rigaDa..rigaA, `parole` words: bit x
    // set when pixel column x counts that row.
    std::vector<std::uint64_t> righeArco[2];

    bool vuota() const { return lim.primaColonna > lim.ultimaColonna; }
    int axisRow(int c) const { return righeAsse[static_cast<std::size_t>(c - lim.primaColonna)]; }
    int rigaConteggio(int x) const { return rigaPixel[static_cast<std::size_t>(x - primoPixel)]; }
    bool uniforme(int x) const { return pixelUniforme[static_cast<std::size_t>(x - primoPixel)] != 0; }
    int primaColonnaPixel(int x) const { return std::max(3 * x, lim.primaColonna); }
    int ultimaColonnaPixel(int x) const { return std::min(3 * x + 2, lim.ultimaColonna); }
};

// The rows of one arc's segment at axis row ra, clipped to the rows the scan
// may read (may be empty: da > a).
struct Segment
{
    int da = 0;
    int a = -1;
};
inline Segment arcSegment(int arco, int ra, int h, int righe)
{
    return arco == 0 ? Segment {std::max(ra - h, 0), std::min(ra, righe - 1)}
                     : Segment {std::max(ra, 0), std::min(ra + h, righe - 1)};
}

// Rebuilds g when the geometry changed. ArithmeticError, and g left invalid,
// for an axis whose ends share a column (checked whatever the clipping).
void prepareScanGeometry(ScanGeometry &g, const StatoRilevamento &det, const MetricGrid &griglia, int parole);

} // namespace kalvor
