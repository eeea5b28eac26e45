// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/simulazione.hpp"

#include "common/errors.hpp"
#include "common/numbers.hpp"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace kalvor {

namespace {

std::size_t righeSimulate(const StatoLavoro &stato)
{
    return std::min(static_cast<std::size_t>(std::max(stato.NumeroRigheRisultati, 0)), stato.TabellaIstanti.size());
}

double xAsse(const StatoLavoro &stato, int riga)
{
    const int colonna = toInt(stato.AreaCaptazione.PuntiRiferimento.line(riga));
    if (!stato.GrigliaMetrica.contains(0, colonna))
        throw ListIndexError("Colonna " + std::to_string(colonna) + " fuori dalla griglia metrica.");
    return stato.GrigliaMetrica.at(0, colonna, 0);
}

int tronca(double v)
{
    if (!std::isfinite(v) || std::abs(v) > 1e9)
        throw ArithmeticError("Valore fuori dall'intervallo ammesso.");
    return static_cast<int>(v);
}

std::string etichetta(const char *nome, double valore)
{
    return nome + hashPatternText(valore);
}

// The rows of instant t drawn; at the first later row the instants move on.
void mostraIstante(StatoLavoro &stato, const GeometriaStrada &g, double t, PassoSimulazione &passo, bool conFotogramma)
{
    passo.veicoli = pulisciVeicoli(g);
    passo.tempoTXT = fixedText(t);
    const std::size_t n = righeSimulate(stato);
    for (std::size_t r = 0; r < n; ++r) {
        const RigaIstanti &riga = stato.TabellaIstanti[r];
        if (riga.tempo == t) {
            const Drawing v = disegnoVeicolo(g, riga);
            passo.veicoli.insert(passo.veicoli.end(), v.begin(), v.end());
        }
        if (riga.tempo > t) {
            stato.IstantePrecedente = t;
            stato.IstanteSimulazione = riga.tempo;
            if (conFotogramma)
                passo.fotogramma = tronca(riga.fotogr);
            return;
        }
    }
}

} // namespace

GeometriaStrada geometriaStrada(const StatoLavoro &stato)
{
    GeometriaStrada g;
    const std::size_t n = righeSimulate(stato);
    if (n == 0)
        return g;
    g.xL = xAsse(stato, 1);
    const double xR = xAsse(stato, 3);
    if (xR == g.xL)
        throw RefusalError("Impossibile disegnare la strada: i due estremi dell'asse hanno la stessa X metrica.");
    g.scale = g.W / (xR - g.xL);
    double lmax = 0.0;
    for (std::size_t r = 0; r < n; ++r)
        lmax = std::max(lmax, stato.TabellaIstanti[r].lungh);
    // Sizes use the scale's magnitude: a road read right to left keeps its
    // vehicles on their own side.
    g.s = tronca(std::abs(g.scale) * lmax) / 2 + 2 * g.gap;
    return g;
}

Drawing disegnoStrada(const GeometriaStrada &g)
{
    Drawing d;
    d.push_back(DrawPrimitive::filledRectangle(0, 0, g.W, g.H, colors::white, colors::white));
    // The dashes of a 1-pixel pen: 6 on, 2 off.
    for (int x = 0; x < g.W; x += 8)
        d.push_back(DrawPrimitive::line(x, g.mid, std::min(x + 6, g.W), g.mid, colors::blue));
    d.push_back(DrawPrimitive::line(0, g.mid - g.s, g.W, g.mid - g.s, colors::black));
    d.push_back(DrawPrimitive::line(0, g.mid + g.s, g.W, g.mid + g.s, colors::black));
    return d;
}

Drawing pulisciVeicoli(const GeometriaStrada &g)
{
    return {DrawPrimitive::filledRectangle(0, 0, g.W, g.H, colors::white, colors::white)};
}

