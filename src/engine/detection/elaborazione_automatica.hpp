// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The automatic run of the calibration screen: detection and numbering over
// the frames a+1..b of the interval, with a call per frame through which the
// screen draws, plays the found sound, processes events and asks to stop.

#include "common/drawing.hpp"
#include "common/rgb_image.hpp"
#include "detection/rilevamento.hpp"
#include "state/stato_lavoro.hpp"

#include <functional>
#include <vector>

namespace kalvor {

// The screen's side of a run. `ferma` is the stop box: cleared at the start,
// read after each frame's call. `mirino` and `mostraAsse` are read at every
// frame. `inCorso` is true while a run goes on. A caller that never shows the
// mask clears `mostraMaschera`: each frame then computes only the rows its
// records need.
struct RunControl
{
    bool ferma = false;
    bool mirino = false;
    bool mostraAsse = false;
    bool inCorso = false;
    bool mostraMaschera = true;
};

struct ProcessedFrame
{
    int numero = 0; // frame n
    double tempo = 0.0; // its time, s
    const RgbImage *immagine = nullptr;
    const DetectionWorkspace *maschera = nullptr; // for maskImage; null when not shown
    bool veicoliTrovati = false; // veicoliAtt holds at least one record
    Drawing sovrapposizioni; // records, then the axis when shown
    int ultimoNumero = 0; // NumeroVeicolo - 1
};

struct RunObserver
{
    // The first frame of the interval, shown before the loop.
    std::function<void(const RgbImage &primo)> inizio;
    // A frame yielded at least one vehicle (play the sound).
    std::function<void()> veicoliTrovati;
    // After each frame: show the frame and counters, process pending events.
    std::function<void(const ProcessedFrame &)> fotogramma;
};

// The time of frame n: the first row of the table for n, else `precedente`.
double frameTime(const std::vector<RigaTempi> &tabella, int n, double precedente);

// Runs the loop on stato.C and the calibration screen's lists. Refuses
// (RefusalError) a run while another is going, without a background computed
// in this program run, without a metric grid, with an interval whose last
// frame precedes its first, and frames of another size than the background.
void ElaborazioneImmagini(StatoLavoro &stato, RunControl &controllo, DetectionWorkspace &spazio,
                          const RunObserver &osservatore = {});

} // namespace kalvor
