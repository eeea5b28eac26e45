// SPDX-License-Identifier: GPL-3.0-or-later
#include "detection/rilevamento.hpp"

#include "common/errors.hpp"
#include "detection/conteggio_archi.hpp"
#include "detection/geometria_scansione.hpp"
#include "detection/maschera_compatta.hpp"
#include "state/record_veicolo.hpp"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>

namespace kalvor {

namespace {

// Foreground pixels of column x in rows da..a, read one by one: for the few
// byte columns whose axis row is not their pixel column's.
int contaDiretto(const DetectionWorkspace &s, int x, Segment seg)
{
    int n = 0;
    for (int r = seg.da; r <= seg.a; ++r)
        n += s.primoPiano(r, x) ? 1 : 0;
    return n;
}

// A run of occupied byte columns: its start, its length in byte columns and
// its last occupied column.
struct Corsa
{
    int conteggio = 0;
    int inizio = 0;
    int ultima = 0;
};

// Length and area as the run stood at its last occupied column, on that
// column's axis row: a run of one column has both 0.
void misuraCorsa(const Corsa &corsa, int arco, const ScanGeometry &g, const MetricGrid &griglia, double &lunghezza,
                 double &area)
{
    lunghezza = 0.0;
    area = 0.0;
    if (corsa.conteggio < 2)
        return;
    const int ra = g.axisRow(corsa.ultima);
    const int x = corsa.ultima / 3;
    const int h = g.halfBand;
    const int rg = g.lim.rigaGriglia(ra);
    lunghezza = griglia.at(rg, x, 0) - griglia.at(rg, corsa.inizio / 3, 0);
    const double larghezza = arco == 0 ? griglia.at(rg, x, 1) - griglia.at(g.lim.rigaGriglia(ra - h), x, 1)
                                       : griglia.at(g.lim.rigaGriglia(ra + h), x, 1) - griglia.at(rg, x, 1);
    area = std::fabs(larghezza) * lunghezza;
}

// The run step of one arc over the byte columns da..a, all occupied or all
// not: the same as taking them one by one.
struct Scansione
{
    const StatoRilevamento &det;
    const ScanGeometry &g;
    const MetricGrid &griglia;
    int fotogramma;
    double tempo;
    TextList &veicoliAtt;
    Corsa corse[2] {};

    void passo(int arco, bool occupato, int da, int a)
    {
        Corsa &corsa = corse[arco];
        if (occupato) {
            if (corsa.conteggio > 0)
                corsa.conteggio += a - da + 1;
            else
                corsa = Corsa {a - da + 1, da, a};
            corsa.ultima = a;
        } else if (corsa.conteggio > 0) {
            chiudi(arco, da);
        }
    }