Drawing disegnoVeicolo(const GeometriaStrada &g, const RigaIstanti &riga)
{
    const int lpx = tronca(std::abs(g.scale) * riga.lungh);
    const int R = lpx / 2;
    const int Z = R / 2;
    const int M = tronca(g.scale * (riga.barX - g.xL));
    Drawing d;
    int N = 0;
    int primaRiga = 0;
    bool etichette = true;
    if (riga.corsia == 1.0) {
        N = g.mid - g.gap - Z;
        primaRiga = g.mid - g.s - 75;
    } else if (riga.corsia == 2.0) {
        N = g.mid + g.gap + Z;
        primaRiga = g.mid + g.s + 15;
    } else {
        etichette = false;
    }
    if (etichette) {
        const std::string testi[] = {
            "n : " + fixedText(riga.veicolo), etichetta("v : ", riga.velocita), etichetta("L : ", riga.lungh),
            etichetta("x : ", riga.barX),     etichetta("y : ", riga.barY),
        };
        for (int i = 0; i < 5; ++i)
            d.push_back(DrawPrimitive::label(M, primaRiga + 15 * i, testi[i], colors::blue));
    }
    d.push_back(DrawPrimitive::filledRectangle(M - R, N - Z, M + R, N + Z, colors::blue, colors::green));
    return d;
}

int attesaSimulazioneMs(const std::string &step)
{
    const double passo = toDecimal(step);
    return passo > 0.3 ? tronca(passo * 1000.0) : 300;
}

PassoSimulazione AzzeraSimulazioneClick(StatoLavoro &stato)
{
    const GeometriaStrada g = geometriaStrada(stato);
    const double t = toDecimal(stato.Risultati.IstanteInizialeTXT);
    PassoSimulazione passo;
    passo.strada = disegnoStrada(g);
    stato.IstanteSimulazione = t;
    mostraIstante(stato, g, t, passo, false);
    passo.tempoTXT = stato.Risultati.IstanteInizialeTXT;
    return passo;
}

PassoSimulazione SimulaVeicoliAvantiClick(StatoLavoro &stato)
{
    const GeometriaStrada g = geometriaStrada(stato);
    PassoSimulazione passo;
    mostraIstante(stato, g, stato.IstanteSimulazione, passo, true);
    return passo;
}

PassoSimulazione SimulazioneVeicoloIndietroClick(StatoLavoro &stato)
{
    const GeometriaStrada g = geometriaStrada(stato);
    stato.IstanteSimulazione = stato.IstantePrecedente;
    const std::size_t n = righeSimulate(stato);
    for (std::size_t i = 0; i < n; ++i)
        if (stato.TabellaIstanti[i].tempo == stato.IstanteSimulazione) {
            if (i > 0) {
                stato.IstanteSimulazione = stato.TabellaIstanti[i - 1].tempo;
                stato.IstantePrecedente = stato.IstanteSimulazione;
            }
            break;
        }
    PassoSimulazione passo;
    mostraIstante(stato, g, stato.IstanteSimulazione, passo, true);
    return passo;
}

void SimulaVeicoliAutomaticoClick(StatoLavoro &stato, const SchermoSimulazione &schermo)
{
    if (schermo.fermaImpostata())
        schermo.azzeraFerma();
    const GeometriaStrada g = geometriaStrada(stato);
    schermo.strada(disegnoStrada(g));
    schermo.veicoli({}, true);
    schermo.fotogramma(toInt(stato.Captazione.ImmagineIniziale));
    stato.IstanteSimulazione = toDecimal(stato.Risultati.IstanteInizialeTXT);
    // The table is looked at afresh at every row: what runs during a wait may change it.
    for (std::size_t r = 0; r < righeSimulate(stato); ++r) {
        if (schermo.fermaImpostata())
            break;
        const RigaIstanti riga = stato.TabellaIstanti[r];
        if (riga.tempo == stato.IstanteSimulazione) {
            schermo.veicoli(disegnoVeicolo(g, riga), false);
        } else if (riga.tempo > stato.IstanteSimulazione) {
            schermo.attendi(attesaSimulazioneMs(stato.Estrattore.step));
            schermo.tempo(fixedText(stato.IstanteSimulazione));
            schermo.fotogramma(tronca(riga.fotogr));
            stato.IstanteSimulazione = riga.tempo;
            schermo.veicoli(disegnoVeicolo(g, riga), true);
        }
    }
    schermo.elaboraEventi();
    schermo.tempo(fixedText(stato.IstanteSimulazione));
}

} // namespace kalvor
