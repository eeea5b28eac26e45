// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The screen steps of the project reader on the engine alone: each operation
// does what the screen's operation does to the job state, loads the frames it
// loads (so a missing frame stops the reading as in the program) and computes
// its drawing, and keeps both for a screen to show. A run without a display
// uses it as it is; the program's screens run it once and then show what it
// kept, so that nothing is loaded or reset twice.

#include "common/drawing.hpp"
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

    // What the screens show after each step: the reference frame and its
    // markers, the examination-area frame and its drawing, the capture's frame.
    const RgbImage &referenceFrame() const { return m_referenceFrame; }
    const Drawing &referenceMarkers() const { return m_referenceMarkers; }
    const RgbImage &areaFrame() const { return m_areaFrame; }
    const Drawing &areaDrawing() const { return m_areaDrawing; }
    const RgbImage &captureFrame() const { return m_captureFrame; }

private:
    StatoLavoro &m_s;
    RgbImage m_referenceFrame;
    Drawing m_referenceMarkers;
    RgbImage m_areaFrame;
    Drawing m_areaDrawing;
    RgbImage m_captureFrame;
};

} // namespace kalvor
