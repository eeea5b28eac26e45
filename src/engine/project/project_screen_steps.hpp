// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The screen operations that reading a project file calls, in the order of
// the file's sections. The program's screens implement them; a headless run
// implements them on the engine alone; tests record the calls. Each operation
// reads what it needs from the job state, and may throw kalvor::Error (a
// missing frame file, a text that is not a number), which stops the reading.

#include "common/rgb_image.hpp"

namespace kalvor {

struct ProjectScreenSteps
{
    virtual ~ProjectScreenSteps() = default;

    // Reference-point screen: reset without asking (reloads the frame named by
    // `Prospettiva.FotogrammaIniziale`, clears the pixel and distance lists),
    // then the redraw of the points once the lists are refilled.
    virtual void AzzeraSenzaRichieste() = 0;
    virtual void DisegnaPunti() = 0;

    // Examination-area screen: reset (reloads the frame named by
    // `AreaCaptazione.FotogrammaIniziale`, clears `PuntiRiferimento`), then the
    // drawing of the area once the list is refilled.
    virtual void AzzeraDatiClick() = 0;
    virtual void disegnaElementi() = 0;

    // Capture screen: the background and start of the capture from its eight
    // fields; the progress gauge `barraElaborazione`; the saved current frame
    // (already loaded) shown as `ImmagineColori` and `originale`; the vehicle
    // overlays of `veicoliAtt`.
    virtual void CalcolaMediaClick() = 0;
    virtual void setBarraElaborazione(int position) = 0;
    virtual void showCaptureFrame(const RgbImage &frame) = 0;
    virtual void drawCaptureOverlays() = 0;
};

} // namespace kalvor
