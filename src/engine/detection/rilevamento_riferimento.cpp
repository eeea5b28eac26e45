// SPDX-License-Identifier: GPL-3.0-or-later
#include "detection/rilevamento_riferimento.hpp"

#include "common/errors.hpp"
#include "detection/geometria_area.hpp"
#include "detection/limiti_scansione.hpp"
#include "state/record_veicolo.hpp"

#include <algorithm>
#include <cmath>
#include <string>

namespace kalvor::riferimento {

void subtractBackground(const RgbImage &frame, const MatriceInteri &sfondo, MatriceInteri &diff)
{
    for (int r = 0; r < sfondo.rows; ++r)
        for (int c = 0; c < sfondo.cols; ++c)
            diff.at(r, c) = static_cast<std::int32_t>(frame.row(r)[c]) - sfondo.at(r, c);
}

void ClassificaPixel(MatriceInteri &m, int superiore, int inferiore, int righe, int byteRiga)
{
    for (int r = 0; r < righe; ++r) {
        for (int c = 0; c + 2 < byteRiga; c += 3) {
            bool sfondo = true;
            for (int k = 0; k < 3; ++k) {
                const std::int32_t v = m.at(r, c + k);
                if (!(v >= inferiore && v <= superiore))
                    sfondo = false;
            }
            const std::int32_t valore = sfondo ? 255 : 0;
            m.at(r, c) = valore;
            m.at(r, c + 1) = valore;
            m.at(r, c + 2) = valore;
        }
    }
}

namespace {

bool primoPiano(const MatriceInteri &t, int r, int c)
{
    return t.at(r, c) == 0 && t.at(r, c + 1) == 0 && t.at(r, c + 2) == 0;
}

// The count of both operations: per row, the pixels x-1, x, x+1 walked from
// the left while they are foreground.
int conteggioVicini(const MatriceInteri &t, int r, int c)
{
    int totale = 0;
    for (int rr = r - 1; rr <= r + 1; ++rr) {
        for (int cc = c - 3; cc <= c + 3; cc += 3) {
            if (!primoPiano(t, rr, cc))
                break;
            ++totale;
        }
    }
    return totale;
}

void operazioneMaschera(MatriceInteri &m, int iterazioni, int righe, int byteRiga, int sogliaTotale)
{
    MatriceInteri t = m;
    for (int i = 0; i < iterazioni; ++i) {
        t.data = m.data;
        for (int r = 1; r <= righe - 2; ++r) {
            for (int c = 3; c <= byteRiga - 4; c += 3) {
                const std::int32_t valore = conteggioVicini(t, r, c) >= sogliaTotale ? 0 : 255;
                m.at(r, c) = valore;
                m.at(r, c + 1) = valore;
                m.at(r, c + 2) = valore;
            }
        }
    }
}

struct Corsa
{
    int conteggio = 0;
    int inizio = 0;
    double lunghezza = 0.0;
    double area = 0.0;
};

} // namespace

void ErodiMaschera(MatriceInteri &m, int iterazioni, int righe, int byteRiga)
{
    operazioneMaschera(m, iterazioni, righe, byteRiga, 9);
}

void DilataMaschera(MatriceInteri &m, int iterazioni, int righe, int byteRiga)
{
    operazioneMaschera(m, iterazioni, righe, byteRiga, 1);
}

void scanColumns(const MatriceInteri &maschera, const StatoRilevamento &det, const MetricGrid &griglia, int fotogramma,
                 double tempo, TextList &veicoliAtt)
{
    const ScanLimits lim = scanLimits(det, griglia);
    const int h = halfBand(det);
    if (det.ColonnaArea1 <= det.ColonnaArea2)
        checkAxis(det);
    Corsa corse[2];
    for (int c = lim.primaColonna; c <= lim.ultimaColonna; ++c) {
        const int r0 = axisRow(det, c);
        const int x = c / 3;
        for (int arco = 0; arco < 2; ++arco) {
            const int da = arco == 0 ? r0 - h : r0;
            const int a = arco == 0 ? r0 : r0 + h;
            int conteggio = 0;
            for (int r = std::max(da, 0); r <= std::min(a, lim.righe - 1); ++r)
                if (maschera.at(r, c) == 0)
                    ++conteggio;
            const bool occupato = conteggio >= det.SogliaConteggio;
            Corsa &corsa = corse[arco];
            if (occupato && corsa.conteggio > 0) {
                ++corsa.conteggio;
                const int rg = lim.rigaGriglia(r0);
                corsa.lunghezza = griglia.at(rg, x, 0) - griglia.at(rg, corsa.inizio / 3, 0);
                const double larghezza = arco == 0 ? griglia.at(rg, x, 1) - griglia.at(lim.rigaGriglia(r0 - h), x, 1)
                                                   : griglia.at(lim.rigaGriglia(r0 + h), x, 1) - griglia.at(rg, x, 1);
                corsa.area = std::fabs(larghezza) * corsa.lunghezza;
            } else if (occupato) {
                corsa = Corsa {1, c, 0.0, 0.0};
            }
            if (!occupato && corsa.conteggio > 0) {
                if (corsa.lunghezza >= det.LunghezzaMin && corsa.area >= det.AreaVeicolo)
                    appendRecord(veicoliAtt,
                                 makeRecord(kNumeroProvvisorio, arco == 0 ? kArcoSuperiore : kArcoInferiore,
                                            corsa.inizio, c, corsa.lunghezza, corsa.area, fotogramma, tempo));
                corsa = Corsa {};
            }
        }
    }
}

void IndividuaVeicoli(StatoRilevamento &det, const MetricGrid &griglia, const RgbImage &frame, int superiore,
                      int inferiore, int fotogramma, double tempo, TextList &veicoliAtt)
{
    if (frame.height != det.AltezzaImmagine || frame.rowBytes() != det.LarghezzaRiga)
        throw RefusalError("Il fotogramma " + std::to_string(fotogramma) + " non ha la dimensione dello sfondo.");
    const int righe = det.AltezzaImmagine;
    const int byteRiga = det.LarghezzaRiga;
    subtractBackground(frame, det.MediaSfondo, det.MatriceDifferenza);
    ClassificaPixel(det.MatriceDifferenza, superiore, inferiore, righe, byteRiga);
    ErodiMaschera(det.MatriceDifferenza, 1, righe, byteRiga);
    DilataMaschera(det.MatriceDifferenza, 3, righe, byteRiga);
    ErodiMaschera(det.MatriceDifferenza, 1, righe, byteRiga);
    DilataMaschera(det.MatriceDifferenza, 3, righe, byteRiga);
    veicoliAtt.clear();
    scanColumns(det.MatriceDifferenza, det, griglia, fotogramma, tempo, veicoliAtt);
}

} // namespace kalvor::riferimento
