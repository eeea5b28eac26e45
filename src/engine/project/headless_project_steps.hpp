// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The screen steps of the project reader on the engine alone, for a run
// without a display: each operation does what the screen's operation does to
// the job state, loads the frames it loads (so a missing frame stops the
// reading as in the program) and checks what its drawing would convert; no
// picture is drawn. The program's screens use the same state operations.

#include "project/project_screen_steps.hpp"
#include "state/stato_lavoro.hpp"

namespace kalvor {

// What the capture screen's "Calc. Media" does to the job state once the
// background is computed: the two vehicle lists cleared, the counters and
// their captions from VeicoloIniziale and ImmagineIniziale, no virtual
// vehicle. ConversionError for a field that is not an integer.
void avviaCaptazione(StatoLavoro &stato);

class HeadlessProjectSteps : public ProjectScreenSteps
{
public:
    explicit HeadlessProjectSteps(StatoLavoro &stato)
        : m_s(stato)
    {
    }

    void AzzeraSenzaRichieste() override;
    void DisegnaPunti() override;
    void AzzeraDatiClick() override;
    void disegnaElementi() override;
    void CalcolaMediaClick() override;
    void setBarraElaborazione(int) override { }
    void showCaptureFrame(const RgbImage &frame) override { m_captureFrame = frame; }
    void drawCaptureOverlays() override { }

    // The frame the reference screen shows, and the capture's current frame.
    const RgbImage &referenceFrame() const { return m_referenceFrame; }
    const RgbImage &captureFrame() const { return m_captureFrame; }

private:
    StatoLavoro &m_s;
    RgbImage m_referenceFrame;
    RgbImage m_captureFrame;
};

} // namespace kalvor
