// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Screen steps that only write down what the project reader asked for, with
// the state each call saw, and can fail on a chosen call like a missing
// frame file would.

#include "common/errors.hpp"
#include "project/project_screen_steps.hpp"
#include "state/stato_lavoro.hpp"

#include <string>
#include <vector>

namespace kalvor::testing {

class RecordingSteps : public ProjectScreenSteps
{
public:
    explicit RecordingSteps(const StatoLavoro &stato)
        : m_s(stato)
    {
    }

    std::vector<std::string> calls;
    std::string failOn; // name of the call that throws a FileError

    void AzzeraSenzaRichieste() override
    {
        record("AzzeraSenzaRichieste Prospettiva.FotogrammaIniziale=" + m_s.Prospettiva.FotogrammaIniziale);
    }
    void DisegnaPunti() override
    {
        record("DisegnaPunti points=" + std::to_string(m_s.Prospettiva.coordinataXPixelP.count()));
    }
    void AzzeraDatiClick() override
    {
        record("AzzeraDatiClick AreaCaptazione.FotogrammaIniziale=" + m_s.AreaCaptazione.FotogrammaIniziale);
    }
    void disegnaElementi() override
    {
        record("disegnaElementi lines=" + std::to_string(m_s.AreaCaptazione.PuntiRiferimento.count()));
    }
    void CalcolaMediaClick() override
    {
        // The profile the background is computed for, when not the default.
        const std::string profilo = m_s.Captazione.Profilo == ProfiloRilevamento::Predefinito
            ? std::string()
            : " profilo=" + std::string(profileName(m_s.Captazione.Profilo));
        record("CalcolaMediaClick " + m_s.Captazione.ImmagineIniziale + ".." + m_s.Captazione.ImmagineFinale + profilo);
    }
    void setBarraElaborazione(int position) override { record("setBarraElaborazione " + std::to_string(position)); }
    void showCaptureFrame(const RgbImage &frame) override
    {
        record("showCaptureFrame " + std::to_string(frame.width) + "x" + std::to_string(frame.height));
    }
    void drawCaptureOverlays() override
    {
        record("drawCaptureOverlays veicoliAtt=" + std::to_string(m_s.Captazione.veicoliAtt.count()));
    }

private:
    void record(std::string call)
    {
        const std::string name = call.substr(0, call.find(' '));
        calls.push_back(std::move(call));
        if (name == failOn)
            throw FileError("Impossibile aprire il file \"fotogramma di prova\".");
    }

    const StatoLavoro &m_s;
};

} // namespace kalvor::testing
