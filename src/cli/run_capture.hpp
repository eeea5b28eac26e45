// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The capture stage of `kalvor-cli run`: the capture background computed
// while the job is read (as the capture screen's "Calc. Media" does), then
// every frame advance from the frame shown to the end of the capture
// interval, as pressing F4 to the end would, and the job saved so that it
// opens in the program at the last frame.

#include "capture/sessione_captazione.hpp"
#include "cli/commands.hpp"
#include "project/headless_project_steps.hpp"
#include "state/stato_lavoro.hpp"

#include <optional>
#include <string>

namespace kalvor::cli {

// Checks, before the job is read, the file of --save (empty: none): it must
// lie in the frames folder (the job's folder), since opening a job takes its
// own folder as the frames folder. Returns the path to write.
std::string verificaSalvataggio(const std::string &salva, const std::string &job);

// The reader's screen steps with the capture screen's on the session. With
// a profile, the capture runs with it whatever the job says: its background
// is computed while the job is read.
class PassiProgettoCaptazione : public HeadlessProjectSteps
{
public:
    PassiProgettoCaptazione(StatoLavoro &stato, SessioneCaptazione &sessione,
                            std::optional<ProfiloRilevamento> profilo = std::nullopt)
        : HeadlessProjectSteps(stato)
        , m_stato(stato)
        , m_sessione(sessione)
        , m_profilo(profilo)
    {
    }
    void CalcolaMediaClick() override;
    void setBarraElaborazione(int position) override;
    void showCaptureFrame(const RgbImage &frame) override;
    void drawCaptureOverlays() override;

private:
    StatoLavoro &m_stato;
    SessioneCaptazione &m_sessione;
    std::optional<ProfiloRilevamento> m_profilo;
};

// Advances to the end of the capture interval, prints a summary, and writes
// the job to `salva` when it is not empty. Nothing is written on a failure.
void eseguiCaptazione(StatoLavoro &stato, SessioneCaptazione &sessione, const std::string &salva);

} // namespace kalvor::cli
