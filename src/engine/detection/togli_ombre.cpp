// SPDX-License-Identifier: GPL-3.0-or-later
#include "detection/togli_ombre.hpp"

#include "detection/byte_per_pixel.hpp"
#include "detection/istruzioni_vettoriali.hpp"
#include "detection/regole_robuste.hpp"

#include <algorithm>
#include <bit>

#if defined(__x86_64__)
#include <immintrin.h>
#define KALVOR_X86 1
#endif

namespace kalvor {

namespace {

std::uint64_t ombrePixelPerPixel(const std::uint8_t *f, const std::uint8_t *b, int scarto, std::uint64_t candidati)
{
    std::uint64_t ombre = 0;
    for (std::uint64_t v = candidati; v != 0; v &= v - 1) {
        const int p = std::countr_zero(v);
        const std::size_t c = 3 * static_cast<std::size_t>(p);
        const int bs[3] = {std::clamp(b[c] + scarto, 0, 255), std::clamp(b[c + 1] + scarto, 0, 255),
                           std::clamp(b[c + 2] + scarto, 0, 255)};
        if (isShadow(f + c, bs))
            ombre |= std::uint64_t {1} << p;
    }
    return ombre;
}

#if KALVOR_X86
struct Selettori
{
    alignas(16) std::int8_t v[3][3][16]; // [source 16 bytes][channel][lane]
};

// pshufb selectors that gather channel j of 16 pixels (byte 3k + j of 48)
// from each of the three 16-byte loads; -1 leaves a zero.
constexpr Selettori selettori()
{
    Selettori s {};
    for (int sorgente = 0; sorgente < 3; ++sorgente)
        for (int j = 0; j < 3; ++j)
            for (int k = 0; k < 16; ++k) {
                const int i = 3 * k + j - 16 * sorgente;
                s.v[sorgente][j][k] = static_cast<std::int8_t>(i >= 0 && i < 16 ? i : -1);
            }
    return s;
}

constexpr Selettori kSelettori = selettori();

// The three bytes of 16 pixels (48 bytes at p) as three vectors of bytes.
__attribute__((target("avx2"))) inline void separaCanali(const std::uint8_t *p, __m128i c[3])
{
    __m128i parti[3];
#pragma GCC unroll 3
    for (int i = 0; i < 3; ++i)
        parti[i] = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p + 16 * i));
#pragma GCC unroll 3
    for (int j = 0; j < 3; ++j) {
        __m128i v = _mm_setzero_si128();
#pragma GCC unroll 3
        for (int i = 0; i < 3; ++i)
            v = _mm_or_si128(
                v, _mm_shuffle_epi8(parti[i], _mm_load_si128(reinterpret_cast<const __m128i *>(kSelettori.v[i][j]))));
        c[j] = v;
    }
}

// The background's bytes shifted by the offset and clamped, as isShadow sees them.
__attribute__((target("avx2"))) inline __m128i sposta(__m128i b, int scarto)
{
    const __m128i s = _mm_set1_epi8(static_cast<char>(std::min(scarto < 0 ? -scarto : scarto, 255)));
    return scarto < 0 ? _mm_subs_epu8(b, s) : _mm_adds_epu8(b, s);
}

// 16 pixels' channels: frame and shifted background bytes.
struct Sedici
{
    __m128i f[3];
    __m128i b[3];
};

__attribute__((target("avx2"))) inline Sedici leggiSedici(const std::uint8_t *f, const std::uint8_t *b, int scarto)
{
    Sedici x;
    separaCanali(f, x.f);
    separaCanali(b, x.b);
#pragma GCC unroll 3
    for (__m128i &v : x.b)
        v = sposta(v, scarto);
    return x;
}

// isShadow on 8 pixels of 32-bit lanes; the lanes that fail. Products are
// pairs of 16-bit factors (sums are at most 765), so one multiply-add gives
// f * B - b * F.
__attribute__((target("avx2"))) inline __m256i nonOmbreOtto(const __m256i vf[3], const __m256i vb[3])
{
    __m256i no = _mm256_setzero_si256();
#pragma GCC unroll 3
    for (int j = 0; j < 3; ++j)
        no = _mm256_or_si256(no, _mm256_cmpgt_epi32(vf[j], vb[j]));
    const __m256i F = _mm256_add_epi32(_mm256_add_epi32(vf[0], vf[1]), vf[2]);
    const __m256i B = _mm256_add_epi32(_mm256_add_epi32(vb[0], vb[1]), vb[2]);
    const __m256i noveB = _mm256_add_epi32(B, _mm256_slli_epi32(B, 3));
    const __m256i ventiF = _mm256_add_epi32(_mm256_slli_epi32(F, 4), _mm256_slli_epi32(F, 2));
    const __m256i dieciF = _mm256_add_epi32(_mm256_slli_epi32(F, 3), _mm256_slli_epi32(F, 1));
    no = _mm256_or_si256(no, _mm256_cmpgt_epi32(_mm256_set1_epi32(60), B));
    no = _mm256_or_si256(no, _mm256_cmpgt_epi32(noveB, ventiF));
    no = _mm256_or_si256(no, _mm256_cmpgt_epi32(dieciF, noveB));
    const __m256i FB = _mm256_madd_epi16(F, B);
    const __m256i fattori = _mm256_or_si256(B, _mm256_slli_epi32(_mm256_sub_epi32(_mm256_setzero_si256(), F), 16));
#pragma GCC unroll 3
    for (int j = 0; j < 3; ++j) {
        const __m256i d
            = _mm256_abs_epi32(_mm256_madd_epi16(_mm256_or_si256(vf[j], _mm256_slli_epi32(vb[j], 16)), fattori));
        const __m256i d25 = _mm256_add_epi32(_mm256_add_epi32(d, _mm256_slli_epi32(d, 3)), _mm256_slli_epi32(d, 4));
        no = _mm256_or_si256(no, _mm256_cmpgt_epi32(d25, FB));
    }
    return no;
}

