// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/indicatori_estesi.hpp"

#include <unordered_map>

namespace kalvor {

std::vector<RigaIndicatoriEstesi> indicatoriEstesi(const std::vector<RigaIndicatori> &indicatori,
                                                   const AnalisiTraffico &a)
{
    std::unordered_map<double, RigaIndicatoriEstesi> perSeguace;
    for (const CoppiaConsecutiva &c : a.coppie)
        perSeguace[a.passaggi[c.secondo].veicolo]
            = RigaIndicatoriEstesi {c.pet.value_or(0.0), c.distanziamentoTemporale};
    std::vector<RigaIndicatoriEstesi> righe;
    righe.reserve(indicatori.size());
    for (const RigaIndicatori &r : indicatori) {
        const auto it = perSeguace.find(r.veic);
        righe.push_back(it == perSeguace.end() ? RigaIndicatoriEstesi {} : it->second);
    }
    return righe;
}

} // namespace kalvor
