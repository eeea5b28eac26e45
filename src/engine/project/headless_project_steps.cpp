// SPDX-License-Identifier: GPL-3.0-or-later
#include "project/headless_project_steps.hpp"

#include "common/drawing.hpp"
#include "common/numbers.hpp"
#include "detection/sfondo.hpp"
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
    m_referenceFrame = resetReferenceWithoutQuestions(m_s);
    m_referenceMarkers.clear();
}

void HeadlessProjectSteps::DisegnaPunti()
{
    m_referenceMarkers.clear();
    drawReferencePoints(m_s.Prospettiva, m_referenceMarkers);
}

void HeadlessProjectSteps::AzzeraDatiClick()
{
    m_areaFrame = resetArea(m_s);
    m_areaDrawing.clear();
}

void HeadlessProjectSteps::disegnaElementi()
{
    m_areaDrawing.clear();
    drawAreaElements(m_s.AreaCaptazione, m_areaDrawing);
}

void HeadlessProjectSteps::CalcolaMediaClick()
{
    computeBackground(m_s.CP, m_s.Captazione, m_s.AreaCaptazione.PuntiRiferimento, m_s.Estrattore.Cartella,
                      BackgroundFor::Captazione);
    avviaCaptazione(m_s);
}

} // namespace kalvor
