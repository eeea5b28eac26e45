// SPDX-License-Identifier: GPL-3.0-or-later
#include "detection/spazio_rilevamento.hpp"

#include "common/errors.hpp"

#include <algorithm>
#include <string>

namespace kalvor {

namespace {

std::size_t wordIndex(int r, int parole)
{
    return static_cast<std::size_t>(r) * static_cast<std::size_t>(parole);
}

} // namespace

void sizeWorkspace(DetectionWorkspace &s, const StatoRilevamento &det)
{
    const int larghezza = det.LarghezzaRiga / 3;
    const int altezza = det.AltezzaImmagine;
    if (s.larghezza == larghezza && s.altezza == altezza && !s.maschera.empty())
        return;
    s.larghezza = larghezza;
    s.altezza = altezza;
    s.parole = (larghezza + 63) / 64;
    const std::size_t n = wordIndex(altezza, s.parole) + 2;
    s.maschera.assign(n, 0);
    s.lavoro.assign(n, 0);
    s.interno.assign(n, 0);
    for (int r = 0; r < altezza; ++r)
        for (int x = 1; x <= larghezza - 2; ++x)
            s.interno[1 + wordIndex(r, s.parole) + static_cast<std::size_t>(x >> 6)] |= std::uint64_t {1} << (x & 63);
    s.mascheraIntera = false;
    s.sfondoValido = false;
}

void loadBackgroundBytes(DetectionWorkspace &s, const StatoRilevamento &det)
{
    const std::size_t n = det.MediaSfondo.data.size();
    if (s.sfondoValido && s.generazione == det.GenerazioneSfondo && s.sfondo.size() == n)
        return;
    s.sfondo.resize(n);
    for (std::size_t i = 0; i < n; ++i)
        s.sfondo[i] = static_cast<std::uint8_t>(std::clamp(det.MediaSfondo.data[i], 0, 255));
    s.generazione = det.GenerazioneSfondo;
    s.sfondoValido = true;
}

void checkFrameSize(const StatoRilevamento &det, const RgbImage &frame, int fotogramma)
{
    if (frame.height != det.AltezzaImmagine || frame.rowBytes() != det.LarghezzaRiga
        || det.MediaSfondo.data.size() != frame.pixels.size())
        throw RefusalError("Il fotogramma " + std::to_string(fotogramma) + " non ha la dimensione dello sfondo ("
                           + std::to_string(det.LarghezzaRiga / 3) + " x " + std::to_string(det.AltezzaImmagine)
                           + ").");
}

} // namespace kalvor
