// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/testo_indicatori_estesi.hpp"

#include "safety/tabella_indicatori.hpp"

namespace kalvor {

TextList testoIndicatoriEstesi(const std::vector<RigaIndicatori> &indicatori,
                               const std::vector<RigaIndicatoriEstesi> &estesi, std::optional<double> veicolo,
                               const NumberFormat &format)
{
    TextList testo;
    testo.append("");
    std::string intestazione;
    for (const auto &colonna : colonneIndicatoriEstesi) {
        if (!intestazione.empty())
            intestazione += '\t';
        intestazione += colonna.header;
    }
    testo.append(intestazione);
    for (std::size_t r = 0; r < indicatori.size() && r < estesi.size(); ++r) {
        if (veicolo && indicatori[r].veic != *veicolo)
            continue;
        std::string riga;
        for (std::size_t i = 0; i < colonneIndicatoriEstesi.size(); ++i) {
            if (i > 0)
                riga += '\t';
            riga += testoNumero(value(estesi[r], colonneIndicatoriEstesi, i), colonneIndicatoriEstesi[i].form, format);
        }
        testo.append(riga);
    }
    return testo;
}

} // namespace kalvor
