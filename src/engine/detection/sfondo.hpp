// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The background: the per-byte integer mean of the frames a..b, computed by
// the CalcolaMedia button of the calibration and of the capture screen, which
// also reads the detection parameters and the area geometry into the screen's
// detection state.

#include "common/rgb_image.hpp"
#include "common/text_list.hpp"
#include "state/stato_lavoro.hpp"

#include <functional>
#include <string>

namespace kalvor {

// Called on the calling thread with each frame once it is loaded: the first
// frame a, then every frame n = a+1..b once it has been added to the sum. The
// calibration screen shows the frame and processes events here.
using BackgroundProgress = std::function<void(int n, const RgbImage &frame)>;

enum class BackgroundFor { Calibrazione, Captazione };

// Computes det.MediaSfondo and sizes det.MatriceDifferenza (zeroed), sets
// AltezzaImmagine, LarghezzaRiga, NumeroFotogrammiMedia, the parameters and
// the geometry; the calibration twin also keeps PrimoFotogramma and
// UltimoFotogramma. The first file is named from the text of
// ImmagineIniziale as typed, the others from the frame number.
//
// Frames are decoded two at a time on worker threads; sums and callbacks stay
// on the calling thread, in frame order.
//
// Under the robust profile (campi.Profilo) the background is instead the
// median of detection/sfondo_robusto.hpp: only the sampled frames are read,
// the progress is called for each of them, and NumeroFotogrammiMedia counts
// them.
//
// Refuses (RefusalError) an interval whose last frame precedes its first or
// that holds more frames than the 32-bit sums allow (8421504), and
// frames of another size than the first. A conversion error in the interval
// ends leaves the state as it was; any later failure (a missing or unreadable
// file, a bad parameter) discards the background, so that no detection can run
// on a half-summed one.
void computeBackground(StatoRilevamento &det, const CampiRilevamento &campi, const TextList &puntiRiferimento,
                       const std::string &cartella, BackgroundFor gemello, const BackgroundProgress &progresso = {});

// The plain mean, one frame at a time on the calling thread (for tests and
// benchmarks): the same result as computeBackground's background.
MatriceInteri referenceBackgroundMean(const std::string &cartella, const std::string &primo, int a, int b);

} // namespace kalvor
