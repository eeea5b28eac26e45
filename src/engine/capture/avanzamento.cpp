// SPDX-License-Identifier: GPL-3.0-or-later
#include "capture/avanzamento.hpp"

#include "capture/sovrapposizioni_captazione.hpp"
#include "common/errors.hpp"
#include "common/numbers.hpp"
#include "detection/elaborazione_automatica.hpp"
#include "detection/geometria_area.hpp"
#include "detection/inseguimento_robusto.hpp"
#include "detection/rilevamento.hpp"
#include "detection/rilevamento_riferimento.hpp"
#include "detection/rilevamento_robusto.hpp"
#include "state/record_veicolo.hpp"

#include <algorithm>
#include <limits>
#include <optional>
#include <string>
#include <vector>

namespace kalvor {

namespace {

void verificaAvviata(const StatoLavoro &stato, const SessioneCaptazione &sessione)
{
    if (!sessione.avviata || stato.CP.MediaSfondo.empty())
        throw RefusalError("Premere prima \"Calc. Media\": lo sfondo della captazione non è ancora calcolato.");
    if (stato.GrigliaMetrica.empty())
        throw RefusalError("La griglia metrica non è stata calcolata.");
}

bool delFotogramma(const TextList &lista, int i, const std::string &n)
{
    return recordField(lista, i, OffFotogramma) == n;
}

// Where the records of the frame shown begin at the end of VeicoliTOT: there
// are some, while that frame's records are on screen, only when a "Fotogrammi
// finiti" click has already appended them (VeicoliTOT otherwise holds earlier
// frames only). With nothing on screen, as after "Calc. Media" restarts the
// capture on the frame where the last one ended, they are the earlier work.
int inizioCodaFotogrammaAttuale(const StatoLavoro &s)
{
    const TextList &tot = s.Captazione.VeicoliTOT;
    if (s.Captazione.veicoliAtt.count() < 2)
        return tot.count();
    const std::string n = intText(s.CP.FotogrammaAttuale);
    const std::string &testo = s.Captazione.fotogrammaTXT;
    int inizio = tot.count();
    while (inizio >= kRigheRecord && tot.line(inizio - kRigheRecord) == kVeicolo) {
        const std::string &f = tot.line(inizio - kRigheRecord + OffFotogramma);
        if (f != n && f != testo)
            break;
        inizio -= kRigheRecord;
    }
    return inizio;
}

// Takes the frame shown's records off the end of VeicoliTOT, and veicoliPrec
// back to the last frame left with records, as before they were appended.
void togliCodaFotogrammaAttuale(const StatoLavoro &s, TextList &tot, TextList &prec)
{
    const int inizio = inizioCodaFotogrammaAttuale(s);
    if (inizio == tot.count())
        return;
    tot.lines().resize(static_cast<std::size_t>(inizio));
    prec.clear();
    const std::vector<int> records = findRecords(tot);
    if (records.empty())
        return;
    const std::string ultimo = recordField(tot, records.back(), OffFotogramma);
    auto primo = records.end();
    while (primo != records.begin() && delFotogramma(tot, *(primo - 1), ultimo))
        --primo;
    for (auto i = primo; i != records.end(); ++i)
        appendRecord(prec, readRecord(tot, *i));
}

// What a step may change before it can still fail, so that a failed step
// changes nothing. VeicoliTOT only grows before the last failure point of the
// advance, so its length is enough there.
struct Istantanea
{
    explicit Istantanea(const StatoLavoro &s)
        : veicoliAtt(s.Captazione.veicoliAtt)
        , veicoliPrec(s.Captazione.veicoliPrec)
        , inizioCoda(inizioCodaFotogrammaAttuale(s))
        , codaTot(s.Captazione.VeicoliTOT.lines().begin() + inizioCoda, s.Captazione.VeicoliTOT.lines().end())
        , fotogrammaTXT(s.Captazione.fotogrammaTXT)
        , NumeroVeicoliTXT(s.Captazione.NumeroVeicoliTXT)
        , FotogrammaAttuale(s.CP.FotogrammaAttuale)
        , NumeroVeicolo(s.CP.NumeroVeicolo)
        , IstanteFotogramma(s.CP.IstanteFotogramma)
        , AreaVeicolo(s.CP.AreaVeicolo)
        , VariazionePos(s.CP.VariazionePos)
        , LunghezzaMin(s.CP.LunghezzaMin)
        , SogliaConteggio(s.CP.SogliaConteggio)
        , Profilo(s.CP.Profilo)
    {
    }

