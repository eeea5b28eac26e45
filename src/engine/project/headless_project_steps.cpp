// SPDX-License-Identifier: GPL-3.0-or-later
#include "project/headless_project_steps.hpp"

#include "common/drawing.hpp"
#include "common/numbers.hpp"
#include "detection/sfondo.hpp"
#include "extraction/png_io.hpp"
#include "geometry/area_captazione.hpp"
#include "geometry/prospettiva.hpp"

namespace kalvor {

void avviaCaptazione(StatoLavoro &s)
{
    auto &c = s.Captazione;
    c.veicoliAtt.clear();
    c.veicoliPrec.clear();
    s.CP.NumeroVeicolo = toInt(c.VeicoloIniziale);
    s.CP.FotogrammaAttuale = toInt(c.ImmagineIniziale);
    s.CP.NumeroVeicoliVirtuali = 0;
    c.NumeroVeicoliTXT = intText(static_cast<std::int64_t>(s.CP.NumeroVeicolo) - 1);
    c.fotogrammaTXT = intText(s.CP.FotogrammaAttuale);
}

void HeadlessProjectSteps::AzzeraSenzaRichieste()
{
    const std::string file = startReferenceReset(m_s);
    m_referenceFrame = readPng(file);
    finishAzzeraSenzaRichieste(m_s);
}

void HeadlessProjectSteps::DisegnaPunti()
{
    Drawing unused;
    drawReferencePoints(m_s.Prospettiva, unused);
}

void HeadlessProjectSteps::AzzeraDatiClick()
{
    readPng(areaFrameFileName(m_s));
    clearArea(m_s.AreaCaptazione);
}

void HeadlessProjectSteps::disegnaElementi()
{
    Drawing unused;
    drawAreaElements(m_s.AreaCaptazione, unused);
}

void HeadlessProjectSteps::CalcolaMediaClick()
{
    computeBackground(m_s.CP, m_s.Captazione, m_s.AreaCaptazione.PuntiRiferimento, m_s.Estrattore.Cartella,
                      BackgroundFor::Captazione);
    avviaCaptazione(m_s);
}

} // namespace kalvor
