// SPDX-License-Identifier: GPL-3.0-or-later
#include "detection/passo_fotogramma.hpp"

#include "detection/abbina_veicoli.hpp"
#include "detection/rilevamento_robusto.hpp"

namespace kalvor {

void numberFrame(StatoRilevamento &det, const MetricGrid &griglia, TextList &veicoliAtt, const TextList &veicoliPrec,
                 const TextList *VeicoliTOT, RobustTracker &inseguimento)
{
    if (det.Profilo == ProfiloRilevamento::Robusto)
        NumeraVeicoliRobusto(inseguimento, veicoliAtt, veicoliPrec, VeicoliTOT, det.NumeroVeicolo, det, griglia);
    else
        AbbinaVeicoli(veicoliAtt, veicoliPrec, det.NumeroVeicolo, det.VariazionePos, griglia);
}

bool detectAndNumberFrame(StatoRilevamento &det, const MetricGrid &griglia, const RgbImage &frame, int superiore,
                          int inferiore, int fotogramma, double tempo, TextList &veicoliAtt,
                          const TextList &veicoliPrec, DetectionWorkspace &spazio, RobustTracker &inseguimento,
                          MaskWanted maschera, const TextList *VeicoliTOT)
{
    if (det.Profilo == ProfiloRilevamento::Robusto)
        IndividuaVeicoliRobusto(det, griglia, frame, superiore, inferiore, fotogramma, tempo, veicoliAtt, spazio,
                                maschera);
    else
        IndividuaVeicoli(det, griglia, frame, superiore, inferiore, fotogramma, tempo, veicoliAtt, spazio, maschera);
    const bool trovati = veicoliAtt.count() >= 2;
    if (trovati)
        numberFrame(det, griglia, veicoliAtt, veicoliPrec, VeicoliTOT, inseguimento);
    return trovati;
}

} // namespace kalvor
