// SPDX-License-Identifier: GPL-3.0-or-later
#include "detection/rilevamento.hpp"

#include "common/errors.hpp"
#include "detection/geometria_area.hpp"
#include "detection/limiti_scansione.hpp"
#include "state/record_veicolo.hpp"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <string>
#include <type_traits>
#include <utility>

#if defined(__x86_64__)
#include <immintrin.h>
#define KALVOR_X86 1
#endif

namespace kalvor {

namespace {

IstruzioniVettoriali g_istruzioni = IstruzioniVettoriali::Migliori;

std::size_t indice(int r, int parole)
{
    return static_cast<std::size_t>(r) * static_cast<std::size_t>(parole);
}

void dimensiona(SpazioRilevamento &s, const StatoRilevamento &det)
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
    s.colonne.assign(static_cast<std::size_t>(larghezza) * static_cast<std::size_t>((altezza + 63) / 64), 0);
    s.sfondoValido = false;
}

void preparaSfondo(SpazioRilevamento &s, const StatoRilevamento &det)
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

// A pixel is background when inferiore <= f - b <= superiore for its three
// bytes. With s1 = f -sat b and s2 = b -sat f (unsigned saturating), each bound
// is one comparison of s1 or s2 with a constant of 0..255:
//   inferiore <= 0: s2 <= -inferiore      inferiore > 0: s1 >= inferiore
//   superiore >= 0: s1 <= superiore       superiore < 0: s2 >= -superiore
// A bound beyond 255 either always holds or never does.
struct Margini
{
    bool maiSfondo = false; // a bound no byte can meet
    bool infNonPositivo = true;
    bool supNonNegativo = true;
    std::uint8_t kInf = 0;
    std::uint8_t kSup = 0;
};

Margini margini(int superiore, int inferiore)
{
    Margini m;
    m.infNonPositivo = inferiore <= 0;
    m.supNonNegativo = superiore >= 0;
    const long long inf = inferiore;
    const long long sup = superiore;
    if (inf > 255 || sup < -255)
        m.maiSfondo = true;
    m.kInf = static_cast<std::uint8_t>(std::min(inf <= 0 ? -inf : inf, 255LL));
    m.kSup = static_cast<std::uint8_t>(std::min(sup >= 0 ? sup : -sup, 255LL));
    return m;
}

bool byteSfondo(int f, int b, int superiore, int inferiore)
{
    const int d = f - b;
    return d >= inferiore && d <= superiore;
}

// Pixels p0..pixel-1 into the words of `out` starting at word p0 / 64.
void classificaCoda(const std::uint8_t *f, const std::uint8_t *b, int superiore, int inferiore, int p0, int pixel,
                    std::uint64_t *out)
{
    for (int p = p0; p < pixel; p += 64) {
        std::uint64_t parola = 0;
        const int fine = std::min(p + 64, pixel);
        for (int q = p; q < fine; ++q) {
            const int c = 3 * q;
            const bool sfondo = byteSfondo(f[c], b[c], superiore, inferiore)
                && byteSfondo(f[c + 1], b[c + 1], superiore, inferiore)
                && byteSfondo(f[c + 2], b[c + 2], superiore, inferiore);
            if (!sfondo)
                parola |= std::uint64_t {1} << (q - p);
        }
        out[p >> 6] = parola;
    }
}

#if KALVOR_X86
constexpr std::uint64_t bitOgniTre(int primo)
{
    std::uint64_t m = 0;
    for (int b = primo; b < 64; b += 3)
        m |= std::uint64_t {1} << b;
    return m;
}

// 64 pixels are 192 bytes are three 64-bit words of per-byte flags; pixel p
// owns flag bits 3p..3p+2 of that 192-bit stream.
template<bool InfNonPositivo, bool SupNonNegativo>
__attribute__((target("avx2,bmi2"))) void classificaRigaAvx2(const std::uint8_t *f, const std::uint8_t *b,
                                                             int superiore, int inferiore, const Margini &m, int pixel,
                                                             std::uint64_t *out)
{
    const __m256i kInf = _mm256_set1_epi8(static_cast<char>(m.kInf));
    const __m256i kSup = _mm256_set1_epi8(static_cast<char>(m.kSup));
    const __m256i zero = _mm256_setzero_si256();
    int p = 0;
    for (; p + 64 <= pixel; p += 64) {
        const std::size_t base = static_cast<std::size_t>(p) * 3;
        std::uint64_t w[3];
        for (int j = 0; j < 3; ++j) {
            std::uint64_t parti[2];
            for (int h = 0; h < 2; ++h) {
                const std::size_t o = base + static_cast<std::size_t>(64 * j + 32 * h);
                const __m256i vf = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(f + o));
                const __m256i vb = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(b + o));
                const __m256i s1 = _mm256_subs_epu8(vf, vb);
                const __m256i s2 = _mm256_subs_epu8(vb, vf);
                // Each term is zero exactly when its bound holds.
                const __m256i tInf = InfNonPositivo ? _mm256_subs_epu8(s2, kInf) : _mm256_subs_epu8(kInf, s1);
                const __m256i tSup = SupNonNegativo ? _mm256_subs_epu8(s1, kSup) : _mm256_subs_epu8(kSup, s2);
                const __m256i ok = _mm256_cmpeq_epi8(_mm256_or_si256(tInf, tSup), zero);
                parti[h] = static_cast<std::uint32_t>(_mm256_movemask_epi8(ok));
            }
            w[j] = parti[0] | (parti[1] << 32);
        }
        const std::uint64_t a0 = w[0] & ((w[0] >> 1) | (w[1] << 63)) & ((w[0] >> 2) | (w[1] << 62));
        const std::uint64_t a1 = w[1] & ((w[1] >> 1) | (w[2] << 63)) & ((w[1] >> 2) | (w[2] << 62));
        const std::uint64_t a2 = w[2] & (w[2] >> 1) & (w[2] >> 2);
        const std::uint64_t sfondo = _pext_u64(a0, bitOgniTre(0)) | (_pext_u64(a1, bitOgniTre(2)) << 22)
            | (_pext_u64(a2, bitOgniTre(1)) << 43);
        out[p >> 6] = ~sfondo;
    }
    classificaCoda(f, b, superiore, inferiore, p, pixel, out);
}

