// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/conferma.hpp"

#include "common/errors.hpp"
#include "common/numbers.hpp"
#include "detection/geometria_area.hpp"
#include "results/correzioni.hpp"
#include "results/testi_risultati.hpp"
#include "state/record_veicolo.hpp"

#include <algorithm>
#include <cmath>
#include <functional>
#include <unordered_map>

namespace kalvor {

namespace {

// -0.0 and 0.0 are the same number but not the same bits.
double chiave(double x)
{
    return x + 0.0;
}

double codiceCorsia(const std::string &arco)
{
    if (arco == kArcoSuperiore)
        return 1.0;
    if (arco == kArcoInferiore)
        return 2.0;
    return 0.0;
}

// A number that TabellaVeicoli holds: an integer from 0 up.
bool numeroRaggruppato(double numero)
{
    return numero >= 0.0 && numero == std::trunc(numero);
}

std::size_t righeTempi(const IngressoConferma &in)
{
    return std::min(static_cast<std::size_t>(std::max(in.numeroFotogrammi, 0)), in.tempi.size());
}

bool tagliata(const IngressoConferma &in, std::size_t k)
{
    return in.tagliate != nullptr && k < in.tagliate->size() && (*in.tagliate)[k];
}

// Whether row j of TabellaVeicoli (copied from row origine[j] of the
// records) is cut; no predicate when no record is.
std::function<bool(std::size_t)> rigaTagliata(const IngressoConferma &in, const std::vector<std::size_t> &origine)
{
    if (in.tagliate == nullptr)
        return {};
    return [&in, &origine](std::size_t j) { return j < origine.size() && tagliata(in, origine[j]); };
}

void distanzaVelocita(RigaIstanti &riga, const RigaIstanti &prima)
{
    const double dy = riga.barY - prima.barY;
    const double dx = riga.barX - prima.barX;
    riga.spazio = std::sqrt(dy * dy + dx * dx);
    const double dt = riga.tempo - prima.tempo;
    if (dt > 0.0)
        riga.velocita = riga.spazio / dt * 3.6;
}

void copiaColonneRegistrate(RigaIstanti &destinazione, const RigaIstanti &origine)
{
    destinazione = origine;
    destinazione.Arco = 0.0;
    destinazione.sorp = 0.0;
}

void arcoMaggioritario(std::vector<RigaIstanti> &righe, std::size_t first, std::size_t end)
{
    int c1 = 0;
    int c2 = 0;
    for (std::size_t j = first; j < end; ++j) {
        c1 += righe[j].corsia == 1.0 ? 1 : 0;
        c2 += righe[j].corsia == 2.0 ? 1 : 0;
    }
    const double arco = c1 >= c2 ? 1.0 : 2.0;
    for (std::size_t j = first; j < end; ++j) {
        righe[j].Arco = arco;
        if (righe[j].corsia != arco)
            righe[j].sorp = 1.0;
    }
}

void lunghezzaMedia(std::vector<RigaIstanti> &righe, std::size_t first, std::size_t end)
{
    double somma = 0.0;
    for (std::size_t j = first; j < end; ++j)
        somma += righe[j].lungh;
    const double media = somma / static_cast<double>(end - first);
    for (std::size_t j = first; j < end; ++j)
        righe[j].lungh = media;
}

// Each row's time: the first time listed for its frame, 0 when none is.
void assegnaTempi(std::vector<RigaIstanti> &righe, const IngressoConferma &in)
{
    std::vector<RigaTempi> tempi(in.tempi.begin(), in.tempi.begin() + static_cast<std::ptrdiff_t>(righeTempi(in)));
    std::stable_sort(tempi.begin(), tempi.end(), [](const RigaTempi &a, const RigaTempi &b) { return a[0] < b[0]; });
    tempi.erase(
        std::unique(tempi.begin(), tempi.end(), [](const RigaTempi &a, const RigaTempi &b) { return a[0] == b[0]; }),
        tempi.end());
    // Records come frame after frame: most share the frame of the one before.
    double fotogramma = 0.0;
    double tempo = 0.0;
    bool noto = false;
    for (RigaIstanti &r : righe) {
        if (!noto || r.fotogr != fotogramma) {
            const auto it = std::lower_bound(tempi.begin(), tempi.end(), r.fotogr,
                                             [](const RigaTempi &a, double f) { return a[0] < f; });
            fotogramma = r.fotogr;
            tempo = it != tempi.end() && (*it)[0] == r.fotogr ? (*it)[1] : 0.0;
            noto = true;
        }
        r.tempo = tempo;
    }
}

// For each grouped row, the first row of its vehicle with the same time.
std::vector<std::size_t> primeRigheUguali(const std::vector<RigaIstanti> &tv,
                                          const std::vector<std::pair<std::size_t, std::size_t>> &veicoli)
{
    std::vector<std::size_t> prima(veicoli.empty() ? 0 : veicoli.back().second);
    std::unordered_map<double, std::size_t> perTempo;
    for (const auto &[first, end] : veicoli) {
        if (end - first <= 32) { // a vehicle's few rows: search them
            for (std::size_t j = first; j < end; ++j) {
                std::size_t p = first;
                while (tv[p].tempo != tv[j].tempo)
                    ++p;
                prima[j] = p;
            }
            continue;
        }
        perTempo.clear();
        for (std::size_t j = first; j < end; ++j)
            prima[j] = perTempo.try_emplace(chiave(tv[j].tempo), j).first->second;
    }
    return prima;
}

// The runs of equal numbers among the first `grouped` rows: [start, end).
std::vector<std::pair<std::size_t, std::size_t>> gruppi(const std::vector<RigaIstanti> &righe, std::size_t grouped)
{
    std::vector<std::pair<std::size_t, std::size_t>> g;
    std::size_t start = 0;
    for (std::size_t j = 1; j <= grouped; ++j)
        if (j == grouped || righe[j].veicolo != righe[start].veicolo) {
            g.emplace_back(start, j);
            start = j;
        }
    return g;
}

} // namespace

std::vector<RigaIstanti> righeDaiRecord(const TextList &VeicoliTOT, const StatoRilevamento &det,
                                        const MetricGrid &griglia)
{
    const std::vector<int> starts = findRecords(VeicoliTOT);
    std::vector<RigaIstanti> righe(starts.size());
    if (starts.empty())
        return righe;
    const InterpolatedAxis asse(det);
    for (std::size_t k = 0; k < starts.size(); ++k) {
        const int s = starts[k];
        RigaIstanti &r = righe[k];
        r.veicolo = toDecimal(recordField(VeicoliTOT, s, OffNumero));
        const int inizio = toInt(recordField(VeicoliTOT, s, OffInizio));
        const int fine = toInt(recordField(VeicoliTOT, s, OffFine));
        const auto mid = static_cast<int>(inizio + (static_cast<long long>(fine) - inizio) / 2);
        const int riga = asse.riga(mid);
        const int colonna = mid / 3;
        if (!griglia.contains(riga, colonna))
            throw ListIndexError("Il punto del veicolo " + recordField(VeicoliTOT, s, OffNumero) + " (riga "
                                 + std::to_string(riga) + ", colonna " + std::to_string(colonna)
                                 + ") è fuori dalla griglia metrica.");
        r.barX = griglia.at(riga, colonna, 0);
        r.barY = griglia.at(riga, colonna, 1);
        r.corsia = codiceCorsia(recordField(VeicoliTOT, s, OffArco));
        r.lungh = toDecimal(recordField(VeicoliTOT, s, OffLunghezza));
        r.fotogr = toInt(recordField(VeicoliTOT, s, OffFotogramma));
    }
    return righe;
}

std::vector<bool> recordsCutByBand(const TextList &VeicoliTOT, const StatoRilevamento &det, const MetricGrid &griglia)
{
    const std::vector<int> starts = findRecords(VeicoliTOT);
    std::vector<bool> tagliate(starts.size(), false);
    if (det.Profilo != ProfiloRilevamento::Robusto)
        return tagliate;
    // The band's scanned byte columns; the frame's width may be unknown here
    // (a job whose frames could not be read), the grid's then stands for it.
    const int colonnePixel = det.LarghezzaRiga > 0 ? std::min(det.LarghezzaRiga / 3, griglia.cols) : griglia.cols;
    const long long prima = std::max(det.ColonnaArea1, 0);
    const long long ultima = std::min(det.ColonnaArea2, 3 * colonnePixel - 1);
    if (ultima < prima)
        return tagliate;
    for (std::size_t k = 0; k < starts.size(); ++k) {
        const long long inizio = toInt(recordField(VeicoliTOT, starts[k], OffInizio));
        const long long fine = toInt(recordField(VeicoliTOT, starts[k], OffFine));
        tagliate[k] = inizio <= prima || fine >= ultima + 1;
    }
    return tagliate;
}

long long numeroVeicoloMassimo(const std::vector<RigaIstanti> &righe)
{
    long long m = 0;
    for (const RigaIstanti &r : righe)
        m = std::max(m, static_cast<long long>(std::trunc(r.veicolo)));
    return m;
}

TabelleConfermate confermaTabelle(std::vector<RigaIstanti> righe, const IngressoConferma &in)
{
    const std::size_t n = righe.size();

    assegnaTempi(righe, in);

    std::unordered_map<double, std::size_t> ultimaRiga;
    ultimaRiga.reserve(n);
    for (std::size_t k = 0; k < n; ++k) {
        righe[k].velocita = 0.0;
        righe[k].spazio = 0.0;
        if (tagliata(in, k)) {
            const auto it = ultimaRiga.find(chiave(righe[k].veicolo));
            if (it != ultimaRiga.end())
                righe[k].velocita = righe[it->second].velocita;
            continue;
        }
        const auto [it, nuovo] = ultimaRiga.try_emplace(chiave(righe[k].veicolo), k);
        if (!nuovo) {
            distanzaVelocita(righe[k], righe[it->second]);
            it->second = k;
        }
    }

    std::vector<std::size_t> ordine;
    ordine.reserve(n);
    for (std::size_t k = 0; k < n; ++k)
        if (numeroRaggruppato(righe[k].veicolo))
            ordine.push_back(k);
    std::stable_sort(ordine.begin(), ordine.end(),
                     [&](std::size_t a, std::size_t b) { return righe[a].veicolo < righe[b].veicolo; });
    TabelleConfermate t;
    t.TabellaVeicoli.assign(n, RigaIstanti {});
    const std::size_t k = ordine.size();
    for (std::size_t j = 0; j < k; ++j)
        copiaColonneRegistrate(t.TabellaVeicoli[j], righe[ordine[j]]);
    t.origine = ordine;

    auto &tv = t.TabellaVeicoli;
    const auto veicoli = gruppi(tv, k);
    for (const auto &[first, end] : veicoli)
        arcoMaggioritario(tv, first, end);

    // Where each row went, and the first row of its vehicle with its time.
    std::vector<std::size_t> posizione(n, n);
    for (std::size_t j = 0; j < k; ++j)
        posizione[ordine[j]] = j;
    const std::vector<std::size_t> primaUguale = primeRigheUguali(tv, veicoli);
    const auto rigaVeicoli = [&](std::size_t riga) -> const RigaIstanti * {
        const std::size_t j = posizione[riga];
        return j == n ? nullptr : &tv[primaUguale[j]];
    };
    for (std::size_t i = 0; i < n; ++i)
        if (const RigaIstanti *v = rigaVeicoli(i)) {
            righe[i].Arco = v->Arco;
            righe[i].sorp = v->sorp;
        }

    for (const auto &g : veicoli) {
        const double arco = tv[g.first].Arco;
        t.V1 += arco == 1.0 ? 1 : 0;
        t.V2 += arco == 2.0 ? 1 : 0;
    }

    if (in.correggi) {
        const auto senzaVelocita = rigaTagliata(in, t.origine);
        tettoVelocita(tv);
        for (int pass = 0; pass < 5; ++pass)
            for (const auto &[first, end] : veicoli) {
                const auto [primo, ultimo] = rowsWithSpeed(first, end - 1, senzaVelocita);
                levigaVelocitaVeicolo(tv, primo, ultimo);
            }
        tettoDistanza(tv);
        for (const auto &[first, end] : veicoli)
            lunghezzaMedia(tv, first, end);
        for (std::size_t i = 0; i < n; ++i)
            if (const RigaIstanti *v = rigaVeicoli(i)) {
                righe[i].lungh = v->lungh;
                righe[i].velocita = v->velocita;
                righe[i].spazio = v->spazio;
            }
    }
    t.TabellaIstanti = std::move(righe);
    return t;
}

TabelleConfermate confermaTabelleSemplice(std::vector<RigaIstanti> righe, const IngressoConferma &in)
{
    const std::size_t n = righe.size();
    const std::size_t nt = righeTempi(in);
    for (RigaIstanti &r : righe) {
        r.tempo = 0.0;
        for (std::size_t i = 0; i < nt; ++i)
            if (in.tempi[i][0] == r.fotogr) {
                r.tempo = in.tempi[i][1];
                break;
            }
    }

    for (std::size_t k = n; k-- > 0;) {
        righe[k].velocita = 0.0;
        righe[k].spazio = 0.0;
        if (tagliata(in, k))
            continue;
        for (std::size_t p = k; p-- > 0;)
            if (righe[p].veicolo == righe[k].veicolo && !tagliata(in, p)) {
                distanzaVelocita(righe[k], righe[p]);
                break;
            }
    }
    for (std::size_t k = 0; k < n; ++k)
        if (tagliata(in, k))
            for (std::size_t p = k; p-- > 0;)
                if (righe[p].veicolo == righe[k].veicolo && !tagliata(in, p)) {
                    righe[k].velocita = righe[p].velocita;
                    break;
                }

    const long long m = numeroVeicoloMassimo(righe);
    TabelleConfermate t;
    auto &tv = t.TabellaVeicoli;
    tv.assign(n, RigaIstanti {});
    std::size_t k = 0;
    for (long long v = 0; v <= m; ++v)
        for (std::size_t i = 0; i < n; ++i)
            if (righe[i].veicolo == static_cast<double>(v)) {
                copiaColonneRegistrate(tv[k++], righe[i]);
                t.origine.push_back(i);
            }

    // The rows of vehicle v among the grouped ones: [first, end), empty when none.
    const auto righeDi = [&](long long v) {
        const auto numero = static_cast<double>(v);
        std::size_t first = 0;
        while (first < k && tv[first].veicolo != numero)
            ++first;
        std::size_t end = first;
        while (end < k && tv[end].veicolo == numero)
            ++end;
        return std::pair {first, end};
    };
    for (long long v = 0; v <= m; ++v) {
        const auto [first, end] = righeDi(v);
        if (first < end)
            arcoMaggioritario(tv, first, end);
    }

    const auto rigaVeicoli = [&](const RigaIstanti &r) -> const RigaIstanti * {
        for (const RigaIstanti &v : tv)
            if (v.veicolo == r.veicolo && v.tempo == r.tempo)
                return &v;
        return nullptr;
    };
    for (RigaIstanti &r : righe)
        if (const RigaIstanti *v = rigaVeicoli(r)) {
            r.Arco = v->Arco;
            r.sorp = v->sorp;
        }

    for (long long v = 0; v <= m; ++v) {
        const auto [first, end] = righeDi(v);
        if (first < end) {
            t.V1 += tv[first].Arco == 1.0 ? 1 : 0;
            t.V2 += tv[first].Arco == 2.0 ? 1 : 0;
        }
    }

    if (in.correggi) {
        tettoVelocita(tv);
        for (int pass = 0; pass < 5; ++pass)
            CorrezioneVelocita(tv, m, static_cast<int>(k), rigaTagliata(in, t.origine));
        tettoDistanza(tv);
        for (long long v = 0; v <= m; ++v) {
            const auto [first, end] = righeDi(v);
            if (first < end)
                lunghezzaMedia(tv, first, end);
        }
        for (RigaIstanti &r : righe)
            if (const RigaIstanti *v = rigaVeicoli(r)) {
                r.lungh = v->lungh;
                r.velocita = v->velocita;
                r.spazio = v->spazio;
            }
    }
    t.TabellaIstanti = std::move(righe);
    return t;
}

void ConfermaClick(StatoLavoro &stato, bool Correzioni)
{
    const TextList &veicoliTOT = stato.Captazione.VeicoliTOT;
    if (findRecords(veicoliTOT).empty())
        throw RefusalError("Nessun veicolo da confermare: la captazione non ha ancora rilevato alcun veicolo.");
    const std::vector<bool> tagliate = recordsCutByBand(veicoliTOT, stato.CP, stato.GrigliaMetrica);
    const IngressoConferma in {
        stato.CP, stato.GrigliaMetrica, stato.TabellaTempiFotogrammi, stato.NumeroFotogrammiEstratti, Correzioni,
        &tagliate};
    TabelleConfermate t = confermaTabelle(righeDaiRecord(veicoliTOT, stato.CP, stato.GrigliaMetrica), in);
    TextList temporali = testoDatiTemporali(t);
    TextList veicolari = testoDatiVeicolari(t, &temporali);

    const auto n = static_cast<int>(t.TabellaIstanti.size());
    stato.TabellaIstanti = std::move(t.TabellaIstanti);
    stato.TabellaVeicoli = std::move(t.TabellaVeicoli);
    stato.NumeroRigheRisultati = n;
    stato.Risultati.ContenitoreDatiTemporali = std::move(temporali);
    stato.Risultati.ContenitoreDatiVeicolari = std::move(veicolari);
    stato.Risultati.IndicePosTXT = intText(n);
    stato.Risultati.ValutazioniTXT.clear();
}

} // namespace kalvor
