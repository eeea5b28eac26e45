// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/valutazione.hpp"

#include "common/numbers.hpp"

#include <algorithm>
#include <cmath>

namespace kalvor {

namespace {

// The vehicle whose rows start at `first`.
RigaArco valutaVeicolo(const std::vector<RigaIstanti> &tv, std::size_t first)
{
    const RigaIstanti &f = tv[first];
    RigaArco a;
    a.Veic = f.veicolo;
    a.Arco = f.Arco;
    a.Ting = f.tempo;
    double lunghezze = 0.0;
    double sorp = 0.0;
    double accelerazioni = 0.0;
    std::size_t righe = 0;
    std::size_t j = first;
    for (; j < tv.size() && tv[j].veicolo == f.veicolo; ++j) {
        lunghezze += tv[j].lungh;
        sorp += std::trunc(tv[j].sorp);
        ++righe;
        if (j >= first + 2) {
            const double dt = tv[j].tempo - tv[j - 1].tempo;
            if (dt != 0.0)
                accelerazioni += std::abs((tv[j].velocita - tv[j - 1].velocita) / (dt * 3.6));
        }
    }
    const RigaIstanti &l = tv[j - 1];
    a.Tusc = l.tempo;
    const double dx = l.barX - f.barX;
    const double dy = l.barY - f.barY;
    a.Spaz = std::sqrt(dx * dx + dy * dy);
    a.Vel = a.Tusc == a.Ting ? 0.0 : a.Spaz * 3.6 / (a.Tusc - a.Ting);
    a.Lveic = lunghezze / static_cast<double>(righe);
    a.sorp = sorp;
    a.acc = righe < 3 ? 0.0 : accelerazioni / static_cast<double>(righe - 2);
    return a;
}

void aggiungiArco(TextList &testo, const char *titolo, const std::vector<RigaArco> &righe)
{
    const NumberFormat &format = currentNumberFormat();
    testo.append(titolo);
    testo.append("");
    std::string intestazione;
    for (const auto &colonna : colonneArco) {
        if (!intestazione.empty())
            intestazione += '\t';
        intestazione += colonna.header;
    }
    testo.append(intestazione);
    for (const RigaArco &r : righe) {
        std::string linea;
        for (std::size_t i = 0; i < colonneArco.size(); ++i) {
            const double v = value(r, colonneArco, i);
            if (i > 0)
                linea += '\t';
            linea += colonneArco[i].form == FormaNumero::Fixed ? fixedText(v, format) : hashPatternText(v, format);
        }
        testo.append(linea);
    }
    testo.append("");
    const RiepilogoArco s = riepilogoArco(righe);
    testo.append("Veic :\t" + intText(s.veicoli) + "\tTm :\t" + fixedText(s.Tm, format) + "\tSm :\t"
                 + fixedText(s.Sm, format) + "\tsorp :\t" + fixedText(s.sorp, format));
    testo.append("Vm :\t" + fixedText(s.Vm, format) + "\tVmax :\t" + fixedText(s.Vmax, format) + "\tVmin :\t"
                 + fixedText(s.Vmin, format));
    testo.append("");
}

} // namespace

TabelleArchi valutaVeicoli(const std::vector<RigaIstanti> &TabellaVeicoli, int primo)
{
    TabelleArchi t;
    long long n = primo;
    for (std::size_t j = 0; j < TabellaVeicoli.size(); ++j) {
        if (TabellaVeicoli[j].veicolo != static_cast<double>(n))
            continue;
        ++n;
        const RigaArco a = valutaVeicolo(TabellaVeicoli, j);
        if (a.Arco == 1.0)
            t.superiore.push_back(a);
        else if (a.Arco == 2.0)
            t.inferiore.push_back(a);
    }
    return t;
}

RiepilogoArco riepilogoArco(const std::vector<RigaArco> &righe)
{
    RiepilogoArco s;
    if (righe.empty())
        return s;
    s.veicoli = static_cast<int>(righe.size());
    s.Vmin = 1000000.0;
    double tempi = 0.0;
    double spazi = 0.0;
    double velocita = 0.0;
    for (const RigaArco &r : righe) {
        tempi += r.Tusc - r.Ting;
        spazi += r.Spaz;
        velocita += r.Vel;
        s.sorp += r.sorp > 0.0 ? 1.0 : 0.0;
        s.Vmax = std::max(s.Vmax, r.Vel);
        s.Vmin = std::min(s.Vmin, r.Vel);
    }
    const auto n = static_cast<double>(s.veicoli);
    s.Tm = tempi / n;
    s.Sm = spazi / n;
    s.Vm = velocita / n;
    return s;
}

TextList testoValutazione(const TabelleArchi &tabelle)
{
    TextList testo;
    aggiungiArco(testo, "Arco SUPERIORE", tabelle.superiore);
    aggiungiArco(testo, "Arco INFERIORE", tabelle.inferiore);
    return testo;
}

void ValutazioneDatiClick(StatoLavoro &stato)
{
    const int primo = toInt(stato.Risultati.NumeroPrimoVeicoloTXT);
    TabelleArchi t = valutaVeicoli(stato.TabellaVeicoli, primo);
    TextList testo = testoValutazione(t);
    stato.TabellaArcoSuperiore = std::move(t.superiore);
    stato.TabellaArcoInferiore = std::move(t.inferiore);
    stato.Risultati.ValutazioniTXT = std::move(testo);
}

} // namespace kalvor
