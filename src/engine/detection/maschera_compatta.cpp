// SPDX-License-Identifier: GPL-3.0-or-later
#include "detection/maschera_compatta.hpp"

#include "detection/byte_per_pixel.hpp"
#include "detection/istruzioni_vettoriali.hpp"

#include <algorithm>
#include <cstring>
#include <type_traits>
#include <utility>

#if defined(__x86_64__)
#include <immintrin.h>
#define KALVOR_X86 1
#endif

namespace kalvor {

namespace {

std::size_t indice(int r, int parole)
{
    return static_cast<std::size_t>(r) * static_cast<std::size_t>(parole);
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
// Each 64 pixels' per-byte flags become one bit per pixel (byte_per_pixel.hpp).
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
        out[p >> 6] = ~pixelsWithAllBytes(w);
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
        out[p >> 6] = ~pixelsWithAllBytes(w);
    }
    classificaCoda(f, b, superiore, inferiore, p, pixel, out);
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
    if (useAvx512()) {
        perSegni([&](auto inf, auto sup) {
            classificaRigaAvx512<decltype(inf)::value, decltype(sup)::value>(f, b, superiore, inferiore, m, pixel, out);
        });
        return;
    }
    if (useAvx2()) {
        perSegni([&](auto inf, auto sup) {
            classificaRigaAvx2<decltype(inf)::value, decltype(sup)::value>(f, b, superiore, inferiore, m, pixel, out);
        });
        return;
    }
#endif
    classificaCoda(f, b, superiore, inferiore, 0, pixel, out);
}

// One erosion or dilation step over a run of rows taken as one stream of
// words: word i's vertical neighbours are i - P and i + P, and the bit carried
// across a word boundary at a row's end lands on a border or padding pixel,
// which `interno` excludes.
template<bool Erosione>
void operazioneScalare(const std::uint64_t *src, std::uint64_t *dst, const std::uint64_t *in, std::size_t da,
                       std::size_t a, std::size_t P)
{
    // Signed offsets: i - 1 - P is one word before the stream when i == P,
    // which an unsigned index would reach only by wrapping around.
    const auto p = static_cast<std::ptrdiff_t>(P);
    for (std::size_t i = da; i < a; ++i) {
        const std::uint64_t *c = src + i;
        std::uint64_t nuovo;
        if constexpr (Erosione) {
            const std::uint64_t v = c[-p] & c[0] & c[p];
            const std::uint64_t vs = c[-1 - p] & c[-1] & c[-1 + p];
            const std::uint64_t vd = c[1 - p] & c[1] & c[1 + p];
            nuovo = v & ((v << 1) | (vs >> 63)) & ((v >> 1) | (vd << 63));
        } else {
            const std::uint64_t o = c[-p] | c[0] | c[p];
            const std::uint64_t os = c[-1 - p] | c[-1] | c[-1 + p];
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

// Rows da and a keep their value; rows strictly between them (and inside the
// image's border) take the step. Over the whole image this is the exact
// operation; over a band, row da + k is exact after k steps.
template<bool Erosione> void ripeti(DetectionWorkspace &s, int volte, int da, int a)
{
    const std::size_t P = static_cast<std::size_t>(s.parole);
    if (P == 0 || da > a)
        return;
    const int primo = std::max(da + 1, 1);
    const int ultimo = std::min(a - 1, s.altezza - 2);
    for (int k = 0; k < volte; ++k) {
        // Base pointers skip the leading padding word.
        const std::uint64_t *src = s.maschera.data() + 1;
        std::uint64_t *dst = s.lavoro.data() + 1;
        const std::uint64_t *in = s.interno.data() + 1;
        std::memcpy(dst + indice(da, s.parole), src + indice(da, s.parole), P * sizeof(std::uint64_t));
        if (a > da)
            std::memcpy(dst + indice(a, s.parole), src + indice(a, s.parole), P * sizeof(std::uint64_t));
        if (primo <= ultimo) {
            const std::size_t i0 = indice(primo, s.parole);
            const std::size_t i1 = indice(ultimo + 1, s.parole);
#if KALVOR_X86
            if (useAvx2())
                operazioneAvx2<Erosione>(src, dst, in, i0, i1, P);
            else
#endif
                operazioneScalare<Erosione>(src, dst, in, i0, i1, P);
        }
        std::swap(s.maschera, s.lavoro);
    }
}

} // namespace

void classifyRows(const RgbImage &frame, const std::uint8_t *sfondo, int superiore, int inferiore, int da, int a,
                  DetectionWorkspace &s)
{
    const Margini m = margini(superiore, inferiore);
    const int rb = frame.rowBytes();
    for (int r = da; r <= a; ++r) {
        const std::size_t o = static_cast<std::size_t>(r) * static_cast<std::size_t>(rb);
        classificaRiga(frame.row(r), sfondo + o, superiore, inferiore, m, s.larghezza,
                       s.maschera.data() + 1 + indice(r, s.parole));
    }
}

void maskOperations(DetectionWorkspace &s, int da, int a)
{
    ripeti<true>(s, 1, da, a);
    ripeti<false>(s, 3, da, a);
    ripeti<true>(s, 1, da, a);
    ripeti<false>(s, 3, da, a);
}

} // namespace kalvor