// The same with 64-byte vectors: a byte comparison gives its 64 flags directly.
template<bool InfNonPositivo, bool SupNonNegativo>
__attribute__((target("avx512f,avx512bw,bmi2"))) void
classificaRigaAvx512(const std::uint8_t *f, const std::uint8_t *b, int superiore, int inferiore, const Margini &m,
                     int pixel, std::uint64_t *out)
{
    const __m512i kInf = _mm512_set1_epi8(static_cast<char>(m.kInf));
    const __m512i kSup = _mm512_set1_epi8(static_cast<char>(m.kSup));
    int p = 0;
    for (; p + 64 <= pixel; p += 64) {
        const std::size_t base = static_cast<std::size_t>(p) * 3;
        std::uint64_t w[3];
        for (int j = 0; j < 3; ++j) {
            const std::size_t o = base + static_cast<std::size_t>(64 * j);
            const __m512i vf = _mm512_loadu_si512(f + o);
            const __m512i vb = _mm512_loadu_si512(b + o);
            const __m512i s1 = _mm512_subs_epu8(vf, vb);
            const __m512i s2 = _mm512_subs_epu8(vb, vf);
            const __mmask64 okInf
                = InfNonPositivo ? _mm512_cmple_epu8_mask(s2, kInf) : _mm512_cmpge_epu8_mask(s1, kInf);
            const __mmask64 okSup
                = SupNonNegativo ? _mm512_cmple_epu8_mask(s1, kSup) : _mm512_cmpge_epu8_mask(s2, kSup);
            w[j] = static_cast<std::uint64_t>(okInf & okSup);
        }
        const std::uint64_t a0 = w[0] & ((w[0] >> 1) | (w[1] << 63)) & ((w[0] >> 2) | (w[1] << 62));
        const std::uint64_t a1 = w[1] & ((w[1] >> 1) | (w[2] << 63)) & ((w[1] >> 2) | (w[2] << 62));
        const std::uint64_t a2 = w[2] & (w[2] >> 1) & (w[2] >> 2);
        const std::uint64_t sfondo = _pext_u64(a0, bitOgniTre(0)) | (_pext_u64(a1, bitOgniTre(2)) << 22)
            | (_pext_u64(a2, bitOgniTre(1)) << 43);
        out[p >> 6] = ~sfondo;
    }
    classificaCoda(f, b, superiore, inferiore, p, pixel, out);
}