__attribute__((target("avx2"))) unsigned ombreSediciAvx2(const std::uint8_t *f, const std::uint8_t *b, int scarto)
{
    const Sedici x = leggiSedici(f, b, scarto);
    unsigned ombre = 0;
#pragma GCC unroll 3
    for (int meta = 0; meta < 2; ++meta) {
        __m256i vf[3];
        __m256i vb[3];
#pragma GCC unroll 3
        for (int j = 0; j < 3; ++j) {
            vf[j] = _mm256_cvtepu8_epi32(meta == 0 ? x.f[j] : _mm_srli_si128(x.f[j], 8));
            vb[j] = _mm256_cvtepu8_epi32(meta == 0 ? x.b[j] : _mm_srli_si128(x.b[j], 8));
        }
        const unsigned no = static_cast<unsigned>(_mm256_movemask_ps(_mm256_castsi256_ps(nonOmbreOtto(vf, vb))));
        ombre |= (~no & 0xFFU) << (8 * meta);
    }
    return ombre;
}

// The same on 16 lanes at once. GCC 12 warns that its own intrinsics read an
// undefined vector (its bug 105593); the warning is silenced here alone.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wuninitialized"
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif
__attribute__((target("avx512f,avx512bw"))) unsigned ombreSediciAvx512(const std::uint8_t *f, const std::uint8_t *b,
                                                                       int scarto)
{
    const Sedici x = leggiSedici(f, b, scarto);
    __m512i vf[3];
    __m512i vb[3];
    __mmask16 no = 0;
#pragma GCC unroll 3
    for (int j = 0; j < 3; ++j) {
        vf[j] = _mm512_cvtepu8_epi32(x.f[j]);
        vb[j] = _mm512_cvtepu8_epi32(x.b[j]);
        no = static_cast<__mmask16>(no | _mm512_cmpgt_epi32_mask(vf[j], vb[j]));
    }
    const __m512i F = _mm512_add_epi32(_mm512_add_epi32(vf[0], vf[1]), vf[2]);
    const __m512i B = _mm512_add_epi32(_mm512_add_epi32(vb[0], vb[1]), vb[2]);
    const __m512i noveB = _mm512_add_epi32(B, _mm512_slli_epi32(B, 3));
    const __m512i ventiF = _mm512_add_epi32(_mm512_slli_epi32(F, 4), _mm512_slli_epi32(F, 2));
    const __m512i dieciF = _mm512_add_epi32(_mm512_slli_epi32(F, 3), _mm512_slli_epi32(F, 1));
    no = static_cast<__mmask16>(no | _mm512_cmplt_epi32_mask(B, _mm512_set1_epi32(60))
                                | _mm512_cmpgt_epi32_mask(noveB, ventiF) | _mm512_cmpgt_epi32_mask(dieciF, noveB));
    const __m512i FB = _mm512_madd_epi16(F, B);
    const __m512i fattori = _mm512_or_si512(B, _mm512_slli_epi32(_mm512_sub_epi32(_mm512_setzero_si512(), F), 16));
#pragma GCC unroll 3
    for (int j = 0; j < 3; ++j) {
        const __m512i d
            = _mm512_abs_epi32(_mm512_madd_epi16(_mm512_or_si512(vf[j], _mm512_slli_epi32(vb[j], 16)), fattori));
        const __m512i d25 = _mm512_add_epi32(_mm512_add_epi32(d, _mm512_slli_epi32(d, 3)), _mm512_slli_epi32(d, 4));
        no = static_cast<__mmask16>(no | _mm512_cmpgt_epi32_mask(d25, FB));
    }
    return static_cast<unsigned>(static_cast<std::uint16_t>(~no));
}
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic pop
#endif

