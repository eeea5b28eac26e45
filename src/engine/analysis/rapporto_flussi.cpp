// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/rapporto_flussi.hpp"

#include "common/numbers.hpp"

#include <optional>

namespace kalvor {

namespace {

std::string cifra(std::optional<double> v)
{
    return v ? hashPatternTextZero(*v) : std::string("-");
}

std::string rigaFlusso(const std::string &periodo, const FlussoIntervallo &f)
{
    return periodo + "\t" + intText(f.veicoli) + "\t" + cifra(f.flusso) + "\t" + cifra(f.velocitaMedia) + "\t"
        + cifra(f.velocita85) + "\t" + cifra(f.velocitaSpazio) + "\t" + cifra(f.distanziamentoTemporale) + "\t"
        + cifra(f.distanziamentoSpaziale) + "\t" + cifra(f.densita);
}

} // namespace

TextList rapportoFlussi(const AnalisiTraffico &a)
{
    TextList t;
    t.append("Flussi alla sezione X = " + hashPatternTextZero(a.opzioni.sezioneX) + " m, intervalli di "
             + fixedText(a.opzioni.durataIntervallo) + " s");
    t.append("Osservazione da " + hashPatternTextZero(a.finestra.inizio) + " a " + hashPatternTextZero(a.finestra.fine)
             + " s; veicoli che non raggiungono la sezione: " + intText(a.veicoliSenzaPassaggio));
    for (int arco = 1; arco <= 2; ++arco) {
        t.append("");
        t.append(arco == 1 ? "Arco SUPERIORE" : "Arco INFERIORE");
        t.append("intervallo [s]\tveicoli\tflusso [veic/h]\tvel. media [km/h]\tvel. 85° [km/h]"
                 "\tvel. spaziale [km/h]\tdist. temporale [s]\tdist. spaziale [m]\tdensità [veic/km]");
        for (const FlussoIntervallo &f : a.flussi)
            if (f.arco == arco)
                t.append(rigaFlusso(fixedText(f.inizio) + " - " + fixedText(f.fine), f));
        for (const FlussoIntervallo &f : a.complessivi)
            if (f.arco == arco)
                t.append(rigaFlusso("totale", f));
    }
    return t;
}

} // namespace kalvor
