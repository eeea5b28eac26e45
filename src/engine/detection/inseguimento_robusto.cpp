// SPDX-License-Identifier: GPL-3.0-or-later
#include "detection/inseguimento_robusto.hpp"

#include "common/errors.hpp"
#include "common/numbers.hpp"
#include "detection/geometria_area.hpp"
#include "detection/limiti_scansione.hpp"
#include "state/record_veicolo.hpp"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <optional>
#include <tuple>

namespace kalvor {

namespace {

// An end within this many byte columns (two pixels) of the band's end is
// taken as cut by it.
constexpr int kMargineEstremo = 6;
// Measurement noise of an end, m: the mask's edge moves by a pixel or two.
constexpr double kTolleranzaPosizione = 2.0;
// How far an end may seem to move back against the direction of travel, m.
constexpr double kTolleranzaIndietro = 1.0;
// Braking or accelerating, m/s2 (the prediction error grows as dt2 / 2 of it).
constexpr double kAccelerazione = 4.0;
// Fastest vehicle a track without a speed yet may be, m/s.
constexpr double kVelocitaMassima = 50.0;
// Lengths differ by up to 1 m plus half the longer one (holes in the mask,
// a shadow joined to the vehicle).
constexpr double kLunghezzaAssoluta = 1.0;
constexpr double kLunghezzaRelativa = 0.5;

// Whether a vehicle last seen `salto` frames and `dt` seconds ago is still remembered.
bool ricordato(int salto, double dt)
{
    return salto <= kFotogrammiSenzaRecord + 1 || (dt > 0.0 && dt <= kSecondiSenzaRecord);
}

struct Osservazione
{
    int inizio = 0; // line "veicolo" in its list
    std::string numero;
    bool sup = false;
    double xInizio = 0.0;
    double xFine = 0.0;
    bool inizioLibero = false;
    bool fineLibero = false;
    double lunghezza = 0.0;
    int fotogramma = 0;
    double tempo = 0.0;
};

// Metric X at byte column c, on the axis row of that column.
class Misuratore
{
public:
    Misuratore(const StatoRilevamento &det, const MetricGrid &griglia)
        : m_griglia(griglia)
        , m_lim(scanLimits(det, griglia))
        , m_asse(det)
    {
    }

    Osservazione misura(const TextList &lista, int i) const
    {
        Osservazione o;
        o.inizio = i;
        o.numero = recordField(lista, i, OffNumero);
        o.sup = recordField(lista, i, OffArco) == kArcoSuperiore;
        const int inizio = toInt(recordField(lista, i, OffInizio));
        const int fine = toInt(recordField(lista, i, OffFine));
        o.xInizio = x(inizio);
        o.xFine = x(std::max(inizio, fine - 1));
        o.inizioLibero = inizio > m_lim.primaColonna + kMargineEstremo;
        o.fineLibero = fine < m_lim.ultimaColonna + 1 - kMargineEstremo;
        o.lunghezza = toDecimal(recordField(lista, i, OffLunghezza));
        o.fotogramma = toInt(recordField(lista, i, OffFotogramma));
        o.tempo = toDecimal(recordField(lista, i, OffTempo));
        return o;
    }

private:
    double x(int colonnaByte) const
    {
        if (m_griglia.rows <= 0 || m_griglia.cols <= 0)
            throw ListIndexError("La griglia metrica è vuota.");
        const int colonna = std::clamp(colonnaByte / 3, 0, m_griglia.cols - 1);
        const int bordo = std::clamp(colonnaByte, std::min(m_lim.primaColonna, m_lim.ultimaColonna),
                                     std::max(m_lim.primaColonna, m_lim.ultimaColonna));
        const int riga = std::clamp(m_asse.riga(bordo), 0, m_griglia.rows - 1);
        return m_griglia.at(riga, colonna, 0);
    }

