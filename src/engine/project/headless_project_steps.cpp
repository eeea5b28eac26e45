// SPDX-License-Identifier: GPL-3.0-or-later
#include "project/headless_project_steps.hpp"

#include "common/numbers.hpp"
#include "detection/sfondo.hpp"
#include "extraction/frame_file.hpp"
#include "extraction/png_io.hpp"

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

// The reference and area steps below are the state side of the geometry
// screens' resets and redraws: the frame number, the frame load, the lists
// emptied, and the conversions the drawing makes.

void HeadlessProjectSteps::AzzeraSenzaRichieste()
{
    auto &p = m_s.Prospettiva;
    m_s.FotogrammaProspettiva = toInt(p.FotogrammaIniziale);
    m_referenceFrame = readPng(frameFileName(m_s.Estrattore.Cartella, m_s.FotogrammaProspettiva));
    for (TextList *l : {&p.coordinataXPixelP, &p.coordinataYPixelP, &p.DistanzeRealiP, &p.coordinataXPixelD,
                        &p.coordinataYPixelD, &p.DistanzeRealiD})
        l->clear();
}

void HeadlessProjectSteps::DisegnaPunti()
{
    const auto &p = m_s.Prospettiva;
    for (int i = 0; i < p.coordinataXPixelP.count(); ++i) {
        toInt(p.coordinataXPixelP.line(i));
        toInt(p.coordinataYPixelP.line(i));
    }
}

void HeadlessProjectSteps::AzzeraDatiClick()
{
    // The area screen names its frame from the text as typed.
    readPng(m_s.Estrattore.Cartella + m_s.AreaCaptazione.FotogrammaIniziale + ".png");
    m_s.AreaCaptazione.PuntiRiferimento.clear();
}

void HeadlessProjectSteps::disegnaElementi()
{
    const TextList &punti = m_s.AreaCaptazione.PuntiRiferimento;
    for (int i = 0; i < 8; ++i)
        toInt(punti.line(i));
}

void HeadlessProjectSteps::CalcolaMediaClick()
{
    CalcolaMediaSfondo(m_s.CP, m_s.Captazione, m_s.AreaCaptazione.PuntiRiferimento, m_s.Estrattore.Cartella,
                       GemelloSfondo::Captazione);
    avviaCaptazione(m_s);
}

} // namespace kalvor