bool haAvx512()
{
    static const bool ok
        = __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw") && __builtin_cpu_supports("bmi2");
    return ok && g_istruzioni == IstruzioniVettoriali::Migliori;
}

bool haAvx2()
{
    static const bool ok = __builtin_cpu_supports("avx2") && __builtin_cpu_supports("bmi2");
    return ok && g_istruzioni != IstruzioniVettoriali::Nessuna;
}
#endif

void classificaRiga(const std::uint8_t *f, const std::uint8_t *b, int superiore, int inferiore, const Margini &m,
                    int pixel, std::uint64_t *out)
{
    if (m.maiSfondo) {
        for (int k = 0; k < (pixel + 63) / 64; ++k)
            out[k] = k == pixel / 64 ? (std::uint64_t {1} << (pixel & 63)) - 1 : ~std::uint64_t {0};
        return;
    }
#if KALVOR_X86
    // The margins' signs pick one of four specialisations, for either width.
    const auto perSegni = [&](auto classifica) {
        if (m.infNonPositivo && m.supNonNegativo)
            classifica(std::true_type {}, std::true_type {});
        else if (m.infNonPositivo)
            classifica(std::true_type {}, std::false_type {});
        else if (m.supNonNegativo)
            classifica(std::false_type {}, std::true_type {});
        else
            classifica(std::false_type {}, std::false_type {});
    };
    if (haAvx512()) {
        perSegni([&](auto inf, auto sup) {
            classificaRigaAvx512<decltype(inf)::value, decltype(sup)::value>(f, b, superiore, inferiore, m, pixel, out);
        });
        return;
    }
    if (haAvx2()) {
        perSegni([&](auto inf, auto sup) {
            classificaRigaAvx2<decltype(inf)::value, decltype(sup)::value>(f, b, superiore, inferiore, m, pixel, out);
        });
        return;
    }
#endif
    classificaCoda(f, b, superiore, inferiore, 0, pixel, out);
}

// One erosion or dilation step over the rows 1..H-2 taken as one stream of
// words: word i's vertical neighbours are i - P and i + P, and the bit carried
// across a word boundary at a row's end lands on a border or padding pixel,
// which `interno` excludes. Row 0 and the last row are copied.
template<bool Erosione>
void operazioneScalare(const std::uint64_t *src, std::uint64_t *dst, const std::uint64_t *in, std::size_t da,
                       std::size_t a, std::size_t P)
{
    for (std::size_t i = da; i < a; ++i) {
        std::uint64_t nuovo;
        if constexpr (Erosione) {
            const std::uint64_t v = src[i - P] & src[i] & src[i + P];
            const std::uint64_t vs = src[i - 1 - P] & src[i - 1] & src[i - 1 + P];
            const std::uint64_t vd = src[i + 1 - P] & src[i + 1] & src[i + 1 + P];
            nuovo = v & ((v << 1) | (vs >> 63)) & ((v >> 1) | (vd << 63));
        } else {
            const std::uint64_t o = src[i - P] | src[i] | src[i + P];
            const std::uint64_t os = src[i - 1 - P] | src[i - 1] | src[i - 1 + P];
            nuovo = (o << 1) | (os >> 63);
        }
        dst[i] = (nuovo & in[i]) | (src[i] & ~in[i]);
    }
}

