// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The per-frame detection used by the program: the same mask and the same
// records as the plain pipeline of detection/rilevamento_riferimento.hpp, bit
// for bit and line for line, but with one bit per pixel (the three bytes of a
// pixel are always equal once classified), the difference and classification
// fused, erosion and dilation on 64-pixel words and a column scan that reads
// each pixel column once.
//
// The mask lives in the workspace, not in det.MatriceDifferenza. The workspace
// caches det.MediaSfondo as bytes and rebuilds that copy when
// det.GenerazioneSfondo or the size changes: whoever changes MediaSfondo
// increments GenerazioneSfondo.

#include "common/text_list.hpp"
#include "extraction/rgb_image.hpp"
#include "state/griglia_metrica.hpp"
#include "state/matrice_interi.hpp"
#include "state/stato_lavoro.hpp"

#include <cstdint>
#include <vector>

namespace kalvor {

struct SpazioRilevamento
{
    int larghezza = 0; // pixel columns
    int altezza = 0;   // pixel rows
    int parole = 0;    // 64-bit words per mask row
    // Bit x of word r * parole + x / 64, one zero word before and after:
    // pixel (r, x) is foreground.
    std::vector<std::uint64_t> maschera;
    std::vector<std::uint64_t> lavoro;
    std::vector<std::uint64_t> interno; // per word of the mask: the pixels erosion and dilation may write
    // The mask's columns: word w of column x holds rows 64w..64w+63.
    std::vector<std::uint64_t> colonne;
    std::vector<int> righeAsse; // axis row of each scanned byte column
    // The background as bytes, rebuilt when det.GenerazioneSfondo changes.
    std::vector<std::uint8_t> sfondo;
    unsigned long long generazione = 0;
    bool sfondoValido = false;

    bool primoPiano(int r, int x) const
    {
        return (maschera[1 + static_cast<std::size_t>(r) * static_cast<std::size_t>(parole) + static_cast<std::size_t>(x >> 6)] >> (x & 63)) & 1U;
    }
};

// Runs the steps of one frame and leaves its records in veicoliAtt (cleared
// first). RefusalError when the frame's size differs from the background's;
// ArithmeticError for an axis whose ends share a column.
void IndividuaVeicoli(StatoRilevamento &det, const MetricGrid &griglia, const RgbImage &frame, int superiore,
                      int inferiore, int fotogramma, double tempo, TextList &veicoliAtt, SpazioRilevamento &spazio);

// Only the mask (difference, classification, the four operations).
void calcolaMaschera(const StatoRilevamento &det, const RgbImage &frame, int superiore, int inferiore,
                     SpazioRilevamento &spazio);

// The mask as the matrix the plain pipeline leaves: 0 foreground, 255
// background, three equal entries per pixel.
void scriviMatriceMaschera(const SpazioRilevamento &spazio, MatriceInteri &m);

// The mask as a picture of the frame's size: foreground black, background white.
RgbImage immagineMaschera(const SpazioRilevamento &spazio);

// Which vector instructions the packed pipeline may use: the best the
// processor has (the default), at most AVX2, or none. For tests and
// benchmarks, which run every path against the plain pipeline.
enum class IstruzioniVettoriali { Migliori, Avx2, Nessuna };
void impostaIstruzioniVettoriali(IstruzioniVettoriali istruzioni);

} // namespace kalvor
