// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/file_risultati.hpp"

#include "common/numbers.hpp"

#include <algorithm>

namespace kalvor {

TextList testoTempi(const StatoLavoro &stato)
{
    TextList testo;
    const std::size_t n = std::min(static_cast<std::size_t>(std::max(stato.NumeroFotogrammiEstratti, 0)),
                                   stato.TabellaTempiFotogrammi.size());
    for (std::size_t i = 0; i < n; ++i)
        testo.append(fixedText(stato.TabellaTempiFotogrammi[i][0]) + "\t"
                     + fixedText(stato.TabellaTempiFotogrammi[i][1]));
    return testo;
}

void scriviFileRisultati(const StatoLavoro &stato, const std::string &cartella)
{
    stato.Risultati.ContenitoreDatiTemporali.saveToFile(cartella + "istanti.txt");
    stato.Risultati.ContenitoreDatiVeicolari.saveToFile(cartella + "veicoli.txt");
    stato.Risultati.ValutazioniTXT.saveToFile(cartella + "valutazione.txt");
    stato.Captazione.VeicoliTOT.saveToFile(cartella + "rilevamenti.txt");
    testoTempi(stato).saveToFile(cartella + "tempi.txt");
}

} // namespace kalvor
