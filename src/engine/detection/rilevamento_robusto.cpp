// SPDX-License-Identifier: GPL-3.0-or-later
#include "detection/rilevamento_robusto.hpp"

#include "common/errors.hpp"
#include "detection/geometria_scansione.hpp"
#include "detection/maschera_compatta.hpp"
#include "detection/regole_robuste.hpp"

#include <algorithm>
#include <bit>
#include <climits>
#include <string>
#include <utility>

namespace kalvor {

namespace {

std::size_t indice(int r, int parole)
{
    return static_cast<std::size_t>(r) * static_cast<std::size_t>(parole);
}

// The workspace sized as the default detection sizes it, so that either
// profile may run next on it.
void dimensiona(DetectionWorkspace &s, const StatoRilevamento &det)
{
    const int larghezza = det.LarghezzaRiga / 3;
    const int altezza = det.AltezzaImmagine;
    if (s.larghezza == larghezza && s.altezza == altezza && !s.maschera.empty())
        return;
    s.larghezza = larghezza;
    s.altezza = altezza;
    s.parole = (larghezza + 63) / 64;
    const std::size_t n = indice(altezza, s.parole) + 2;
    s.maschera.assign(n, 0);
    s.lavoro.assign(n, 0);
    s.interno.assign(n, 0);
    for (int r = 0; r < altezza; ++r)
        for (int x = 1; x <= larghezza - 2; ++x)
            s.interno[1 + indice(r, s.parole) + static_cast<std::size_t>(x >> 6)] |= std::uint64_t {1} << (x & 63);
    s.mascheraIntera = false;
    s.sfondoValido = false;
}

void preparaSfondo(DetectionWorkspace &s, const StatoRilevamento &det)
{
    const std::size_t n = det.MediaSfondo.data.size();
    if (s.sfondoValido && s.generazione == det.GenerazioneSfondo && s.sfondo.size() == n)
        return;
    s.sfondo.resize(n);
    for (std::size_t i = 0; i < n; ++i)
        s.sfondo[i] = static_cast<std::uint8_t>(std::clamp(det.MediaSfondo.data[i], 0, 255));
    s.generazione = det.GenerazioneSfondo;
    s.sfondoValido = true;
}

void verificaDimensioni(const StatoRilevamento &det, const RgbImage &frame, int fotogramma)
{
    if (frame.height != det.AltezzaImmagine || frame.rowBytes() != det.LarghezzaRiga
        || det.MediaSfondo.data.size() != frame.pixels.size())
        throw RefusalError("Il fotogramma " + std::to_string(fotogramma) + " non ha la dimensione dello sfondo ("
                           + std::to_string(det.LarghezzaRiga / 3) + " x " + std::to_string(det.AltezzaImmagine)
                           + ").");
}

Segment bandaColonna(const ScanGeometry &g, int x)
{
    const int ra = g.rigaConteggio(x);
    return Segment {std::max(ra - g.halfBand, 0), std::min(ra + g.halfBand, g.lim.righe - 1)};
}

// The lower median of frame - background over the sampled band bytes, by a
// histogram of the 511 possible differences.
int scartoLuce(const RgbImage &frame, const DetectionWorkspace &s, RobustWorkspace &w)
{
    const ScanGeometry &g = s.geometria;
    if (g.vuota())
        return boundedOffset(0, false);
    w.istogramma.fill(0);
    const int rb = frame.rowBytes();
    int n = 0;
    const int ultimo = g.lim.ultimaColonna / 3;
    for (int x = (g.primoPixel + kPassoColonneLuce - 1) / kPassoColonneLuce * kPassoColonneLuce; x <= ultimo;
         x += kPassoColonneLuce) {
        const Segment seg = bandaColonna(g, x);
        for (int r = (seg.da + kPassoRigheLuce - 1) / kPassoRigheLuce * kPassoRigheLuce; r <= seg.a;
             r += kPassoRigheLuce) {
            const std::uint8_t *f = frame.row(r) + 3 * x;
            const std::uint8_t *b = s.sfondo.data() + indice(r, rb) + 3 * static_cast<std::size_t>(x);
            for (int k = 0; k < 3; ++k)
                ++w.istogramma[static_cast<std::size_t>(f[k] - b[k] + 255)];
            n += 3;
        }
    }
    if (n == 0)
        return boundedOffset(0, false);
    const int rango = (n - 1) / 2;
    int cumulata = 0;
    for (int v = 0; v < 511; ++v) {
        cumulata += w.istogramma[static_cast<std::size_t>(v)];
        if (cumulata > rango)
            return boundedOffset(v - 255, true);
    }
    return boundedOffset(0, false);
}

int margineSpostato(int margine, int scarto)
{
    return static_cast<int>(std::clamp<long long>(static_cast<long long>(margine) + scarto, INT_MIN, INT_MAX));
}

// Clears the foreground bits of rows da..a that are shadows.
void togliOmbre(const RgbImage &frame, DetectionWorkspace &s, int scarto, int da, int a)
{
    const int rb = frame.rowBytes();
    for (int r = da; r <= a; ++r) {
        std::uint64_t *m = s.maschera.data() + 1 + indice(r, s.parole);
        const std::uint8_t *f = frame.row(r);
        const std::uint8_t *b = s.sfondo.data() + indice(r, rb);
        for (int k = 0; k < s.parole; ++k)
            for (std::uint64_t v = m[k]; v != 0; v &= v - 1) {
                const int x = 64 * k + std::countr_zero(v);
                const std::size_t c = 3 * static_cast<std::size_t>(x);
                const int bs[3] = {std::clamp(b[c] + scarto, 0, 255), std::clamp(b[c + 1] + scarto, 0, 255),
                                   std::clamp(b[c + 2] + scarto, 0, 255)};
                if (isShadow(f + c, bs))
                    m[k] &= ~(std::uint64_t {1} << (x & 63));
            }
    }
}

// One 3 x 3 erosion or dilation of rows da..a into the work mask, then
// swapped in. Rows beyond da..a and pixels beyond the picture read as
// background: exact over the whole picture, inexact by one more row at each
// end of a range for every step.
template<bool Erosione> void passo(DetectionWorkspace &s, RobustWorkspace &w, int da, int a)
{
    const int P = s.parole;
    const std::uint64_t ultimaParola
        = s.larghezza % 64 == 0 ? ~std::uint64_t {0} : (std::uint64_t {1} << (s.larghezza % 64)) - 1;
    const std::uint64_t *zeri = w.zeri.data();
    for (int r = da; r <= a; ++r) {
        const std::uint64_t *c = s.maschera.data() + 1 + indice(r, P);
        const std::uint64_t *su = r > da ? c - P : zeri;
        const std::uint64_t *giu = r < a ? c + P : zeri;
        std::uint64_t *d = s.lavoro.data() + 1 + indice(r, P);
        std::uint64_t sinistra = 0; // the previous word's vertical combination
        std::uint64_t v = Erosione ? su[0] & c[0] & giu[0] : su[0] | c[0] | giu[0];
        for (int k = 0; k < P; ++k) {
            const std::uint64_t destra
                = k + 1 < P ? (Erosione ? su[k + 1] & c[k + 1] & giu[k + 1] : su[k + 1] | c[k + 1] | giu[k + 1]) : 0;
            const std::uint64_t versoSinistra = (v << 1) | (sinistra >> 63);
            const std::uint64_t versoDestra = (v >> 1) | (destra << 63);
            d[k] = Erosione ? v & versoSinistra & versoDestra : v | versoSinistra | versoDestra;
            sinistra = v;
            v = destra;
        }
        d[P - 1] &= ultimaParola;
    }
    std::swap(s.maschera, s.lavoro);
}

void morfologia(DetectionWorkspace &s, RobustWorkspace &w, int da, int a)
{
    if (s.parole == 0 || da > a)
        return;
    w.zeri.assign(static_cast<std::size_t>(s.parole), 0);
    passo<true>(s, w, da, a);
    passo<false>(s, w, da, a);
    passo<false>(s, w, da, a);
    passo<false>(s, w, da, a);
    passo<true>(s, w, da, a);
    passo<true>(s, w, da, a);
}

// The runs of the mask inside the band, row by row.
void trovaCorse(const DetectionWorkspace &s, RobustWorkspace &w)
{
    const ScanGeometry &g = s.geometria;
    const int P = s.parole;
    w.corse.clear();
    w.inizioRiga.clear();
    for (int r = g.rigaDa; r <= g.rigaA; ++r) {
        const std::size_t inizio = w.corse.size();
        w.inizioRiga.push_back(static_cast<int>(inizio));
        const std::uint64_t *m = s.maschera.data() + 1 + indice(r, P);
        const std::uint64_t *b0 = g.righeArco[0].data() + indice(r - g.rigaDa, P);
        const std::uint64_t *b1 = g.righeArco[1].data() + indice(r - g.rigaDa, P);
        for (int k = 0; k < P; ++k) {
            std::uint64_t v = m[k] & (b0[k] | b1[k]);
            const int base = 64 * k;
            while (v != 0) {
                const int primo = std::countr_zero(v);
                const std::uint64_t riempito = v | ((std::uint64_t {1} << primo) - 1);
                const int fine = ~riempito == 0 ? 64 : std::countr_zero(~riempito);
                if (w.corse.size() > inizio && w.corse.back().x1 == base + primo - 1)
                    w.corse.back().x1 = base + fine - 1;
                else
                    w.corse.push_back({r, base + primo, base + fine - 1});
                v = fine == 64 ? 0 : v & ~((std::uint64_t {1} << fine) - 1);
            }
        }
    }
    w.inizioRiga.push_back(static_cast<int>(w.corse.size()));
}

int radice(std::vector<int> &padre, int i)
{
    while (padre[static_cast<std::size_t>(i)] != i) {
        padre[static_cast<std::size_t>(i)] = padre[static_cast<std::size_t>(padre[static_cast<std::size_t>(i)])];
        i = padre[static_cast<std::size_t>(i)];
    }
    return i;
}

// Runs of consecutive rows touching (8-connected) belong to one blob.
void unisciCorse(RobustWorkspace &w)
{
    const std::size_t n = w.corse.size();
    w.padre.resize(n);
    for (std::size_t i = 0; i < n; ++i)
        w.padre[i] = static_cast<int>(i);
    for (std::size_t riga = 1; riga + 1 < w.inizioRiga.size(); ++riga) {
        int i = w.inizioRiga[riga - 1];
        const int fineSopra = w.inizioRiga[riga];
        int j = w.inizioRiga[riga];
        const int fine = w.inizioRiga[riga + 1];
        while (i < fineSopra && j < fine) {
            const RunBanda &p = w.corse[static_cast<std::size_t>(i)];
            const RunBanda &q = w.corse[static_cast<std::size_t>(j)];
            if (p.x0 <= q.x1 + 1 && q.x0 <= p.x1 + 1) {
                const int ri = radice(w.padre, i);
                const int rj = radice(w.padre, j);
                if (ri != rj)
                    w.padre[static_cast<std::size_t>(std::max(ri, rj))] = std::min(ri, rj);
            }
            if (p.x1 < q.x1)
                ++i;
            else
                ++j;
        }
    }
}

// Each blob's half and, from its column counts, its extent.
void misuraMacchie(const DetectionWorkspace &s, RobustWorkspace &w, int soglia, std::vector<BlobExtent> &macchie)
{
    const ScanGeometry &g = s.geometria;
    const std::size_t n = w.corse.size();
    w.profondita.assign(n, INT_MIN);
    w.primo.assign(n, INT_MAX);
    w.ultimo.assign(n, INT_MIN);
    w.conta.assign(n + 1, 0);
    for (std::size_t i = 0; i < n; ++i) {
        const auto r = static_cast<std::size_t>(radice(w.padre, static_cast<int>(i)));
        w.padre[i] = static_cast<int>(r);
        const RunBanda &c = w.corse[i];
        // The axis is monotone: its highest row over the run is at one end.
        const int asse = std::min(g.rigaConteggio(c.x0), g.rigaConteggio(c.x1));
        w.profondita[r] = std::max(w.profondita[r], c.riga - asse);
        w.primo[r] = std::min(w.primo[r], c.x0);
        w.ultimo[r] = std::max(w.ultimo[r], c.x1);
        ++w.conta[r + 1];
    }
    for (std::size_t i = 1; i <= n; ++i)
        w.conta[i] += w.conta[i - 1];
    w.ordine.resize(n);
    for (std::size_t i = 0; i < n; ++i)
        w.ordine[static_cast<std::size_t>(w.conta[static_cast<std::size_t>(w.padre[i])]++)] = static_cast<int>(i);
    // conta[r] is now the end of blob r's runs in `ordine`, conta[r - 1] its start.
    w.colonne.assign(static_cast<std::size_t>(g.lim.ultimaColonna / 3 - g.primoPixel + 2), 0);
    for (std::size_t r = 0; r < n; ++r) {
        if (w.padre[r] != static_cast<int>(r))
            continue;
        const int da = r == 0 ? 0 : w.conta[r - 1];
        for (int k = da; k < w.conta[r]; ++k) {
            const RunBanda &c = w.corse[static_cast<std::size_t>(w.ordine[static_cast<std::size_t>(k)])];
            ++w.colonne[static_cast<std::size_t>(c.x0 - g.primoPixel)];
            --w.colonne[static_cast<std::size_t>(c.x1 + 1 - g.primoPixel)];
        }
        BlobExtent e;
        e.arco = w.profondita[r] > soglia ? 1 : 0;
        e.primo = -1;
        int conteggio = 0;
        for (int x = w.primo[r]; x <= w.ultimo[r] + 1; ++x) {
            int &d = w.colonne[static_cast<std::size_t>(x - g.primoPixel)];
            conteggio += d;
            d = 0;
            if (x <= w.ultimo[r] && conteggio >= soglia) {
                if (e.primo < 0)
                    e.primo = x;
                e.ultimo = x;
            }
        }
        if (e.primo >= 0)
            macchie.push_back(e);
    }
}

} // namespace

void IndividuaVeicoliRobusto(StatoRilevamento &det, const MetricGrid &griglia, const RgbImage &frame, int superiore,
                             int inferiore, int fotogramma, double tempo, TextList &veicoliAtt, DetectionWorkspace &s,
                             MaskWanted richiesta)
{
    verificaDimensioni(det, frame, fotogramma);
    dimensiona(s, det);
    s.mascheraIntera = false;
    veicoliAtt.clear();
    prepareScanGeometry(s.geometria, det, griglia, s.parole);
    const ScanGeometry &g = s.geometria;
    const bool banda = !g.vuota() && g.rigaDa <= g.rigaA;
    if (richiesta == MaskWanted::RecordsOnly && !banda)
        return;
    preparaSfondo(s, det);
    RobustWorkspace &w = s.robusto;
    const int scarto = scartoLuce(frame, s, w);
    // Each of the six steps reads one row further out: these rows make the band exact.
    const int da = richiesta == MaskWanted::Whole ? 0 : std::max(g.rigaDa - kPassiMaschera, 0);
    const int a = richiesta == MaskWanted::Whole ? s.altezza - 1 : std::min(g.rigaA + kPassiMaschera, s.altezza - 1);
    classifyRows(frame, s.sfondo.data(), margineSpostato(superiore, scarto), margineSpostato(inferiore, scarto), da, a,
                 s);
    togliOmbre(frame, s, scarto, da, a);
    morfologia(s, w, da, a);
    s.mascheraIntera = richiesta == MaskWanted::Whole;
    if (!banda)
        return;
    trovaCorse(s, w);
    unisciCorse(w);
    std::vector<BlobExtent> macchie;
    misuraMacchie(s, w, occupancyThreshold(g.halfBand), macchie);
    recordsFromBlobs(macchie, det, griglia, fotogramma, tempo, veicoliAtt);
}

} // namespace kalvor
