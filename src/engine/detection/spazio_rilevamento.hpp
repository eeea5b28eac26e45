// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The working memory of the packed detection, kept from frame to frame so that
// no frame allocates.
//
// The mask has one bit per pixel (the three bytes of a pixel are always equal
// once classified): bit x of word 1 + r * parole + x / 64 is pixel (r, x), set
// for foreground, with one zero word before and after. It holds the whole
// frame's mask only when `mascheraIntera` is true; a frame detected for its
// records alone leaves exact only the rows its scan reads.
//
// The background is cached as bytes and rebuilt when det.GenerazioneSfondo
// or the size changes: whoever changes MediaSfondo increments
// GenerazioneSfondo.

#include "detection/geometria_scansione.hpp"
#include "detection/spazio_robusto.hpp"

#include "common/rgb_image.hpp"
#include "state/stato_lavoro.hpp"

#include <cstdint>
#include <vector>

namespace kalvor {

struct DetectionWorkspace
{
    int larghezza = 0; // pixel columns
    int altezza = 0; // pixel rows
    int parole = 0; // 64-bit words per mask row
    std::vector<std::uint64_t> maschera;
    std::vector<std::uint64_t> lavoro;
    std::vector<std::uint64_t> interno; // per word of the mask: the pixels erosion and dilation may write
    bool mascheraIntera = false;

    std::vector<std::uint8_t> sfondo;
    unsigned long long generazione = 0;
    bool sfondoValido = false;

    ScanGeometry geometria;
    // Per arc, per pixel column: foreground pixels of its segment.
    std::vector<std::uint32_t> conteggi[2];
    std::vector<std::uint8_t> accumulatori; // byte counters of the vector count
    RobustWorkspace robusto; // the robust detection's blob search

    bool primoPiano(int r, int x) const
    {
        return (maschera[1 + static_cast<std::size_t>(r) * static_cast<std::size_t>(parole)
                         + static_cast<std::size_t>(x >> 6)]
                >> (x & 63))
            & 1U;
    }
};

// Sizes the workspace to the detection state's frames (kept when unchanged),
// so that either profile's detection may run next on it.
void sizeWorkspace(DetectionWorkspace &s, const StatoRilevamento &det);

// The background as bytes, rebuilt only when MediaSfondo's generation changed.
void loadBackgroundBytes(DetectionWorkspace &s, const StatoRilevamento &det);

// RefusalError naming the frame when it is not of the background's size.
void checkFrameSize(const StatoRilevamento &det, const RgbImage &frame, int fotogramma);

} // namespace kalvor
