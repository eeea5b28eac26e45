// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/passaggi.hpp"

#include <algorithm>

namespace kalvor {

std::vector<PassaggioSezione> passaggiSezione(const std::vector<Traiettoria> &traiettorie, double sezioneX)
{
    std::vector<PassaggioSezione> passaggi;
    for (const Traiettoria &t : traiettorie) {
        const int verso = versoDiMarcia(t);
        if (verso == 0)
            continue;
        const double mezza = t.lunghezza / 2.0;
        // The front is at the section when the sighted position is half a length short of it.
        const auto fronte = passaggioPer(t, sezioneX - verso * mezza);
        if (!fronte)
            continue;
        const auto coda = passaggioPer(t, sezioneX + verso * mezza);
        PassaggioSezione p;
        p.veicolo = t.veicolo;
        p.arco = t.arco;
        p.lunghezza = t.lunghezza;
        p.tempoFronte = fronte->tempo;
        if (coda)
            p.tempoCoda = coda->tempo;
        p.velocita = fronte->velocita;
        passaggi.push_back(p);
    }
    std::sort(passaggi.begin(), passaggi.end(), [](const PassaggioSezione &a, const PassaggioSezione &b) {
        if (a.arco != b.arco)
            return a.arco < b.arco;
        if (a.tempoFronte != b.tempoFronte)
            return a.tempoFronte < b.tempoFronte;
        return a.veicolo < b.veicolo;
    });
    return passaggi;
}

std::vector<CoppiaConsecutiva> coppieConsecutive(const std::vector<PassaggioSezione> &passaggi)
{
    std::vector<CoppiaConsecutiva> coppie;
    for (std::size_t k = 1; k < passaggi.size(); ++k) {
        const PassaggioSezione &primo = passaggi[k - 1];
        const PassaggioSezione &secondo = passaggi[k];
        if (primo.arco != secondo.arco)
            continue;
        CoppiaConsecutiva c;
        c.arco = secondo.arco;
        c.primo = k - 1;
        c.secondo = k;
        c.distanziamentoTemporale = secondo.tempoFronte - primo.tempoFronte;
        c.distanziamentoSpaziale = c.distanziamentoTemporale * secondo.velocita / 3.6;
        if (primo.tempoCoda)
            c.pet = secondo.tempoFronte - *primo.tempoCoda;
        coppie.push_back(c);
    }
    return coppie;
}

} // namespace kalvor