    const MetricGrid &m_griglia;
    ScanLimits m_lim;
    InterpolatedAxis m_asse;
};

// A record of a list written by hand may not read as numbers: such a record
// is left out of the memory.
std::optional<Osservazione> misuraSePossibile(const Misuratore &m, const TextList &lista, int i)
{
    try {
        return m.misura(lista, i);
    } catch (const ConversionError &) {
        return std::nullopt;
    } catch (const ListIndexError &) {
        return std::nullopt;
    }
}

struct Confronto
{
    double errore = 0.0; // distance from the predicted position, m (the ranking)
    double spostamento = 0.0; // of the end compared, m
    double previsto = 0.0; // the predicted shift, m
    double dt = 0.0; // s; 0 when unknown
    // The record lies within where the vehicle was expected, or covers it,
    // but neither end agrees: part of the vehicle missed in the mask, or the
    // vehicle joined to something. It moves as predicted.
    bool parziale = false;
};

// Added to the error of a vehicle without a speed yet, m.
constexpr double kPenalitaSenzaVelocita = 1.0;
// Ranks a match in the other half after those in the record's own half.
constexpr double kPenalitaAltraMeta = 100.0;
// Ranks an overlap-only match after every match by an end.
constexpr double kPenalitaParziale = 1000.0;

// The extent of a record or vehicle along X, shifted by `d`.
struct Estensione
{
    double da = 0.0;
    double a = 0.0;
    bool dentro(const Estensione &e, double tolleranza) const
    {
        return da >= e.da - tolleranza && a <= e.a + tolleranza;
    }
};

Estensione estensione(double x1, double x2, double d)
{
    return {std::min(x1, x2) + d, std::max(x1, x2) + d};
}

// The match by the ends clear of the band's ends (by the centres when none
// is): fills c and says whether it is admitted.
bool confrontaEstremi(const Osservazione &o, const TrackedVehicle &v, double variazionePos, Confronto &c)
{
    // Both lengths clear of the band ends: a relative tolerance.
    const bool interno = o.inizioLibero && o.fineLibero;
    if (interno && v.lunghezzaNota) {
        const double tolleranza = kLunghezzaAssoluta + kLunghezzaRelativa * std::max(o.lunghezza, v.lunghezza);
        if (std::fabs(o.lunghezza - v.lunghezza) > tolleranza)
            return false;
    }

    const double previsto = c.previsto;
    const double verso = v.verso;
    bool trovato = false;
    double extra = 0.0;
    const auto prova = [&](double spostamento) {
        const double errore = std::fabs(spostamento - previsto);
        if (!trovato || errore < c.errore) {
            c.errore = errore;
            c.spostamento = spostamento;
            trovato = true;
        }
    };
    if (o.inizioLibero && v.inizioLibero)
        prova(o.xInizio - v.xInizio);
    if (o.fineLibero && v.fineLibero)
        prova(o.xFine - v.xFine);
    if (!trovato) {
        // Neither end is the vehicle's in both: the centres, which move as
        // the visible part grows or shrinks.
        prova((o.xInizio + o.xFine - v.xInizio - v.xFine) / 2);
        extra = 0.5 * std::max(std::fabs(o.xFine - o.xInizio), std::fabs(v.xFine - v.xInizio));
    }

    if (verso * c.spostamento < -(kTolleranzaIndietro + extra))
        return false;
    if (v.velocitaNota && c.dt > 0.0) {
        const double soglia
            = kTolleranzaPosizione + extra + 0.25 * std::fabs(v.velocita) * c.dt + 0.5 * kAccelerazione * c.dt * c.dt;
        if (c.errore > soglia)
            return false;
    } else {
        const double avanti
            = (c.dt > 0.0 ? kVelocitaMassima * c.dt : std::max(variazionePos, 0.0)) + kTolleranzaPosizione + extra;
        if (verso * c.spostamento > avanti)
            return false;
    }
    return true;
}

// Whether record o may continue vehicle v, and how far from where v was expected.
std::optional<Confronto> confronta(const Osservazione &o, const TrackedVehicle &v, double periodo, double variazionePos)
{
    const int salto = o.fotogramma - v.fotogramma;
    if (salto < 1 || !ricordato(salto, o.tempo - v.tempo))
        return std::nullopt;
    Confronto c;
    c.dt = o.tempo - v.tempo;
    if (c.dt <= 0.0)
        c.dt = salto * periodo;
    c.previsto = v.velocitaNota ? v.velocita * c.dt : 0.0;
    // A record in the other half continues a vehicle changing lane
    // (overtaking) only when no vehicle of its own half fits, from the frame
    // just before, by its ends and a known speed, both clear of the band's
    // ends: a vehicle entering one half where another left the other is not
    // taken for it.
    const bool altra = o.sup != v.sup;
    const bool interi = o.inizioLibero && o.fineLibero && v.inizioLibero && v.fineLibero;
    if (altra && (salto > 1 || !v.velocitaNota || !interi))
        return std::nullopt;
    const double altraMeta = altra ? kPenalitaAltraMeta : 0.0;
    if (confrontaEstremi(o, v, variazionePos, c)) {
        // A vehicle seen once has no prediction yet: one with a speed is
        // preferred when both fit.
        if (!v.velocitaNota)
            c.errore += kPenalitaSenzaVelocita;
        c.errore += altraMeta;
        return c;
    }

    // Neither end agrees: the record within the vehicle's predicted extent,
    // or the other way round.
    if (altra)
        return std::nullopt;
    const Estensione r = estensione(o.xInizio, o.xFine, 0.0);
    const Estensione p = estensione(v.xInizio, v.xFine, c.previsto);
    if (!r.dentro(p, kTolleranzaPosizione) && !p.dentro(r, kTolleranzaPosizione))
        return std::nullopt;
    c.parziale = true;
    c.spostamento = c.previsto;
    c.errore = kPenalitaParziale + std::fabs((r.da + r.a - p.da - p.a) / 2);
    return c;
}

void aggiorna(TrackedVehicle &v, const Osservazione &o, const Confronto &c)
{
    v.fotogramma = o.fotogramma;
    v.tempo = o.tempo;
    ++(o.sup ? v.recordSup : v.recordInf);
    if (v.recordSup != v.recordInf)
        v.sup = v.recordSup > v.recordInf;
    if (!v.versoDaIngresso)
        v.verso = v.sup ? -1 : 1;
    if (c.parziale) {
        v.xInizio += c.previsto;
        v.xFine += c.previsto;
        return;
    }
    if (c.dt > 0.0) {
        // A mask edge stepping back, over a frame of 1/25 s, would read as a
        // vehicle reversing: the speed along the half's direction is kept
        // between 0 and the fastest vehicle.
        const double verso = v.verso;
        const double misurata = verso * std::clamp(verso * c.spostamento / c.dt, 0.0, kVelocitaMassima);
        v.velocita = v.velocitaNota ? 0.5 * (v.velocita + misurata) : misurata;
        v.velocitaNota = true;
    }
    v.xInizio = o.xInizio;
    v.xFine = o.xFine;
    v.inizioLibero = o.inizioLibero;
    v.fineLibero = o.fineLibero;
    if (o.inizioLibero && o.fineLibero) {
        v.lunghezza = o.lunghezza;
        v.lunghezzaNota = true;
    }
}

// A vehicle cut by one end of the band only is coming in by that end (or
// leaving by it when first seen then: it is gone before that matters).
int versoDiIngresso(const Osservazione &o)
{
    if (!o.inizioLibero && o.fineLibero)
        return 1;
    if (o.inizioLibero && !o.fineLibero)
        return -1;
    return 0;
}

TrackedVehicle nuovo(const Osservazione &o, std::string numero)
{
    TrackedVehicle v;
    v.numero = std::move(numero);
    v.sup = o.sup;
    v.verso = versoDiIngresso(o);
    v.versoDaIngresso = v.verso != 0;
    aggiorna(v, o, Confronto {});
    return v;
}

void impara(RobustTracker &t, const std::vector<Osservazione> &oss)
{
    for (const Osservazione &o : oss)
        for (const TrackedVehicle &v : t.veicoli)
            if (o.fotogramma > v.fotogramma && o.tempo > v.tempo) {
                t.periodo = (o.tempo - v.tempo) / (o.fotogramma - v.fotogramma);
                return;
            }
}

// The nearest pairs first, each record and each vehicle once: the index of
// the vehicle every record continues, or -1.
std::vector<std::pair<int, Confronto>> abbina(const RobustTracker &t, const std::vector<Osservazione> &oss,
                                              double variazionePos)
{
    struct Coppia
    {
        double errore;
        int record;
        int veicolo;
        Confronto c;
    };
    std::vector<Coppia> coppie;
    for (std::size_t r = 0; r < oss.size(); ++r)
        for (std::size_t k = 0; k < t.veicoli.size(); ++k)
            if (const auto c = confronta(oss[r], t.veicoli[k], t.periodo, variazionePos))
                coppie.push_back({c->errore, static_cast<int>(r), static_cast<int>(k), *c});
    std::sort(coppie.begin(), coppie.end(), [](const Coppia &a, const Coppia &b) {
        return std::tie(a.errore, a.record, a.veicolo) < std::tie(b.errore, b.record, b.veicolo);
    });
    std::vector<std::pair<int, Confronto>> scelta(oss.size(), {-1, Confronto {}});
    std::vector<bool> preso(t.veicoli.size(), false);
    for (const Coppia &c : coppie) {
        if (scelta[static_cast<std::size_t>(c.record)].first >= 0 || preso[static_cast<std::size_t>(c.veicolo)])
            continue;
        scelta[static_cast<std::size_t>(c.record)] = {c.veicolo, c.c};
        preso[static_cast<std::size_t>(c.veicolo)] = true;
    }
    return scelta;
}

// How far record o lies from vehicle v, by the ends free in both (else the
// centres), without asking whether it may continue it.
Confronto spostamentoDa(const Osservazione &o, const TrackedVehicle &v, double periodo)
{
    Confronto c;
    c.dt = o.tempo - v.tempo;
    if (c.dt <= 0.0)
        c.dt = (o.fotogramma - v.fotogramma) * periodo;
    if (o.inizioLibero && v.inizioLibero)
        c.spostamento = o.xInizio - v.xInizio;
    else if (o.fineLibero && v.fineLibero)
        c.spostamento = o.xFine - v.xFine;
    else
        c.spostamento = (o.xInizio + o.xFine - v.xInizio - v.xFine) / 2;
    return c;
}

void dimentica(RobustTracker &t, int fotogramma, double tempo)
{
    std::erase_if(t.veicoli,
                  [&](const TrackedVehicle &v) { return !ricordato(fotogramma - v.fotogramma, tempo - v.tempo); });
}

// A frame of saved records replayed: the vehicles they continue take their
// numbers, as written, and no other vehicle keeps them.
void riproduci(RobustTracker &t, const std::vector<Osservazione> &oss, double variazionePos)
{
    impara(t, oss);
    auto scelta = abbina(t, oss, variazionePos);
    // The saved numbers say who is who: a record continues the remembered
    // vehicle of its own number, whichever way it moved.
    std::vector<bool> perNumero(oss.size(), false);
    for (std::size_t r = 0; r < oss.size(); ++r)
        for (std::size_t k = 0; k < t.veicoli.size(); ++k)
            if (t.veicoli[k].numero == oss[r].numero && oss[r].fotogramma > t.veicoli[k].fotogramma) {
                scelta[r] = {static_cast<int>(k), spostamentoDa(oss[r], t.veicoli[k], t.periodo)};
                perNumero[r] = true;
            }
    for (std::size_t r = 0; r < oss.size(); ++r)
        for (std::size_t q = 0; q < oss.size() && !perNumero[r]; ++q)
            if (perNumero[q] && scelta[q].first == scelta[r].first)
                scelta[r].first = -1;
    std::vector<TrackedVehicle> visti;
    for (std::size_t r = 0; r < oss.size(); ++r) {
        const auto &[k, c] = scelta[r];
        TrackedVehicle v = k >= 0 ? t.veicoli[static_cast<std::size_t>(k)] : nuovo(oss[r], oss[r].numero);
        if (k >= 0 && perNumero[r] && v.verso * c.spostamento < -kTolleranzaIndietro) {
            v.verso = -v.verso;
            v.versoDaIngresso = true;
        }
        if (k >= 0)
            aggiorna(v, oss[r], c);
        v.numero = oss[r].numero;
        visti.push_back(std::move(v));
    }
    std::vector<TrackedVehicle> resto;
    for (std::size_t k = 0; k < t.veicoli.size(); ++k) {
        const TrackedVehicle &v = t.veicoli[k];
        const bool continuato
            = std::any_of(scelta.begin(), scelta.end(), [&](const auto &s) { return s.first == static_cast<int>(k); });
        const bool rinumerato
            = std::any_of(visti.begin(), visti.end(), [&](const TrackedVehicle &w) { return w.numero == v.numero; });
        if (!continuato && !rinumerato)
            resto.push_back(v);
    }
    resto.insert(resto.end(), visti.begin(), visti.end());
    t.veicoli = std::move(resto);
    if (!oss.empty())
        dimentica(t, oss.front().fotogramma, oss.front().tempo);
}

// The memory from the last frames of VeicoliTOT (older than frame n, at
// time `tempo`) and veicoliPrec, which stands for its frame.
void ricostruisci(RobustTracker &t, const TextList &veicoliPrec, const TextList *VeicoliTOT, int n, double tempo,
                  const Misuratore &m, double variazionePos)
{
    t = RobustTracker {};
    std::map<int, std::vector<Osservazione>> perFotogramma;
    if (VeicoliTOT) {
        for (int i = VeicoliTOT->count() - kRigheRecord; i >= 0; --i) {
            if (VeicoliTOT->line(i) != kVeicolo)
                continue;
            const auto o = misuraSePossibile(m, *VeicoliTOT, i);
            if (!o || o->fotogramma >= n)
                continue;
            // Saved lists are in frame order: older records are out of reach.
            if (!ricordato(n - o->fotogramma, tempo - o->tempo))
                break;
            perFotogramma[o->fotogramma].push_back(*o);
        }
        for (auto &[f, oss] : perFotogramma)
            std::reverse(oss.begin(), oss.end());
    }
    std::vector<Osservazione> precedenti;
    for (const int i : findRecords(veicoliPrec))
        if (const auto o = misuraSePossibile(m, veicoliPrec, i);
            o && o->fotogramma < n && ricordato(n - o->fotogramma, tempo - o->tempo))
            precedenti.push_back(*o);
    if (!precedenti.empty())
        perFotogramma[precedenti.front().fotogramma] = precedenti;
    for (const auto &[f, oss] : perFotogramma)
        riproduci(t, oss, variazionePos);
}

} // namespace

void NumeraVeicoliRobusto(RobustTracker &inseguimento, TextList &veicoliAtt, const TextList &veicoliPrec,
                          const TextList *VeicoliTOT, int &numeroVeicolo, const StatoRilevamento &det,
                          const MetricGrid &griglia)
{
    const Misuratore m(det, griglia);
    std::vector<Osservazione> oss;
    for (const int i : findRecords(veicoliAtt))
        oss.push_back(m.misura(veicoliAtt, i));
    if (oss.empty())
        return;
    int n = oss.front().fotogramma;
    double tempo = oss.front().tempo;
    for (const Osservazione &o : oss) {
        n = std::max(n, o.fotogramma);
        tempo = std::max(tempo, o.tempo);
    }

    // Worked on a copy: a failure leaves the memory as it was.
    RobustTracker t = inseguimento;
    if (!t.pronto || t.ultimi != veicoliPrec || n <= t.ultimoFotogramma)
        ricostruisci(t, veicoliPrec, VeicoliTOT, n, tempo, m, det.VariazionePos);
    impara(t, oss);
    const auto scelta = abbina(t, oss, det.VariazionePos);

    int contatore = numeroVeicolo;
    std::vector<std::string> numeri;
    for (std::size_t r = 0; r < oss.size(); ++r) {
        const auto &[k, c] = scelta[r];
        if (k >= 0) {
            numeri.push_back(t.veicoli[static_cast<std::size_t>(k)].numero);
            continue;
        }
        if (contatore == std::numeric_limits<int>::max())
            throw ArithmeticError("Il numero di veicolo " + intText(contatore) + " è l'ultimo possibile.");
        numeri.push_back(intText(contatore));
        ++contatore;
    }
    for (std::size_t r = 0; r < oss.size(); ++r) {
        const auto &[k, c] = scelta[r];
        if (k >= 0)
            aggiorna(t.veicoli[static_cast<std::size_t>(k)], oss[r], c);
        else
            t.veicoli.push_back(nuovo(oss[r], numeri[r]));
        veicoliAtt.setLine(oss[r].inizio + OffNumero, numeri[r]);
    }
    dimentica(t, n, tempo);
    t.ultimi = veicoliAtt;
    t.ultimoFotogramma = n;
    t.pronto = true;
    numeroVeicolo = contatore;
    inseguimento = std::move(t);
}

} // namespace kalvor