    // The run ends at byte column c, the first one not occupied.
    void chiudi(int arco, int c)
    {
        Corsa &corsa = corse[arco];
        double lunghezza = 0.0;
        double area = 0.0;
        misuraCorsa(corsa, arco, g, griglia, lunghezza, area);
        if (lunghezza >= det.LunghezzaMin && area >= det.AreaVeicolo)
            appendRecord(veicoliAtt,
                         makeRecord(kNumeroProvvisorio, arco == 0 ? kArcoSuperiore : kArcoInferiore, corsa.inizio, c,
                                    lunghezza, area, fotogramma, tempo));
        corsa = Corsa {};
    }
};

// Pixel column by pixel column: the byte columns of a pixel share its counts
// unless the axis steps to another row inside it, where they are taken one
// by one. Records come out in the order the runs close, upper arc first.
void scansioneColonne(const StatoRilevamento &det, const MetricGrid &griglia, int fotogramma, double tempo,
                      TextList &veicoliAtt, const DetectionWorkspace &s)
{
    const ScanGeometry &g = s.geometria;
    if (g.vuota())
        return;
    Scansione sc {det, g, griglia, fotogramma, tempo, veicoliAtt};
    const int soglia = det.SogliaConteggio;
    for (int x = g.primoPixel; x <= g.lim.ultimaColonna / 3; ++x) {
        const int da = g.primaColonnaPixel(x);
        const int a = g.ultimaColonnaPixel(x);
        if (g.uniforme(x)) {
            for (int arco = 0; arco < 2; ++arco)
                sc.passo(arco, static_cast<int>(s.conteggi[arco][static_cast<std::size_t>(x)]) >= soglia, da, a);
            continue;
        }
        for (int c = da; c <= a; ++c) {
            const int ra = g.axisRow(c);
            for (int arco = 0; arco < 2; ++arco) {
                const int conteggio = ra == g.rigaConteggio(x)
                    ? static_cast<int>(s.conteggi[arco][static_cast<std::size_t>(x)])
                    : contaDiretto(s, x, arcSegment(arco, ra, g.halfBand, g.lim.righe));
                sc.passo(arco, conteggio >= soglia, c, c);
            }
        }
    }
}

void verificaMascheraIntera(const DetectionWorkspace &s)
{
    if (!s.mascheraIntera)
        throw std::logic_error("la maschera dell'ultimo fotogramma non è stata calcolata per intero");
}

} // namespace

void computeMask(const StatoRilevamento &det, const RgbImage &frame, int superiore, int inferiore,
                 DetectionWorkspace &s)
{
    checkFrameSize(det, frame, 0);
    sizeWorkspace(s, det);
    loadBackgroundBytes(s, det);
    classifyRows(frame, s.sfondo.data(), superiore, inferiore, 0, s.altezza - 1, s);
    maskOperations(s, 0, s.altezza - 1);
    s.mascheraIntera = true;
}

void IndividuaVeicoli(StatoRilevamento &det, const MetricGrid &griglia, const RgbImage &frame, int superiore,
                      int inferiore, int fotogramma, double tempo, TextList &veicoliAtt, DetectionWorkspace &s,
                      MaskWanted richiesta)
{
    checkFrameSize(det, frame, fotogramma);
    if (richiesta == MaskWanted::Whole) {
        computeMask(det, frame, superiore, inferiore, s);
        veicoliAtt.clear();
        prepareScanGeometry(s.geometria, det, griglia, s.parole);
    } else {
        sizeWorkspace(s, det);
        s.mascheraIntera = false;
        veicoliAtt.clear();
        prepareScanGeometry(s.geometria, det, griglia, s.parole);
        const ScanGeometry &g = s.geometria;
        if (g.vuota() || g.rigaDa > g.rigaA)
            return;
        loadBackgroundBytes(s, det);
        // Each operation reads one row further out: these rows make the band exact.
        const int da = std::max(g.rigaDa - kPassiMaschera, 0);
        const int a = std::min(g.rigaA + kPassiMaschera, s.altezza - 1);
        classifyRows(frame, s.sfondo.data(), superiore, inferiore, da, a, s);
        maskOperations(s, da, a);
    }
    countArcs(s);
    scansioneColonne(det, griglia, fotogramma, tempo, veicoliAtt, s);
}

void writeMaskMatrix(const DetectionWorkspace &s, MatriceInteri &m)
{
    verificaMascheraIntera(s);
    m.resize(s.altezza, 3 * s.larghezza);
    for (int r = 0; r < s.altezza; ++r)
        for (int x = 0; x < s.larghezza; ++x) {
            const std::int32_t v = s.primoPiano(r, x) ? 0 : 255;
            m.at(r, 3 * x) = v;
            m.at(r, 3 * x + 1) = v;
            m.at(r, 3 * x + 2) = v;
        }
}

RgbImage maskImage(const DetectionWorkspace &s)
{
    verificaMascheraIntera(s);
    RgbImage img(s.larghezza, s.altezza);
    for (int r = 0; r < s.altezza; ++r) {
        std::uint8_t *riga = img.row(r);
        for (int x = 0; x < s.larghezza; ++x) {
            const std::uint8_t v = s.primoPiano(r, x) ? 0 : 255;
            riga[3 * x] = v;
            riga[3 * x + 1] = v;
            riga[3 * x + 2] = v;
        }
    }
    return img;
}

} // namespace kalvor
