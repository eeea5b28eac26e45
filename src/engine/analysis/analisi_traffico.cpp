// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/analisi_traffico.hpp"

#include "common/errors.hpp"
#include "common/numbers.hpp"

#include <algorithm>
#include <limits>

namespace kalvor {

AnalisiTraffico analizzaTraffico(const std::vector<RigaIstanti> &istanti, const OpzioniAnalisi &opzioni)
{
    AnalisiTraffico a;
    a.opzioni = opzioni;
    a.traiettorie = raggruppaTraiettorie(istanti);
    bool primo = true;
    for (const Traiettoria &t : a.traiettorie) {
        for (const PuntoTraiettoria &p : t.punti) {
            a.finestra.inizio = primo ? p.tempo : std::min(a.finestra.inizio, p.tempo);
            a.finestra.fine = primo ? p.tempo : std::max(a.finestra.fine, p.tempo);
            primo = false;
        }
    }
    a.passaggi = passaggiSezione(a.traiettorie, opzioni.sezioneX);
    a.coppie = coppieConsecutive(a.passaggi);
    a.flussi = flussiPerIntervallo(a.passaggi, a.coppie, a.finestra, opzioni.durataIntervallo);
    a.complessivi = flussiComplessivi(a.passaggi, a.coppie, a.finestra);
    a.veicoliSenzaPassaggio = static_cast<int>(a.traiettorie.size() - a.passaggi.size());
    return a;
}

double leggiDurataIntervallo(std::string_view testo)
{
    const double secondi = toDecimal(testo);
    if (!(secondi > 0.0))
        throw RefusalError("La durata dell'intervallo deve essere maggiore di zero.");
    return secondi;
}

std::vector<double> velocitaAllaSezione(const AnalisiTraffico &a, int arco)
{
    std::vector<double> v;
    for (const PassaggioSezione &p : a.passaggi)
        if (p.arco == arco)
            v.push_back(p.velocita);
    return v;
}

namespace {

std::optional<double> assePerArea(const StatoLavoro &s)
{
    const TextList &punti = s.AreaCaptazione.PuntiRiferimento;
    if (punti.count() < 4)
        return std::nullopt;
    try {
        const int y1 = toInt(punti.line(0));
        const int x1 = toInt(punti.line(1));
        const int y2 = toInt(punti.line(2));
        const int x2 = toInt(punti.line(3));
        const MetricGrid &g = s.GrigliaMetrica;
        if (!g.contains(y1, x1) || !g.contains(y2, x2))
            return std::nullopt;
        return (g.at(y1, x1, 0) + g.at(y2, x2, 0)) / 2.0;
    } catch (const ConversionError &) {
        return std::nullopt;
    }
}

} // namespace

double sezioneDiRiferimento(const StatoLavoro &s)
{
    if (const auto asse = assePerArea(s))
        return *asse;
    double minimo = std::numeric_limits<double>::infinity();
    double massimo = -minimo;
    for (const RigaIstanti &r : s.TabellaIstanti) {
        if (r.Arco != 1.0 && r.Arco != 2.0)
            continue;
        minimo = std::min(minimo, r.barX);
        massimo = std::max(massimo, r.barX);
    }
    return minimo <= massimo ? (minimo + massimo) / 2.0 : 0.0;
}

} // namespace kalvor
