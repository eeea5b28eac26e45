// SPDX-License-Identifier: GPL-3.0-or-later
#include "capture/modifica_manuale.hpp"

#include "capture/avanzamento.hpp"
#include "capture/sovrapposizioni_captazione.hpp"
#include "common/errors.hpp"
#include "common/numbers.hpp"
#include "detection/geometria_area.hpp"
#include "state/record_veicolo.hpp"

#include <cmath>
#include <string>

namespace kalvor {

namespace {

struct Clic
{
    int x = 0; // byte column
    int d = 0; // axis row there
    std::string arco;
};

Clic clic(const StatoRilevamento &det, PuntoFotogramma p)
{
    Clic c;
    c.x = 3 * p.X;
    c.d = axisRow(det, c.x);
    c.arco = p.Y < c.d ? kArcoSuperiore : kArcoInferiore;
    return c;
}

void aggiungiRecord(StatoLavoro &stato, const Clic &c, int metaLarghezza)
{
    const auto &campi = stato.AggiungiVeicolo;
    appendRecord(stato.Captazione.veicoliAtt,
                 RecordVeicolo {campi.NumeroVeicolo, c.arco, intText(static_cast<std::int64_t>(c.x) - metaLarghezza),
                                intText(static_cast<std::int64_t>(c.x) + metaLarghezza), campi.LunghezzaVeicolo,
                                campi.AreaVeicolo, stato.Captazione.fotogrammaTXT,
                                fixedText(stato.CP.IstanteFotogramma)});
}

void ridisegnaAggiunta(StatoLavoro &stato, SessioneCaptazione &sessione)
{
    DisegnaContornoVeicoli(stato, sessione, true, colors::green);
    DisegnaVeicoliVirtualiClick(stato, sessione);
}

// Counter from VeicoliTOT alone, then the frame reloaded and drawn again.
void dopoModifica(StatoLavoro &stato, SessioneCaptazione &sessione)
{
    stato.CP.NumeroVeicolo = contatoreDaVeicoliTOT(stato.Captazione.VeicoliTOT, 0);
    stato.Captazione.NumeroVeicoliTXT = intText(static_cast<std::int64_t>(stato.CP.NumeroVeicolo) - 1);
    const std::string file = stato.Estrattore.Cartella + stato.Captazione.fotogrammaTXT + ".png";
    mostraFotogrammaCaptazione(sessione, leggiFotogrammaCaptazione(sessione, stato.CP.FotogrammaAttuale, file));
    DisegnaContornoVeicoli(stato, sessione, false, colors::red);
}

int primoRecordNumero(const TextList &lista, const std::string &numero)
{
    for (const int i : findRecords(lista))
        if (recordField(lista, i, OffNumero) == numero)
            return i;
    return -1;
}

VeicoloVirtuale *primoVirtuale(SessioneCaptazione &sessione, const std::string &numero)
{
    for (auto &v : sessione.veicoliVirtuali)
        if (v.numero == numero)
            return &v;
    return nullptr;
}

} // namespace

std::string arcoDelClic(const StatoRilevamento &det, PuntoFotogramma p)
{
    return clic(det, p).arco;
}

bool RiconoscimentoVeicoloManualeClick(StatoLavoro &stato, const SessioneCaptazione &sessione, PuntoFotogramma p)
{
    if (!sessione.avviata)
        return false;
    stato.AggiungiVeicolo.Xtxt = intText(p.X);
    stato.AggiungiVeicolo.Ytxt = intText(p.Y);
    return true;
}

void AggiungiNuovoVeicoloClick(StatoLavoro &stato, SessioneCaptazione &sessione, PuntoFotogramma p)
{
    const Clic c = clic(stato.CP, p);
    const MetricGrid &g = stato.GrigliaMetrica;
    if (!g.contains(c.d, p.X) || !g.contains(c.d, p.X - 1))
        throw RefusalError("Il punto (" + intText(p.X) + ", " + intText(c.d)
                           + ") dell'asse è fuori dalla griglia metrica.");
    const double pixel = g.at(c.d, p.X, 0) - g.at(c.d, p.X - 1, 0);
    const double lunghezza = toDecimal(stato.AggiungiVeicolo.LunghezzaVeicolo);
    const double colonne = std::trunc(checkedDivide(lunghezza * 3, pixel));
    if (!(std::fabs(colonne) < 2e9))
        throw ArithmeticError("La lunghezza " + stato.AggiungiVeicolo.LunghezzaVeicolo + " non entra nel fotogramma.");
    aggiungiRecord(stato, c, static_cast<int>(colonne) / 2);
    stato.CP.NumeroVeicolo += 1;
    ridisegnaAggiunta(stato, sessione);
}

void AggiungiVeicoloEsistenteClick(StatoLavoro &stato, SessioneCaptazione &sessione, PuntoFotogramma p)
{
    const Clic c = clic(stato.CP, p);
    auto &campi = stato.AggiungiVeicolo;
    const TextList &prec = stato.Captazione.veicoliPrec;
    long long larghezza = 0;
    for (const int i : findRecords(prec)) {
        if (recordField(prec, i, OffNumero) != campi.NumeroVeicolo)
            continue;
        campi.LunghezzaVeicolo = recordField(prec, i, OffLunghezza);
        campi.AreaVeicolo = recordField(prec, i, OffArea);
        larghezza
            = static_cast<long long>(toInt(recordField(prec, i, OffFine))) - toInt(recordField(prec, i, OffInizio));
    }
    aggiungiRecord(stato, c, static_cast<int>(larghezza / 2));
    ridisegnaAggiunta(stato, sessione);
}

void apriModificaVeicolo(StatoLavoro &stato, const VeicoloVirtuale &v)
{
    stato.ModificaVeicolo.NumeroVeicoloAttuale = v.numero;
    stato.ModificaVeicolo.NumeroVeicolo.clear();
}

void CambiaNumeroVeicoloClick(StatoLavoro &stato, SessioneCaptazione &sessione)
{
    const std::string vecchio = stato.ModificaVeicolo.NumeroVeicoloAttuale;
    const std::string nuovo = stato.ModificaVeicolo.NumeroVeicolo;
    toInt(vecchio);
    toInt(nuovo);
    TextList &att = stato.Captazione.veicoliAtt;
    const int i = primoRecordNumero(att, vecchio);
    if (i >= 0)
        att.setLine(i + OffNumero, nuovo);
    if (VeicoloVirtuale *v = primoVirtuale(sessione, vecchio))
        v->numero = nuovo;
    dopoModifica(stato, sessione);
}

void EliminaVeicoloClick(StatoLavoro &stato, SessioneCaptazione &sessione)
{
    const std::string vecchio = stato.ModificaVeicolo.NumeroVeicoloAttuale;
    TextList &att = stato.Captazione.veicoliAtt;
    const int i = primoRecordNumero(att, vecchio);
    if (i >= 0)
        removeRecord(att, i);
    if (VeicoloVirtuale *v = primoVirtuale(sessione, vecchio))
        v->visibile = false;
    dopoModifica(stato, sessione);
}

} // namespace kalvor
