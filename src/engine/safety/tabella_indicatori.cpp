// SPDX-License-Identifier: GPL-3.0-or-later
#include "safety/tabella_indicatori.hpp"

#include "common/text_list.hpp"
#include "state/stato_lavoro.hpp"

namespace kalvor {

namespace {

void scriviTabella(TextList &tabella, std::string titolo, const std::vector<RigaIndicatori> &righe,
                   const NumberFormat &format, const double *veicolo)
{
    tabella.clear();
    tabella.append(std::move(titolo));
    tabella.append(intestazioneIndicatori());
    for (const RigaIndicatori &riga : righe)
        if (veicolo == nullptr || riga.veic == *veicolo)
            tabella.append(testoRigaIndicatori(riga, format));
}

} // namespace

std::string testoNumero(double valore, FormaNumero forma, const NumberFormat &format)
{
    switch (forma) {
    case FormaNumero::Fixed:
        return fixedText(valore, format);
    case FormaNumero::Hash:
        return hashPatternText(valore, format);
    case FormaNumero::HashZero:
        return hashPatternTextZero(valore, format);
    }
    return {};
}

std::string intestazioneIndicatori()
{
    std::string testo;
    for (const auto &colonna : colonneIndicatori) {
        if (!testo.empty())
            testo += '\t';
        testo += colonna.header;
    }
    return testo;
}

std::string testoRigaIndicatori(const RigaIndicatori &riga, const NumberFormat &format)
{
    std::string testo;
    for (std::size_t i = 0; i < colonneIndicatori.size(); ++i) {
        if (i > 0)
            testo += '\t';
        testo += testoNumero(value(riga, colonneIndicatori, i), colonneIndicatori[i].form, format);
    }
    return testo;
}

void MostraTabellaCompleta(StatoLavoro &stato, const NumberFormat &format)
{
    scriviTabella(stato.IndicatoriSicurezza.Tabella, titoloIndicatori, stato.TabellaIndicatori, format, nullptr);
}

void MostraTabellaVeicolo(StatoLavoro &stato, const NumberFormat &format)
{
    const std::string &typed = stato.IndicatoriSicurezza.VeicoloTXT;
    const double veicolo = toInt(typed);
    scriviTabella(stato.IndicatoriSicurezza.Tabella, titoloIndicatoriVeicolo + typed, stato.TabellaIndicatori, format,
                  &veicolo);
}

void SalvaTabellaIndicatori(const TextList &tabella, const std::string &percorso)
{
    tabella.saveToFile(percorso);
}

} // namespace kalvor
