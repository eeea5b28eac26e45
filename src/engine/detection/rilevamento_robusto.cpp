// SPDX-License-Identifier: GPL-3.0-or-later
#include "detection/rilevamento_robusto.hpp"

#include "common/errors.hpp"
#include "detection/geometria_scansione.hpp"
#include "detection/istruzioni_vettoriali.hpp"
#include "detection/maschera_compatta.hpp"
#include "detection/regole_robuste.hpp"
#include "detection/togli_ombre.hpp"

#include <algorithm>
#include <bit>
#include <climits>
#include <string>
#include <utility>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace kalvor {

namespace {

std::size_t indice(int r, int parole)
{
    return static_cast<std::size_t>(r) * static_cast<std::size_t>(parole);
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

// One row's (2R + 1)-wide erosion or dilation along the row: v holds the
// vertical combination of its words with a zero word on either side, d
// receives the row.
template<bool Erosione, int R> void orizzontaleScalare(const std::uint64_t *v, std::uint64_t *d, int da, int P)
{
    for (int k = da; k < P; ++k) {
        const std::uint64_t c = v[k + 1];
        std::uint64_t x = c;
        for (int j = 1; j <= R; ++j) {
            const std::uint64_t versoSinistra = (c << j) | (v[k] >> (64 - j));
            const std::uint64_t versoDestra = (c >> j) | (v[k + 2] << (64 - j));
            x = Erosione ? x & versoSinistra & versoDestra : x | versoSinistra | versoDestra;
        }
        d[k] = x;
    }
}

// Words da..P - 1 of v (from 1) combine the words of `righe` rows spaced P
// apart from `primo`.
template<bool Erosione> void verticaleScalare(const std::uint64_t *primo, int righe, int P, std::uint64_t *v, int da)
{
    for (int k = da; k < P; ++k) {
        std::uint64_t x = primo[k];
        for (int i = 1; i < righe; ++i)
            x = Erosione ? x & primo[k + static_cast<std::ptrdiff_t>(i) * P]
                         : x | primo[k + static_cast<std::ptrdiff_t>(i) * P];
        v[k + 1] = x;
    }
}

#if defined(__x86_64__)
__attribute__((target("avx2"))) inline __m256i carica(const std::uint64_t *p)
{
    return _mm256_loadu_si256(reinterpret_cast<const __m256i *>(p));
}

template<bool Erosione> __attribute__((target("avx2"))) inline __m256i combina(__m256i x, __m256i y)
{
    return Erosione ? _mm256_and_si256(x, y) : _mm256_or_si256(x, y);
}

template<bool Erosione, int R>
__attribute__((target("avx2"))) void rigaAvx2(const std::uint64_t *primo, int righe, std::uint64_t *v, std::uint64_t *d,
                                              int P)
{
    int k = 0;
    for (; k + 4 <= P; k += 4) {
        __m256i x = carica(primo + k);
        for (int i = 1; i < righe; ++i)
            x = combina<Erosione>(x, carica(primo + k + static_cast<std::ptrdiff_t>(i) * P));
        _mm256_storeu_si256(reinterpret_cast<__m256i *>(v + k + 1), x);
    }
    verticaleScalare<Erosione>(primo, righe, P, v, k);
    for (k = 0; k + 4 <= P; k += 4) {
        const __m256i centro = carica(v + k + 1);
        const __m256i sinistra = carica(v + k);
        const __m256i destra = carica(v + k + 2);
        __m256i x = centro;
#pragma GCC unroll 3
        for (int j = 1; j <= R; ++j) {
            const __m256i versoSinistra
                = _mm256_or_si256(_mm256_slli_epi64(centro, j), _mm256_srli_epi64(sinistra, 64 - j));
            const __m256i versoDestra
                = _mm256_or_si256(_mm256_srli_epi64(centro, j), _mm256_slli_epi64(destra, 64 - j));
            x = combina<Erosione>(x, combina<Erosione>(versoSinistra, versoDestra));
        }
        _mm256_storeu_si256(reinterpret_cast<__m256i *>(d + k), x);
    }
    orizzontaleScalare<Erosione, R>(v, d, k, P);
}
#endif

// R steps at once of the 3 x 3 erosion or dilation of rows da..a, into the
// work mask, then swapped in. Rows beyond da..a and pixels beyond the picture
// read as background at every step; within that rectangle R steps of the
// 3 x 3 square are one step of the (2R + 1)-wide square. Exact over the whole
// picture, inexact by one more row at each end of a range for every step.
template<bool Erosione, int R> void passo(DetectionWorkspace &s, RobustWorkspace &w, int da, int a)
{
    const int P = s.parole;
    const std::uint64_t ultimaParola
        = s.larghezza % 64 == 0 ? ~std::uint64_t {0} : (std::uint64_t {1} << (s.larghezza % 64)) - 1;
    std::uint64_t *v = w.verticale.data();
#if defined(__x86_64__)
    const bool avx2 = useAvx2();
#endif
    for (int r = da; r <= a; ++r) {
        std::uint64_t *d = s.lavoro.data() + 1 + indice(r, P);
        const int su = std::max(r - R, da);
        const int giu = std::min(r + R, a);
        if (Erosione && giu - su < 2 * R) {
            // A row beyond the range is in the square: background.
            std::fill(d, d + P, 0);
            continue;
        }
        const std::uint64_t *primo = s.maschera.data() + 1 + indice(su, P);
#if defined(__x86_64__)
        if (avx2) {
            rigaAvx2<Erosione, R>(primo, giu - su + 1, v, d, P);
        } else
#endif
        {
            verticaleScalare<Erosione>(primo, giu - su + 1, P, v, 0);
            orizzontaleScalare<Erosione, R>(v, d, 0, P);
        }
        d[P - 1] &= ultimaParola;
    }
    std::swap(s.maschera, s.lavoro);
}

void preparaPassi(DetectionWorkspace &s, RobustWorkspace &w)
{
    w.verticale.assign(static_cast<std::size_t>(s.parole) + 2, 0);
}

// Shadows are removed before the opening, but a pixel the opening removes
// anyway may keep its shadow: the opening of the mask less its shadows is
// the opening of the mask less the shadows within the mask's own opening
// (a full 3 x 3 square of the former is one of the latter, and its pixels
// are then in that opening). So only those pixels are tested. Two steps more
// than the six of the opening and closing: the eight rows kPassiMaschera
// adds about the band keep it exact. Leaves the opening in w.apertura.
void togliOmbreDellApertura(const RgbImage &frame, DetectionWorkspace &s, RobustWorkspace &w, int scarto, int da, int a)
{
    if (s.parole == 0 || da > a)
        return;
    preparaPassi(s, w);
    w.apertura = s.maschera;
    passo<true, 1>(s, w, da, a);
    passo<false, 1>(s, w, da, a);
    std::swap(s.maschera, w.apertura);
    removeShadows(frame, s, w.apertura.data(), scarto, da, a);
}

void morfologia(DetectionWorkspace &s, RobustWorkspace &w, int da, int a)
{
    if (s.parole == 0 || da > a)
        return;
    preparaPassi(s, w);
    // The opening's dilation and the closing's two are one 7 x 7 step.
    passo<true, 1>(s, w, da, a);
    passo<false, 3>(s, w, da, a);
    passo<true, 2>(s, w, da, a);
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

// Adds one over the pixel columns da..a - 1 of a difference array.
void aggiungi(std::vector<int> &d, int primoPixel, int da, int a)
{
    if (da >= a)
        return;
    ++d[static_cast<std::size_t>(da - primoPixel)];
    --d[static_cast<std::size_t>(a - primoPixel)];
}

// Where a run's columns lie against the axis. The axis row is monotone along
// the columns, so each set is one range; its ends come from `passato`: for
// each row v of the band, and two above and one below, the first pixel column
// from which the axis row has reached v (a rising axis: row >= v; a falling
// one: row <= v), one past the last column when none has.
struct AsseCorsa
{
    bool crescente; // axis rows grow with the column
    int base; // the row of passato[0]
    const std::vector<int> &passato;

    int da(int v, int x0, int x1) const { return std::clamp(passato[static_cast<std::size_t>(v - base)], x0, x1 + 1); }

    // Columns x0..x1 whose axis row is v: [inizio, fine).
    void uguali(int x0, int x1, int v, int &inizio, int &fine) const
    {
        inizio = da(v, x0, x1);
        fine = da(crescente ? v + 1 : v - 1, x0, x1);
    }

    // Columns x0..x1 whose axis row is at least r (the run is on or above
    // the axis there): [inizio, fine); the others are below.
    void sopra(int x0, int x1, int r, int &inizio, int &fine) const
    {
        inizio = crescente ? da(r, x0, x1) : x0;
        fine = crescente ? x1 + 1 : da(r - 1, x0, x1);
    }
};

AsseCorsa asseDelleCorse(const ScanGeometry &g, std::vector<int> &passato)
{
    const bool crescente = g.rigaPixel.front() <= g.rigaPixel.back();
    const int base = g.rigaDa - 2;
    const int righe = g.rigaA - g.rigaDa + 4;
    passato.resize(static_cast<std::size_t>(righe));
    const int ultimo = g.primoPixel + static_cast<int>(g.rigaPixel.size()) - 1;
    int x = g.primoPixel;
    for (int i = 0; i < righe; ++i) {
        const int v = crescente ? base + i : base + righe - 1 - i;
        while (x <= ultimo && (crescente ? g.rigaConteggio(x) < v : g.rigaConteggio(x) > v))
            ++x;
        passato[static_cast<std::size_t>(v - base)] = x;
    }
    return AsseCorsa {crescente, base, passato};
}

void contaParti(const RunBanda &c, const AsseCorsa &asse, RobustWorkspace &w, int primoPixel)
{
    int da = 0;
    int a = 0;
    asse.sopra(c.x0, c.x1, c.riga, da, a);
    aggiungi(w.sopra, primoPixel, da, a);
    aggiungi(w.sotto, primoPixel, c.x0, da);
    aggiungi(w.sotto, primoPixel, a, c.x1 + 1);
    asse.uguali(c.x0, c.x1, c.riga, da, a);
    aggiungi(w.suAsse, primoPixel, da, a);
    asse.uguali(c.x0, c.x1, c.riga - 1, da, a);
    aggiungi(w.sottoAsse, primoPixel, da, a);
}

void segna(BlobExtent &e, int x)
{
    if (e.primo < 0)
        e.primo = x;
    e.ultimo = x;
}

// Each blob's half and, from its column counts, its extent (or the extents
// of its two parts).
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
    const auto colonne = static_cast<std::size_t>(g.lim.ultimaColonna / 3 - g.primoPixel + 2);
    for (auto *d : {&w.sopra, &w.sotto, &w.suAsse, &w.sottoAsse})
        d->assign(colonne, 0);
    const AsseCorsa asse = asseDelleCorse(g, w.passato);
    for (std::size_t r = 0; r < n; ++r) {
        if (w.padre[r] != static_cast<int>(r))
            continue;
        const int da = r == 0 ? 0 : w.conta[r - 1];
        for (int k = da; k < w.conta[r]; ++k)
            contaParti(w.corse[static_cast<std::size_t>(w.ordine[static_cast<std::size_t>(k)])], asse, w, g.primoPixel);
        BlobExtent tutta {w.profondita[r] > soglia ? 1 : 0, -1, -1};
        BlobExtent alta {0, -1, -1};
        BlobExtent bassa {1, -1, -1};
        int nAlta = 0;
        int nBassa = 0;
        int attraversamenti = 0;
        int sopra = 0, sotto = 0, suAsse = 0, sottoAsse = 0;
        for (int x = w.primo[r]; x <= w.ultimo[r] + 1; ++x) {
            const auto i = static_cast<std::size_t>(x - g.primoPixel);
            sopra += std::exchange(w.sopra[i], 0);
            sotto += std::exchange(w.sotto[i], 0);
            suAsse += std::exchange(w.suAsse[i], 0);
            sottoAsse += std::exchange(w.sottoAsse[i], 0);
            if (x > w.ultimo[r])
                break;
            if (sopra + sotto >= soglia)
                segna(tutta, x);
            if (sopra >= soglia) {
                segna(alta, x);
                ++nAlta;
            }
            if (sotto >= soglia) {
                segna(bassa, x);
                ++nBassa;
            }
            attraversamenti += suAsse > 0 && sottoAsse > 0 ? 1 : 0;
        }
        if (tutta.arco == 1 && splitBlob(nAlta, nBassa, attraversamenti)) {
            macchie.push_back(alta);
            macchie.push_back(bassa);
        } else if (tutta.primo >= 0) {
            macchie.push_back(tutta);
        }
    }
}

} // namespace

void IndividuaVeicoliRobusto(StatoRilevamento &det, const MetricGrid &griglia, const RgbImage &frame, int superiore,
                             int inferiore, int fotogramma, double tempo, TextList &veicoliAtt, DetectionWorkspace &s,
                             MaskWanted richiesta)
{
    checkFrameSize(det, frame, fotogramma);
    sizeWorkspace(s, det);
    s.mascheraIntera = false;
    veicoliAtt.clear();
    prepareScanGeometry(s.geometria, det, griglia, s.parole);
    const ScanGeometry &g = s.geometria;
    const bool banda = !g.vuota() && g.rigaDa <= g.rigaA;
    if (richiesta == MaskWanted::RecordsOnly && !banda)
        return;
    loadBackgroundBytes(s, det);
    RobustWorkspace &w = s.robusto;
    const int scarto = scartoLuce(frame, s, w);
    // Each of the eight steps reads one row further out: these rows make the band exact.
    const int da = richiesta == MaskWanted::Whole ? 0 : std::max(g.rigaDa - kPassiMaschera, 0);
    const int a = richiesta == MaskWanted::Whole ? s.altezza - 1 : std::min(g.rigaA + kPassiMaschera, s.altezza - 1);
    classifyRows(frame, s.sfondo.data(), margineSpostato(superiore, scarto), margineSpostato(inferiore, scarto), da, a,
                 s);
    togliOmbreDellApertura(frame, s, w, scarto, da, a);
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