// Pixels none of whose bytes is brighter than the shifted background (the
// first of isShadow's conditions), 64 at once in the bytes' own order: most
// foreground pixels that are no shadow leave here, before the costlier test.
__attribute__((target("avx2,bmi2"))) std::uint64_t nonPiuChiariAvx2(const std::uint8_t *f, const std::uint8_t *b,
                                                                    int scarto)
{
    const __m256i s = _mm256_set1_epi8(static_cast<char>(std::min(scarto < 0 ? -scarto : scarto, 255)));
    std::uint64_t w[3];
    for (int j = 0; j < 3; ++j) {
        std::uint64_t parti[2];
        for (int h = 0; h < 2; ++h) {
            const std::size_t o = static_cast<std::size_t>(64 * j + 32 * h);
            const __m256i vb = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(b + o));
            const __m256i bs = scarto < 0 ? _mm256_subs_epu8(vb, s) : _mm256_adds_epu8(vb, s);
            const __m256i vf = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(f + o));
            parti[h] = static_cast<std::uint32_t>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(_mm256_max_epu8(vf, bs), bs)));
        }
        w[j] = parti[0] | (parti[1] << 32);
    }
    return pixelsWithAllBytes(w);
}

__attribute__((target("avx512f,avx512bw,bmi2"))) std::uint64_t nonPiuChiariAvx512(const std::uint8_t *f,
                                                                                  const std::uint8_t *b, int scarto)
{
    const __m512i s = _mm512_set1_epi8(static_cast<char>(std::min(scarto < 0 ? -scarto : scarto, 255)));
    std::uint64_t w[3];
    for (int j = 0; j < 3; ++j) {
        const __m512i vb = _mm512_loadu_si512(b + 64 * j);
        const __m512i bs = scarto < 0 ? _mm512_subs_epu8(vb, s) : _mm512_adds_epu8(vb, s);
        w[j] = _mm512_cmple_epu8_mask(_mm512_loadu_si512(f + 64 * j), bs);
    }
    return pixelsWithAllBytes(w);
}

template<std::uint64_t (*NonPiuChiari)(const std::uint8_t *, const std::uint8_t *, int),
         unsigned (*OmbreSedici)(const std::uint8_t *, const std::uint8_t *, int)>
std::uint64_t ombreVettoriali(const std::uint8_t *f, const std::uint8_t *b, int scarto, std::uint64_t candidati,
                              int pixel)
{
    if (pixel == 64)
        candidati &= NonPiuChiari(f, b, scarto);
    std::uint64_t ombre = 0;
    int q = 0;
    for (; q + 16 <= pixel; q += 16) {
        const std::uint64_t gruppo = (candidati >> q) & 0xFFFFU;
        if (gruppo == 0)
            continue;
        const std::size_t o = 3 * static_cast<std::size_t>(q);
        ombre |= (static_cast<std::uint64_t>(OmbreSedici(f + o, b + o, scarto)) & gruppo) << q;
    }
    if (q < pixel) {
        const std::size_t o = 3 * static_cast<std::size_t>(q);
        ombre |= ombrePixelPerPixel(f + o, b + o, scarto, candidati >> q) << q;
    }
    return ombre;
}
#endif

// The rows' words, each through `parola`.
template<typename Parola>
void togliRighe(const RgbImage &frame, DetectionWorkspace &s, const std::uint64_t *ammessi, int scarto, int da, int a,
                Parola parola)
{
    const int rb = frame.rowBytes();
    for (int r = da; r <= a; ++r) {
        std::uint64_t *m = s.maschera.data() + 1 + static_cast<std::size_t>(r) * static_cast<std::size_t>(s.parole);
        const std::uint8_t *f = frame.row(r);
        const std::uint8_t *b = s.sfondo.data() + static_cast<std::size_t>(r) * static_cast<std::size_t>(rb);
        for (int k = 0; k < s.parole; ++k)
            if (const std::uint64_t candidati = m[k] & ammessi[m - s.maschera.data() + k]; candidati != 0) {
                const std::size_t o = 3 * 64 * static_cast<std::size_t>(k);
                m[k] &= ~parola(f + o, b + o, scarto, candidati, std::min(64, s.larghezza - 64 * k));
            }
    }
}

} // namespace

std::uint64_t shadowBitsOfWord(const std::uint8_t *f, const std::uint8_t *b, int scarto, std::uint64_t candidati,
                               int pixel)
{
    if (pixel < 64)
        candidati &= (std::uint64_t {1} << pixel) - 1;
#if KALVOR_X86
    if (useAvx512())
        return ombreVettoriali<nonPiuChiariAvx512, ombreSediciAvx512>(f, b, scarto, candidati, pixel);
    if (useAvx2())
        return ombreVettoriali<nonPiuChiariAvx2, ombreSediciAvx2>(f, b, scarto, candidati, pixel);
#endif
    return ombrePixelPerPixel(f, b, scarto, candidati);
}

void removeShadows(const RgbImage &frame, DetectionWorkspace &s, const std::uint64_t *ammessi, int scarto, int da,
                   int a)
{
#if KALVOR_X86
    if (useAvx512())
        return togliRighe(frame, s, ammessi, scarto, da, a, ombreVettoriali<nonPiuChiariAvx512, ombreSediciAvx512>);
    if (useAvx2())
        return togliRighe(frame, s, ammessi, scarto, da, a, ombreVettoriali<nonPiuChiariAvx2, ombreSediciAvx2>);
#endif
    togliRighe(frame, s, ammessi, scarto, da, a,
               [](const std::uint8_t *f, const std::uint8_t *b, int scarto, std::uint64_t c, int) {
                   return ombrePixelPerPixel(f, b, scarto, c);
               });
}

} // namespace kalvor