    void ripristina(StatoLavoro &s) const
    {
        s.Captazione.veicoliAtt = veicoliAtt;
        s.Captazione.veicoliPrec = veicoliPrec;
        auto &tot = s.Captazione.VeicoliTOT.lines();
        tot.resize(static_cast<std::size_t>(inizioCoda));
        tot.insert(tot.end(), codaTot.begin(), codaTot.end());
        s.Captazione.fotogrammaTXT = fotogrammaTXT;
        s.Captazione.NumeroVeicoliTXT = NumeroVeicoliTXT;
        s.CP.FotogrammaAttuale = FotogrammaAttuale;
        s.CP.NumeroVeicolo = NumeroVeicolo;
        s.CP.IstanteFotogramma = IstanteFotogramma;
        s.CP.AreaVeicolo = AreaVeicolo;
        s.CP.VariazionePos = VariazionePos;
        s.CP.LunghezzaMin = LunghezzaMin;
        s.CP.SogliaConteggio = SogliaConteggio;
        s.CP.Profilo = Profilo;
    }

    TextList veicoliAtt;
    TextList veicoliPrec;
    // VeicoliTOT is only appended to, after its records of the frame shown
    // (if any) are taken off: its first lines and that tail are enough.
    int inizioCoda;
    std::vector<std::string> codaTot;
    std::string fotogrammaTXT;
    std::string NumeroVeicoliTXT;
    int FotogrammaAttuale;
    int NumeroVeicolo;
    double IstanteFotogramma;
    double AreaVeicolo;
    double VariazionePos;
    double LunghezzaMin;
    int SogliaConteggio;
    ProfiloRilevamento Profilo;
};

// A field's number, the error naming the field by its label on the screen.
template<typename Lettura> auto campo(const char *etichetta, Lettura leggi)
{
    try {
        return leggi();
    } catch (const ConversionError &e) {
        throw ConversionError(std::string(etichetta) + ": " + e.what());
    }
}

double decimale(const char *etichetta, const std::string &testo)
{
    return campo(etichetta, [&] { return toDecimal(testo); });
}

int intero(const char *etichetta, const std::string &testo)
{
    return campo(etichetta, [&] { return static_cast<int>(toInt(testo)); });
}

void appendiRighe(const TextList &da, TextList &a)
{
    auto &righe = a.lines();
    righe.insert(righe.end(), da.lines().begin(), da.lines().end());
}

// Step 1. After "Fotogrammi finiti" (in this run of the program or before
// the job was saved) the frame's records are already in VeicoliTOT: they are
// replaced by the records as they stand, never appended twice.
void spostaListe(StatoLavoro &s)
{
    StatoCaptazione &c = s.Captazione;
    togliCodaFotogrammaAttuale(s, c.VeicoliTOT, c.veicoliPrec);
    if (c.veicoliAtt.count() < 2)
        return;
    c.veicoliPrec = c.veicoliAtt;
    appendiRighe(c.veicoliAtt, c.VeicoliTOT);
}

void verificaDimensione(const StatoRilevamento &det, const RgbImage &frame, int n)
{
    const int larghezzaSfondo = det.MediaSfondo.cols / 3;
    if (frame.height != det.MediaSfondo.rows || frame.width * 3 != det.MediaSfondo.cols)
        throw RefusalError("Il fotogramma " + std::to_string(n) + " misura " + std::to_string(frame.width) + " x "
                           + std::to_string(frame.height) + " pixel, lo sfondo " + std::to_string(larghezzaSfondo)
                           + " x " + std::to_string(det.MediaSfondo.rows)
                           + ": ricalcolare lo sfondo con \"Calc. Media\".");
}

// The steps up to the last that can fail; the session is not touched.
struct Avanzamento
{
    bool finiti = false;
    RgbImage immagine;
    TextList veicoliAtt;
};

Avanzamento avanza(StatoLavoro &stato, SessioneCaptazione &sessione)
{
    StatoCaptazione &c = stato.Captazione;
    StatoRilevamento &det = stato.CP;
    Avanzamento a;
    // 1
    spostaListe(stato);
    // 2
    det.SogliaConteggio = 1;
    det.AreaVeicolo = decimale("Area veic. mq", c.AreaVeicoloTXT);
    det.VariazionePos = decimale("Variaz. posiz.", c.VariazionePosTXT);
    det.LunghezzaMin = decimale("Lung. min veic", c.LunghezzaMinTXT);
    det.Profilo = c.Profilo;
    // 3
    // No frame follows the largest number: the end of any interval.
    const std::int64_t prossimo = static_cast<std::int64_t>(det.FotogrammaAttuale) + 1;
    c.fotogrammaTXT = intText(prossimo);
    if (intero("Fotog. finale", c.ImmagineFinale) < prossimo) {
        c.fotogrammaTXT = intText(det.FotogrammaAttuale);
        a.finiti = true;
        return a;
    }
    det.FotogrammaAttuale += 1;
    const int n = det.FotogrammaAttuale;
    // 4
    a.immagine = leggiFotogrammaCaptazione(sessione, n, fileFotogrammaCaptazione(stato, n));
    verificaDimensione(det, a.immagine, n);
    // 5
    det.IstanteFotogramma = frameTime(stato.TabellaTempiFotogrammi, n, det.IstanteFotogramma);
    // 6
    const int superiore = intero("margine super.", c.MargineSuperiore);
    const int inferiore = intero("margine infer.", c.MargineInferiore);
    const bool robusto = det.Profilo == ProfiloRilevamento::Robusto;
    if (robusto)
        IndividuaVeicoliRobusto(det, stato.GrigliaMetrica, a.immagine, superiore, inferiore, n, det.IstanteFotogramma,
                                a.veicoliAtt, sessione.spazio, MaskWanted::RecordsOnly);
    else if (sessione.rilevamentoRiferimento)
        riferimento::IndividuaVeicoli(det, stato.GrigliaMetrica, a.immagine, superiore, inferiore, n,
                                      det.IstanteFotogramma, a.veicoliAtt);
    else
        IndividuaVeicoli(det, stato.GrigliaMetrica, a.immagine, superiore, inferiore, n, det.IstanteFotogramma,
                         a.veicoliAtt, sessione.spazio, MaskWanted::RecordsOnly);
    // 7. The robust tracker rebuilds its memory from the lists when they were
    // edited, reopened or stepped back since it last numbered them.
    if (a.veicoliAtt.count() >= 2 && robusto)
        NumeraVeicoliRobusto(sessione.inseguimento, a.veicoliAtt, c.veicoliPrec, &c.VeicoliTOT, det.NumeroVeicolo, det,
                             stato.GrigliaMetrica);
    else if (a.veicoliAtt.count() >= 2)
        InseguiVeicoli(a.veicoliAtt, c.veicoliPrec, det.NumeroVeicolo, det.VariazionePos, stato.GrigliaMetrica);
    // 8
    NumeriDuplicati(a.veicoliAtt, det.NumeroVeicolo);
    return a;
}

// The number of a record read for the counter.
int numeroIntero(const TextList &lista, int i)
{
    return toInt(recordField(lista, i, OffNumero));
}

} // namespace

EsitoPasso AvanzaFotogrammaClick(StatoLavoro &stato, SessioneCaptazione &sessione)
{
    verificaAvviata(stato, sessione);
    const Istantanea prima(stato);
    Avanzamento a;
    try {
        a = avanza(stato, sessione);
    } catch (...) {
        prima.ripristina(stato);
        throw;
    }

    EsitoPasso esito;
    StatoCaptazione &c = stato.Captazione;
    if (a.finiti) {
        esito.fotogrammiFiniti = true;
        return esito;
    }
    // 9: nothing below fails on the records just detected.
    c.veicoliAtt = std::move(a.veicoliAtt);
    mostraFotogrammaCaptazione(sessione, std::move(a.immagine));
    DisegnaContornoVeicoli(stato, sessione, false, colors::red);
    esito.suono = c.veicoliAtt.count() >= 2;
    DisegnaVeicoliVirtualiClick(stato, sessione);
    sessione.barraPosizione = stato.CP.FotogrammaAttuale;
    c.NumeroVeicoliTXT = intText(static_cast<std::int64_t>(stato.CP.NumeroVeicolo) - 1);
    const int prossimo = stato.CP.FotogrammaAttuale + 1;
    if (prossimo <= toInt(c.ImmagineFinale))
        anticipaFotogrammaCaptazione(sessione, fileFotogrammaCaptazione(stato, prossimo));
    return esito;
}

EsitoPasso FotogrammaPrecedenteClick(StatoLavoro &stato, SessioneCaptazione &sessione)
{
    verificaAvviata(stato, sessione);
    StatoCaptazione &c = stato.Captazione;
    StatoRilevamento &det = stato.CP;
    if (det.FotogrammaAttuale == std::numeric_limits<int>::min())
        throw RefusalError("Non c'è un fotogramma prima del " + intText(det.FotogrammaAttuale) + ".");
    const int n = det.FotogrammaAttuale - 1;
    // 3 first: a frame that cannot be shown leaves everything as it was.
    RgbImage immagine = leggiFotogrammaCaptazione(sessione, n, fileFotogrammaCaptazione(stato, n));

    // The lists as they were before a "Fotogrammi finiti" click on this frame.
    TextList tot = c.VeicoliTOT;
    TextList prec = c.veicoliPrec;
    togliCodaFotogrammaAttuale(stato, tot, prec);
    // 4-6
    const std::string testoN = intText(n);
    const std::string testoPrima = intText(static_cast<std::int64_t>(n) - 1);
    const std::vector<int> records = findRecords(tot);
    const bool conRecord
        = std::any_of(records.begin(), records.end(), [&](int i) { return delFotogramma(tot, i, testoN); });
    TextList att;
    if (conRecord) {
        att = prec;
        prec.clear();
        // Line ranges, so that whatever else the list holds stays as it is.
        std::vector<bool> togli(static_cast<std::size_t>(tot.count()), false);
        for (const int i : records) {
            if (delFotogramma(tot, i, testoN)) {
                recordField(tot, i, kRigheRecord - 1);
                std::fill_n(togli.begin() + i, kRigheRecord, true);
            } else if (delFotogramma(tot, i, testoPrima)) {
                appendRecord(prec, readRecord(tot, i));
            }
        }
        TextList restanti;
        for (int i = 0; i < tot.count(); ++i)
            if (!togli[static_cast<std::size_t>(i)])
                restanti.append(tot.line(i));
        tot = std::move(restanti);
    }
    // 9, computed before anything changes: a number that is not an integer
    // leaves the step undone.
    const int contatore = contatoreDaVeicoliTOT(tot, intero("Veicolo Iniziale", c.VeicoloIniziale));

    // 1-2
    det.FotogrammaAttuale = n;
    c.fotogrammaTXT = testoN;
    det.IstanteFotogramma = frameTime(stato.TabellaTempiFotogrammi, n, det.IstanteFotogramma);
    c.veicoliAtt = std::move(att);
    c.veicoliPrec = std::move(prec);
    c.VeicoliTOT = std::move(tot);
    det.NumeroVeicolo = contatore;
    c.NumeroVeicoliTXT = intText(static_cast<std::int64_t>(contatore) - 1);
    sessione.barraPosizione = n;
    // 7: records edited by hand may stop the drawing; the step is done by then.
    mostraFotogrammaCaptazione(sessione, std::move(immagine));
    DisegnaContornoVeicoli(stato, sessione, false, colors::red);
    DisegnaVeicoliVirtualiClick(stato, sessione);
    anticipaFotogrammaCaptazione(sessione, fileFotogrammaCaptazione(stato, n + 1));
    return {};
}

void InseguiVeicoli(TextList &veicoliAtt, const TextList &veicoliPrec, int &numeroVeicolo, double variazionePos,
                    const MetricGrid &griglia)
{
    const auto posizione = [&](const TextList &lista, int i) {
        const int centro
            = centreByteColumn(toInt(recordField(lista, i, OffInizio)), toInt(recordField(lista, i, OffFine)));
        const int x = centro / 3;
        if (!griglia.contains(0, x))
            throw ListIndexError("Colonna " + std::to_string(x) + " fuori dalla griglia metrica.");
        return roundToFixed4(griglia.at(0, x, 0));
    };
    const Fixed4 v = roundToFixed4(variazionePos);
    const std::vector<int> attuali = findRecords(veicoliAtt);
    const std::vector<int> precedenti = findRecords(veicoliPrec);
    const auto libero = [&](const std::string &numero) {
        return std::none_of(attuali.begin(), attuali.end(),
                            [&](int i) { return recordField(veicoliAtt, i, OffNumero) == numero; });
    };

    for (const int a : attuali) {
        const std::string arco = recordField(veicoliAtt, a, OffArco);
        const Fixed4 la = toFixed4(recordField(veicoliAtt, a, OffLunghezza));
        const Fixed4 xa = posizione(veicoliAtt, a);
        const bool sup = arco == kArcoSuperiore;
        std::optional<std::string> preso;
        for (const int p : precedenti) {
            if (recordField(veicoliPrec, p, OffArco) != arco)
                continue;
            const Fixed4 lp = toFixed4(recordField(veicoliPrec, p, OffLunghezza));
            if (!(la - 20000 <= lp && lp <= la + 20000))
                continue;
            const Fixed4 xp = posizione(veicoliPrec, p);
            // Upper-arc traffic moves toward smaller X, lower-arc toward larger.
            const bool nellaFinestra = sup ? (xp - lp - v <= xa && xa <= xp) : (xp <= xa && xa <= xp + lp + v);
            if (!nellaFinestra)
                continue;
            const std::string &numero = recordField(veicoliPrec, p, OffNumero);
            if (!libero(numero))
                continue;
            preso = numero;
            break;
        }
        if (preso) {
            veicoliAtt.setLine(a + OffNumero, *preso);
        } else {
            if (numeroVeicolo == std::numeric_limits<int>::max())
                throw ArithmeticError("Il numero di veicolo " + intText(numeroVeicolo) + " è l'ultimo possibile.");
            veicoliAtt.setLine(a + OffNumero, intText(numeroVeicolo));
            ++numeroVeicolo;
        }
    }
}

void NumeriDuplicati(TextList &veicoliAtt, int numeroVeicolo)
{
    const std::vector<int> records = findRecords(veicoliAtt);
    const std::string nuovo = intText(static_cast<std::int64_t>(numeroVeicolo) + 1);
    for (const int r : records)
        for (const int s : records)
            if (s != r && recordField(veicoliAtt, s, OffNumero) == recordField(veicoliAtt, r, OffNumero))
                veicoliAtt.setLine(s + OffNumero, nuovo);
}

int contatoreDaVeicoliTOT(const TextList &VeicoliTOT, int primo)
{
    int massimo = primo;
    for (const int i : findRecords(VeicoliTOT))
        massimo = std::max(massimo, numeroIntero(VeicoliTOT, i));
    if (massimo == std::numeric_limits<int>::max())
        throw ArithmeticError("Il numero di veicolo " + intText(massimo) + " è l'ultimo possibile.");
    return massimo == 0 ? 0 : massimo + 1;
}

} // namespace kalvor