#if KALVOR_X86
template<bool Erosione>
__attribute__((target("avx2"))) void operazioneAvx2(const std::uint64_t *src, std::uint64_t *dst,
                                                    const std::uint64_t *in, std::size_t da, std::size_t a,
                                                    std::size_t P)
{
#define carica(p) _mm256_loadu_si256(reinterpret_cast<const __m256i *>(p))
    std::size_t i = da;
    for (; i + 4 <= a; i += 4) {
        __m256i nuovo;
        if constexpr (Erosione) {
            const __m256i v
                = _mm256_and_si256(_mm256_and_si256(carica(src + i - P), carica(src + i)), carica(src + i + P));
            const __m256i vs = _mm256_and_si256(_mm256_and_si256(carica(src + i - 1 - P), carica(src + i - 1)),
                                                carica(src + i - 1 + P));
            const __m256i vd = _mm256_and_si256(_mm256_and_si256(carica(src + i + 1 - P), carica(src + i + 1)),
                                                carica(src + i + 1 + P));
            const __m256i sin = _mm256_or_si256(_mm256_slli_epi64(v, 1), _mm256_srli_epi64(vs, 63));
            const __m256i des = _mm256_or_si256(_mm256_srli_epi64(v, 1), _mm256_slli_epi64(vd, 63));
            nuovo = _mm256_and_si256(v, _mm256_and_si256(sin, des));
        } else {
            const __m256i o
                = _mm256_or_si256(_mm256_or_si256(carica(src + i - P), carica(src + i)), carica(src + i + P));
            const __m256i os = _mm256_or_si256(_mm256_or_si256(carica(src + i - 1 - P), carica(src + i - 1)),
                                               carica(src + i - 1 + P));
            nuovo = _mm256_or_si256(_mm256_slli_epi64(o, 1), _mm256_srli_epi64(os, 63));
        }
        const __m256i m = carica(in + i);
        const __m256i r = _mm256_or_si256(_mm256_and_si256(nuovo, m), _mm256_andnot_si256(m, carica(src + i)));
        _mm256_storeu_si256(reinterpret_cast<__m256i *>(dst + i), r);
    }
#undef carica
    operazioneScalare<Erosione>(src, dst, in, i, a, P);
}
#endif

template<bool Erosione> void ripeti(SpazioRilevamento &s, int volte)
{
    const std::size_t P = static_cast<std::size_t>(s.parole);
    const int H = s.altezza;
    if (H == 0 || P == 0)
        return;
    for (int k = 0; k < volte; ++k) {
        // Base pointers skip the leading padding word.
        const std::uint64_t *src = s.maschera.data() + 1;
        std::uint64_t *dst = s.lavoro.data() + 1;
        const std::uint64_t *in = s.interno.data() + 1;
        std::memcpy(dst, src, P * sizeof(std::uint64_t));
        if (H > 1)
            std::memcpy(dst + indice(H - 1, s.parole), src + indice(H - 1, s.parole), P * sizeof(std::uint64_t));
        if (H > 2) {
            const std::size_t da = P;
            const std::size_t a = indice(H - 1, s.parole);
#if KALVOR_X86
            if (haAvx2())
                operazioneAvx2<Erosione>(src, dst, in, da, a, P);
            else
#endif
                operazioneScalare<Erosione>(src, dst, in, da, a, P);
        }
        std::swap(s.maschera, s.lavoro);
    }
}

// Column-major copy of rows da..a of the mask, in 64 x 64 blocks.
void trasponi(SpazioRilevamento &s, int da, int a)
{
    const int blocchi = (s.altezza + 63) / 64;
    const std::uint64_t *m = s.maschera.data() + 1;
    std::uint64_t t[64];
    for (int rb = da >> 6; rb <= (a >> 6); ++rb) {
        for (int k = 0; k < s.parole; ++k) {
            for (int i = 0; i < 64; ++i) {
                const int r = 64 * rb + i;
                t[i] = r < s.altezza ? m[indice(r, s.parole) + static_cast<std::size_t>(k)] : 0;
            }
            // Swap the off-diagonal halves, then quarters, ... : bit j of t[i]
            // ends as bit i of t[j].
            std::uint64_t maschera = 0x00000000FFFFFFFFULL;
            for (int j = 32; j != 0; j >>= 1, maschera ^= (maschera << j)) {
                for (int i = 0; i < 64; i = ((i | j) + 1) & ~j) {
                    const std::uint64_t x = ((t[i] >> j) ^ t[i | j]) & maschera;
                    t[i] ^= x << j;
                    t[i | j] ^= x;
                }
            }
            const int x0 = 64 * k;
            for (int j = 0; j < 64 && x0 + j < s.larghezza; ++j)
                s.colonne[static_cast<std::size_t>(x0 + j) * static_cast<std::size_t>(blocchi)
                          + static_cast<std::size_t>(rb)]
                    = t[j];
        }
    }
}

