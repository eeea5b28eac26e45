// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/flussi.hpp"

#include "analysis/statistiche.hpp"
#include "common/errors.hpp"

#include <algorithm>
#include <cmath>

namespace kalvor {

namespace {

struct Campione
{
    std::vector<double> velocita;
    std::vector<double> distanziamentiTemporali;
    std::vector<double> distanziamentiSpaziali;
};

void calcolaStatistiche(FlussoIntervallo &f, const Campione &c)
{
    f.veicoli = static_cast<int>(c.velocita.size());
    if (f.durata > 0.0)
        f.flusso = f.veicoli * 3600.0 / f.durata;
    f.velocitaMedia = media(c.velocita);
    f.velocita85 = percentile(c.velocita, 0.85);
    f.velocitaSpazio = mediaArmonica(c.velocita);
    f.distanziamentoTemporale = media(c.distanziamentiTemporali);
    f.distanziamentoSpaziale = media(c.distanziamentiSpaziali);
    if (f.flusso && f.velocitaSpazio)
        f.densita = *f.flusso / *f.velocitaSpazio;
}

} // namespace

std::vector<FlussoIntervallo> flussiPerIntervallo(const std::vector<PassaggioSezione> &passaggi,
                                                  const std::vector<CoppiaConsecutiva> &coppie,
                                                  FinestraOsservazione finestra, double durataIntervallo)
{
    if (!(durataIntervallo > 0.0) || !std::isfinite(durataIntervallo))
        throw RefusalError("La durata dell'intervallo deve essere maggiore di zero.");
    const double primo = std::floor(finestra.inizio / durataIntervallo);
    const double ultimo = std::max(primo, std::ceil(finestra.fine / durataIntervallo) - 1.0);
    if (ultimo - primo >= 1e6)
        throw RefusalError("Intervallo troppo breve: darebbe più di un milione di intervalli.");
    const auto numero = static_cast<std::size_t>(ultimo - primo) + 1;
    const auto indice = [&](double t) {
        const double k = std::clamp(std::floor(t / durataIntervallo), primo, ultimo);
        return static_cast<std::size_t>(k - primo);
    };

    std::vector<Campione> campioni(2 * numero);
    const auto campione = [&](int arco, double t) -> Campione & {
        return campioni[static_cast<std::size_t>(arco - 1) * numero + indice(t)];
    };
    for (const PassaggioSezione &p : passaggi)
        campione(p.arco, p.tempoFronte).velocita.push_back(p.velocita);
    for (const CoppiaConsecutiva &c : coppie) {
        Campione &k = campione(c.arco, passaggi[c.secondo].tempoFronte);
        k.distanziamentiTemporali.push_back(c.distanziamentoTemporale);
        k.distanziamentiSpaziali.push_back(c.distanziamentoSpaziale);
    }

    std::vector<FlussoIntervallo> flussi;
    flussi.reserve(campioni.size());
    for (int arco = 1; arco <= 2; ++arco) {
        for (std::size_t k = 0; k < numero; ++k) {
            FlussoIntervallo f;
            f.arco = arco;
            f.inizio = (primo + static_cast<double>(k)) * durataIntervallo;
            f.fine = f.inizio + durataIntervallo;
            f.durata = std::max(0.0, std::min(f.fine, finestra.fine) - std::max(f.inizio, finestra.inizio));
            calcolaStatistiche(f, campioni[static_cast<std::size_t>(arco - 1) * numero + k]);
            flussi.push_back(f);
        }
    }
    return flussi;
}

std::vector<FlussoIntervallo> flussiComplessivi(const std::vector<PassaggioSezione> &passaggi,
                                                const std::vector<CoppiaConsecutiva> &coppie,
                                                FinestraOsservazione finestra)
{
    std::vector<FlussoIntervallo> flussi;
    for (int arco = 1; arco <= 2; ++arco) {
        Campione c;
        for (const PassaggioSezione &p : passaggi)
            if (p.arco == arco)
                c.velocita.push_back(p.velocita);
        for (const CoppiaConsecutiva &k : coppie)
            if (k.arco == arco) {
                c.distanziamentiTemporali.push_back(k.distanziamentoTemporale);
                c.distanziamentiSpaziali.push_back(k.distanziamentoSpaziale);
            }
        FlussoIntervallo f;
        f.arco = arco;
        f.inizio = finestra.inizio;
        f.fine = finestra.fine;
        f.durata = std::max(0.0, finestra.fine - finestra.inizio);
        calcolaStatistiche(f, c);
        flussi.push_back(f);
    }
    return flussi;
}

} // namespace kalvor
