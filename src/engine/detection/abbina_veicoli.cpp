// SPDX-License-Identifier: GPL-3.0-or-later
#include "detection/abbina_veicoli.hpp"

#include "common/errors.hpp"
#include "common/numbers.hpp"
#include "state/record_veicolo.hpp"

#include <string>
#include <vector>

namespace kalvor {

namespace {

struct Misura
{
    int inizio = 0; // line "veicolo"
    std::string arco;
    double lunghezza = 0.0;
    double posizione = 0.0;
};

Misura misura(const TextList &lista, int inizio, const MetricGrid &griglia)
{
    Misura m;
    m.inizio = inizio;
    m.arco = recordField(lista, inizio, OffArco);
    m.lunghezza = toDecimal(recordField(lista, inizio, OffLunghezza));
    const int centro
        = centreByteColumn(toInt(recordField(lista, inizio, OffInizio)), toInt(recordField(lista, inizio, OffFine)));
    const int x = centro / 3;
    if (!griglia.contains(0, x))
        throw ListIndexError("Colonna " + std::to_string(x) + " fuori dalla griglia metrica.");
    m.posizione = griglia.at(0, x, 0);
    return m;
}

bool numeroLibero(const TextList &veicoliAtt, const std::vector<int> &attuali, const std::string &numero)
{
    for (const int i : attuali)
        if (recordField(veicoliAtt, i, OffNumero) == numero)
            return false;
    return true;
}

enum class Passo { StessoArcoAvanti, StessoArcoIndietro, CambioArco };

bool posizioneAmmessa(Passo passo, const Misura &k, const Misura &j, double variazione)
{
    const bool sup = k.arco == kArcoSuperiore;
    const double P = k.posizione;
    const double Pj = j.posizione;
    const double Lj = j.lunghezza;
    // Upper-arc vehicles move towards smaller X, lower-arc ones towards larger X.
    const bool versoMinori = passo == Passo::StessoArcoAvanti ? sup : !sup;
    switch (passo) {
    case Passo::StessoArcoAvanti:
    case Passo::StessoArcoIndietro:
        return versoMinori ? (Pj - Lj - variazione <= P && P <= Pj) : (Pj <= P && P <= Pj + Lj + variazione);
    case Passo::CambioArco:
        // The direction of the arc the vehicle comes from, the bound at Pj excluded.
        return sup ? (Pj < P && P <= Pj + Lj + variazione) : (Pj - Lj - variazione <= P && P < Pj);
    }
    return false;
}

} // namespace

void AbbinaVeicoli(TextList &veicoliAtt, const TextList &veicoliPrec, int &numeroVeicolo, double variazionePos,
                   const MetricGrid &griglia)
{
    const std::vector<int> attuali = findRecords(veicoliAtt);
    std::vector<Misura> precedenti;
    for (const int j : findRecords(veicoliPrec))
        precedenti.push_back(misura(veicoliPrec, j, griglia));

    for (const int k : attuali) {
        const Misura mk = misura(veicoliAtt, k, griglia);
        const std::string altroArco = mk.arco == kArcoSuperiore ? kArcoInferiore : kArcoSuperiore;
        bool numerato = false;
        for (const Passo passo : {Passo::StessoArcoAvanti, Passo::StessoArcoIndietro, Passo::CambioArco}) {
            const std::string &arcoCercato = passo == Passo::CambioArco ? altroArco : mk.arco;
            for (const Misura &mj : precedenti) {
                if (mj.arco != arcoCercato)
                    continue;
                if (!(mk.lunghezza - 1 <= mj.lunghezza && mj.lunghezza <= mk.lunghezza + 1))
                    continue;
                if (!posizioneAmmessa(passo, mk, mj, variazionePos))
                    continue;
                const std::string &numero = recordField(veicoliPrec, mj.inizio, OffNumero);
                if (!numeroLibero(veicoliAtt, attuali, numero))
                    continue;
                veicoliAtt.setLine(k + OffNumero, numero);
                numerato = true;
                break;
            }
            if (numerato)
                break;
        }
        if (!numerato) {
            veicoliAtt.setLine(k + OffNumero, intText(numeroVeicolo));
            ++numeroVeicolo;
        }
    }
}

void updateVehicleLists(const TextList &veicoliAtt, TextList &veicoliPrec, TextList &VeicoliTOT)
{
    if (veicoliAtt.count() < 2)
        return;
    veicoliPrec = veicoliAtt;
    for (const auto &riga : veicoliAtt.lines())
        VeicoliTOT.append(riga);
}

} // namespace kalvor
