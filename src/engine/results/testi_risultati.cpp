// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/testi_risultati.hpp"

#include "common/numbers.hpp"

namespace kalvor {

namespace {

void aggiungiNumero(std::string &linea, double valore, FormaNumero forma, const NumberFormat &format)
{
    switch (forma) {
    case FormaNumero::Fixed:
        appendFixedText(linea, valore, format);
        break;
    case FormaNumero::Hash:
        appendHashPatternText(linea, valore, false, format);
        break;
    case FormaNumero::HashZero:
        appendHashPatternText(linea, valore, true, format);
        break;
    }
}

} // namespace

std::string intestazioneRisultati()
{
    std::string linea;
    for (const auto &colonna : colonneIstanti) {
        if (!linea.empty())
            linea += '\t';
        linea += colonna.header;
    }
    return linea;
}

std::string rigaRisultati(const RigaIstanti &riga)
{
    const NumberFormat &format = currentNumberFormat();
    std::string linea;
    linea.reserve(64);
    for (std::size_t i = 0; i < colonneIstanti.size(); ++i) {
        const auto &colonna = colonneIstanti[i];
        const double v = riga.*(colonna.field);
        if (colonna.field == &RigaIstanti::corsia) {
            if (v == 1.0)
                linea += "\tsup";
            else if (v == 2.0)
                linea += "\tinf";
            continue;
        }
        if (i > 0)
            linea += '\t';
        aggiungiNumero(linea, v, colonna.form, format);
    }
    return linea;
}

std::string rigaRiepilogo(int V1, int V2, double ultimoTempo)
{
    return "* " + intText(V1) + " sulla corsia superiore e " + intText(V2) + " sulla corsia inferiore in "
        + fixedText(ultimoTempo) + " secondi";
}

TextList testoDatiTemporali(const TabelleConfermate &tabelle)
{
    TextList testo;
    auto &linee = testo.lines();
    linee.reserve(tabelle.TabellaIstanti.size() + 3);
    linee.push_back(intestazioneRisultati());
    for (const RigaIstanti &r : tabelle.TabellaIstanti)
        linee.push_back(rigaRisultati(r));
    linee.emplace_back();
    const double ultimo = tabelle.TabellaIstanti.empty() ? 0.0 : tabelle.TabellaIstanti.back().tempo;
    linee.push_back(rigaRiepilogo(tabelle.V1, tabelle.V2, ultimo));
    return testo;
}

TextList testoDatiVeicolari(const TabelleConfermate &tabelle, const TextList *temporali)
{
    TextList testo;
    auto &linee = testo.lines();
    const auto &tv = tabelle.TabellaVeicoli;
    const auto &ti = tabelle.TabellaIstanti;
    linee.reserve(tv.size() + 1);
    linee.push_back(intestazioneRisultati());
    for (std::size_t j = 0; j < tv.size(); ++j) {
        if (!(tv[j].velocita > 0.0))
            continue;
        const bool copia = temporali != nullptr && j < tabelle.origine.size() && tv[j] == ti[tabelle.origine[j]];
        linee.push_back(copia ? temporali->line(static_cast<int>(tabelle.origine[j]) + 1) : rigaRisultati(tv[j]));
    }
    return testo;
}

} // namespace kalvor