// Foreground pixels of column x in rows da..a (da <= a, both in the image).
[[gnu::always_inline]] inline int conteggioColonna(const SpazioRilevamento &s, int blocchi, int x, int da, int a)
{
    const std::uint64_t *col = s.colonne.data() + static_cast<std::size_t>(x) * static_cast<std::size_t>(blocchi);
    const int wa = da >> 6;
    const int wb = a >> 6;
    const std::uint64_t dalBit = ~std::uint64_t {0} << (da & 63);
    const std::uint64_t finoBit = ~std::uint64_t {0} >> (63 - (a & 63));
    if (wa == wb)
        return std::popcount(col[wa] & dalBit & finoBit);
    int n = std::popcount(col[wa] & dalBit) + std::popcount(col[wb] & finoBit);
    for (int w = wa + 1; w < wb; ++w)
        n += std::popcount(col[w]);
    return n;
}

struct Corsa
{
    int conteggio = 0;
    int inizio = 0;
    double lunghezza = 0.0;
    double area = 0.0;
};

[[gnu::always_inline]] inline void scansioneCorpo(const StatoRilevamento &det, const MetricGrid &griglia,
                                                  int fotogramma, double tempo, TextList &veicoliAtt,
                                                  SpazioRilevamento &s)
{
    const LimitiScansione lim = limitiScansione(det, griglia);
    if (det.ColonnaArea1 > det.ColonnaArea2)
        return;
    const AsseInterpolato asse(det); // the degenerate axis fails even when clipping leaves no column
    if (lim.primaColonna > lim.ultimaColonna)
        return;
    const int h = semibanda(det);
    const int n = lim.ultimaColonna - lim.primaColonna + 1;
    s.righeAsse.resize(static_cast<std::size_t>(n));
    int rmin = 0;
    int rmax = 0;
    for (int i = 0; i < n; ++i) {
        const int r0 = asse.riga(lim.primaColonna + i);
        s.righeAsse[static_cast<std::size_t>(i)] = r0;
        rmin = i == 0 ? r0 : std::min(rmin, r0);
        rmax = i == 0 ? r0 : std::max(rmax, r0);
    }
    const int lo = std::max(rmin - h, 0);
    const int hi = std::min(rmax + h, lim.righe - 1);
    if (lo <= hi)
        trasponi(s, lo, hi);
    const int blocchi = (s.altezza + 63) / 64;

    Corsa corse[2];
    // The three byte columns of a pixel usually share the axis row: count once.
    int ultimaX = -1;
    int ultimaRiga = 0;
    int conteggi[2] = {0, 0};
    for (int c = lim.primaColonna; c <= lim.ultimaColonna; ++c) {
        const int ra = s.righeAsse[static_cast<std::size_t>(c - lim.primaColonna)];
        const int x = c / 3;
        const bool giaContato = x == ultimaX && ra == ultimaRiga;
        ultimaX = x;
        ultimaRiga = ra;
        for (int arco = 0; arco < 2; ++arco) {
            if (!giaContato) {
                const int da = std::max(arco == 0 ? ra - h : ra, 0);
                const int a = std::min(arco == 0 ? ra : ra + h, lim.righe - 1);
                conteggi[arco] = da <= a ? conteggioColonna(s, blocchi, x, da, a) : 0;
            }
            const int conteggio = conteggi[arco];
            const bool occupato = conteggio >= det.SogliaConteggio;
            Corsa &corsa = corse[arco];
            if (occupato && corsa.conteggio > 0) {
                ++corsa.conteggio;
                const int rg = lim.rigaGriglia(ra);
                corsa.lunghezza = griglia.at(rg, x, 0) - griglia.at(rg, corsa.inizio / 3, 0);
                const double larghezza = arco == 0 ? griglia.at(rg, x, 1) - griglia.at(lim.rigaGriglia(ra - h), x, 1)
                                                   : griglia.at(lim.rigaGriglia(ra + h), x, 1) - griglia.at(rg, x, 1);
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

#if KALVOR_X86
__attribute__((target("popcnt"))) void scansionePopcnt(const StatoRilevamento &det, const MetricGrid &griglia,
                                                       int fotogramma, double tempo, TextList &veicoliAtt,
                                                       SpazioRilevamento &s)
{
    scansioneCorpo(det, griglia, fotogramma, tempo, veicoliAtt, s);
}
#endif

void scansione(const StatoRilevamento &det, const MetricGrid &griglia, int fotogramma, double tempo,
               TextList &veicoliAtt, SpazioRilevamento &s)
{
#if KALVOR_X86
    static const bool popcnt = __builtin_cpu_supports("popcnt");
    if (popcnt && g_istruzioni != IstruzioniVettoriali::Nessuna) {
        scansionePopcnt(det, griglia, fotogramma, tempo, veicoliAtt, s);
        return;
    }
#endif
    scansioneCorpo(det, griglia, fotogramma, tempo, veicoliAtt, s);
}

void verificaDimensioni(const StatoRilevamento &det, const RgbImage &frame, int fotogramma)
{
    if (frame.height != det.AltezzaImmagine || frame.rowBytes() != det.LarghezzaRiga
        || det.MediaSfondo.data.size() != frame.pixels.size())
        throw RefusalError("Il fotogramma " + std::to_string(fotogramma) + " non ha la dimensione dello sfondo ("
                           + std::to_string(det.LarghezzaRiga / 3) + " x " + std::to_string(det.AltezzaImmagine)
                           + ").");
}

} // namespace

void impostaIstruzioniVettoriali(IstruzioniVettoriali istruzioni)
{
    g_istruzioni = istruzioni;
}

void calcolaMaschera(const StatoRilevamento &det, const RgbImage &frame, int superiore, int inferiore,
                     SpazioRilevamento &s)
{
    verificaDimensioni(det, frame, 0);
    dimensiona(s, det);
    preparaSfondo(s, det);
    const Margini m = margini(superiore, inferiore);
    const int rb = det.LarghezzaRiga;
    for (int r = 0; r < s.altezza; ++r) {
        const std::size_t o = static_cast<std::size_t>(r) * static_cast<std::size_t>(rb);
        classificaRiga(frame.row(r), s.sfondo.data() + o, superiore, inferiore, m, s.larghezza,
                       s.maschera.data() + 1 + indice(r, s.parole));
    }
    ripeti<true>(s, 1);
    ripeti<false>(s, 3);
    ripeti<true>(s, 1);
    ripeti<false>(s, 3);
}

void IndividuaVeicoli(StatoRilevamento &det, const MetricGrid &griglia, const RgbImage &frame, int superiore,
                      int inferiore, int fotogramma, double tempo, TextList &veicoliAtt, SpazioRilevamento &s)
{
    verificaDimensioni(det, frame, fotogramma);
    calcolaMaschera(det, frame, superiore, inferiore, s);
    veicoliAtt.clear();
    scansione(det, griglia, fotogramma, tempo, veicoliAtt, s);
}

void scriviMatriceMaschera(const SpazioRilevamento &s, MatriceInteri &m)
{
    m.resize(s.altezza, 3 * s.larghezza);
    for (int r = 0; r < s.altezza; ++r)
        for (int x = 0; x < s.larghezza; ++x) {
            const std::int32_t v = s.primoPiano(r, x) ? 0 : 255;
            m.at(r, 3 * x) = v;
            m.at(r, 3 * x + 1) = v;
            m.at(r, 3 * x + 2) = v;
        }
}

RgbImage immagineMaschera(const SpazioRilevamento &s)
{
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
