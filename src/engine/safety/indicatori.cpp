// SPDX-License-Identifier: GPL-3.0-or-later
#include "safety/indicatori.hpp"

#include "state/stato_lavoro.hpp"

#include <algorithm>
#include <cmath>
#include <limits>

namespace kalvor {

namespace {

double quadrato(double x)
{
    return x * x;
}

// Candidates of row i among the rows `righe` (in index order, i excluded by the caller).
template<typename Indici>
void raccogliCandidati(const std::vector<RigaIndicatori> &indicatori, std::size_t i, const Indici &righe,
                       std::vector<RigaVicini> &vicini)
{
    vicini.clear();
    const RigaIndicatori &riga = indicatori[i];
    for (const std::size_t j : righe)
        if (j != i && inCorsiaDi(riga, indicatori[j]))
            vicini.push_back(vicino(riga, indicatori[j]));
}

void completaRiga(RigaIndicatori &riga, const std::vector<RigaVicini> &vicini)
{
    const int avanti = indiceVeicoloAvanti(vicini);
    if (avanti >= 0)
        impostaVeicoloAvanti(riga, vicini[static_cast<std::size_t>(avanti)]);
    riga.TTC = tempoCollisione(riga);
}

std::vector<RigaIndicatori> righeIniziali(const std::vector<RigaIstanti> &istanti)
{
    std::vector<RigaIndicatori> righe;
    righe.reserve(istanti.size());
    for (const RigaIstanti &r : istanti)
        righe.push_back(rigaIniziale(r));
    return righe;
}

} // namespace

RigaIndicatori rigaIniziale(const RigaIstanti &istante)
{
    RigaIndicatori r;
    r.veic = istante.veicolo;
    r.Vel = istante.velocita;
    r.X = istante.barX;
    r.Y = istante.barY;
    r.Arco = istante.Arco;
    r.Sorp = istante.sorp;
    r.Lveic = istante.lungh;
    r.dt = istante.tempo;
    r.MADR = valoreMADR;
    return r;
}

bool inCorsiaDi(const RigaIndicatori &riga, const RigaIndicatori &altra)
{
    const bool stessoArco = altra.Arco == riga.Arco;
    if (riga.Sorp == 0.0) // the vehicles driving in the lane of its own arc
        return (stessoArco && altra.Sorp == 0.0) || (!stessoArco && altra.Sorp == 1.0);
    if (riga.Sorp == 1.0) // the vehicles driving in the other lane
        return (!stessoArco && altra.Sorp == 0.0) || (stessoArco && altra.Sorp == 1.0);
    return false;
}

RigaVicini vicino(const RigaIndicatori &riga, const RigaIndicatori &altra)
{
    RigaVicini v {altra.veic, altra.Vel, altra.X, altra.Y, altra.Arco, altra.Sorp, altra.Lveic, 0.0};
    v.distanza = std::sqrt(quadrato(altra.X - riga.X) + quadrato(altra.Y - riga.Y));
    // The upper arc travels towards smaller X, the lower one towards larger X.
    const double avanzamento = altra.X - riga.X;
    if ((riga.Arco == 1.0 && avanzamento > 0.0) || (riga.Arco == 2.0 && avanzamento < 0.0))
        v.distanza = distanzaDietro;
    return v;
}

int indiceVeicoloAvanti(const std::vector<RigaVicini> &candidati)
{
    int scelto = -1;
    double minima = distanzaDietro;
    for (std::size_t k = 0; k < candidati.size(); ++k) {
        const double d = candidati[k].distanza;
        // At distance 0 the pair is one vehicle found twice (in both arcs),
        // and DRAC would divide by 0.
        if (d > 0.0 && d < minima) {
            minima = d;
            scelto = static_cast<int>(k);
        }
    }
    return scelto;
}

void impostaVeicoloAvanti(RigaIndicatori &riga, const RigaVicini &avanti)
{
    riga.veicAvanti = avanti.veic;
    riga.VelAvanti = avanti.Vel;
    riga.XAvanti = avanti.X;
    riga.YAvanti = avanti.Y;
    riga.ArcoAvanti = avanti.Arco;
    riga.SorpAvanti = avanti.Sorp;
    riga.LveicAvanti = avanti.Lveic;
    riga.dist = avanti.distanza;

    const double Si = riga.Sorp;
    const double Sj = avanti.Sorp;
    const double d = avanti.distanza;
    const double differenza = quadrato((riga.Vel - avanti.Vel) / 3.6) / (2.0 * d);
    if (Si == 0.0 && Sj == 0.0)
        riga.DRAC = differenza;
    if (Si == 1.0 || Sj == 1.0) // the two drive towards each other
        riga.DRAC = quadrato((riga.Vel + avanti.Vel) / 3.6) / (2.0 * d);
    if (Si == 1.0 && Sj == 1.0 && riga.Arco == avanti.Arco)
        riga.DRAC = differenza;
}

double tempoCollisione(const RigaIndicatori &riga)
{
    if (riga.Vel > riga.VelAvanti)
        return riga.dist / ((riga.Vel - riga.VelAvanti) / 3.6);
    return 0.0;
}

void calcolaIndicatoriRiferimento(const std::vector<RigaIstanti> &istanti, std::vector<RigaIndicatori> &indicatori,
                                  std::vector<RigaVicini> &vicini)
{
    indicatori = righeIniziali(istanti);
    vicini.clear();
    std::vector<std::size_t> stessoIstante;
    for (std::size_t i = 0; i < indicatori.size(); ++i) {
        const double Ti = indicatori[i].dt;
        stessoIstante.clear();
        for (std::size_t j = 0; j < indicatori.size(); ++j) {
            if (indicatori[j].dt == Ti)
                stessoIstante.push_back(j);
            if (indicatori[j].dt > Ti)
                break;
        }
        raccogliCandidati(indicatori, i, stessoIstante, vicini);
        completaRiga(indicatori[i], vicini);
    }
}

void calcolaIndicatoriIndicizzato(const std::vector<RigaIstanti> &istanti, std::vector<RigaIndicatori> &indicatori,
                                  std::vector<RigaVicini> &vicini)
{
    indicatori = righeIniziali(istanti);
    vicini.clear();
    const std::size_t n = indicatori.size();

    // The walk of an instant T stops at the first row later than T: the first
    // row where the running maximum of the instants exceeds T. NaN instants
    // never stop it and are never equal to anything.
    std::vector<double> massimo(n);
    double m = -std::numeric_limits<double>::infinity();
    for (std::size_t j = 0; j < n; ++j) {
        if (indicatori[j].dt > m)
            m = indicatori[j].dt;
        massimo[j] = m;
    }

    // Rows grouped by instant (equal under ==, so -0 and 0 together), each
    // group in row order.
    std::vector<std::size_t> ordine;
    ordine.reserve(n);
    for (std::size_t j = 0; j < n; ++j)
        if (!std::isnan(indicatori[j].dt))
            ordine.push_back(j);
    // The confirmation writes the rows in time order: then they are grouped already.
    const auto prima = [&](std::size_t a, std::size_t b) { return indicatori[a].dt < indicatori[b].dt; };
    if (!std::is_sorted(ordine.begin(), ordine.end(), prima))
        std::stable_sort(ordine.begin(), ordine.end(), prima);

    std::vector<std::size_t> gruppo;
    std::vector<RigaVicini> ultimi; // the working table as the plain walk leaves it
    for (std::size_t inizio = 0; inizio < ordine.size();) {
        const double T = indicatori[ordine[inizio]].dt;
        std::size_t fine = inizio;
        while (fine < ordine.size() && indicatori[ordine[fine]].dt == T)
            ++fine;
        const std::size_t arresto
            = static_cast<std::size_t>(std::upper_bound(massimo.begin(), massimo.end(), T) - massimo.begin());
        gruppo.clear();
        for (std::size_t k = inizio; k < fine && ordine[k] < arresto; ++k)
            gruppo.push_back(ordine[k]);
        for (std::size_t k = inizio; k < fine; ++k) {
            const std::size_t i = ordine[k];
            // A row past the stop still sees the rows of its instant before it.
            raccogliCandidati(indicatori, i, gruppo, vicini);
            completaRiga(indicatori[i], vicini);
            if (i + 1 == n)
                ultimi = vicini;
        }
        inizio = fine;
    }
    // Rows at a NaN instant have no candidate but get their TTC.
    for (std::size_t i = 0; i < n; ++i)
        if (std::isnan(indicatori[i].dt))
            indicatori[i].TTC = tempoCollisione(indicatori[i]);
    vicini = std::move(ultimi);
}

void CalcolaIndicatori(StatoLavoro &stato, const OrologioCalcolo &orologio)
{
    TextList &tabella = stato.IndicatoriSicurezza.Tabella;
    tabella.clear();
    const std::int64_t inizio = orologio.oraDelGiorno();
    tabella.append("Inizio calcolo");
    tabella.append(orologio.testoOra(inizio));

    calcolaIndicatoriIndicizzato(stato.TabellaIstanti, stato.TabellaIndicatori, stato.TabellaVeicoliVicini);

    const std::int64_t fine = orologio.oraDelGiorno();
    tabella.append("Fine calcolo");
    tabella.append(orologio.testoOra(fine));
    tabella.append("Impego [sec]");
    tabella.append(orologio.testoOra(tempoTrascorso(inizio, fine)));
}

} // namespace kalvor
