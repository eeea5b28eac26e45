// SPDX-License-Identifier: GPL-3.0-or-later
#include "detection/conteggio_archi.hpp"

#include "detection/istruzioni_vettoriali.hpp"

#include <algorithm>
#include <bit>

#if defined(__x86_64__)
#include <immintrin.h>
#define KALVOR_X86 1
#endif

namespace kalvor {

namespace {

// Byte counters overflow after 255 rows: the vector paths add them into the
// 32-bit totals every `kRigheBlocco` rows.
constexpr int kRigheBlocco = 255;

struct Banda
{
    const std::uint64_t *maschera; // word 0 of row 0
    const std::uint64_t *archi[2]; // word 0 of row rigaDa of each arc's row masks
    std::size_t parole;
    int rigaDa;
    int rigaA;
};

const std::uint64_t *riga(const Banda &b, int r)
{
    return b.maschera + static_cast<std::size_t>(r) * b.parole;
}

const std::uint64_t *rigaArco(const Banda &b, int arco, int r)
{
    return b.archi[arco] + static_cast<std::size_t>(r - b.rigaDa) * b.parole;
}

void contaScalare(const Banda &b, std::uint32_t *conteggi[2])
{
    for (int r = b.rigaDa; r <= b.rigaA; ++r)
        for (int arco = 0; arco < 2; ++arco) {
            const std::uint64_t *m = riga(b, r);
            const std::uint64_t *sel = rigaArco(b, arco, r);
            for (std::size_t k = 0; k < b.parole; ++k)
                for (std::uint64_t w = m[k] & sel[k]; w != 0; w &= w - 1)
                    ++conteggi[arco][64 * k + static_cast<std::size_t>(std::countr_zero(w))];
        }
}

void aggiungiAccumulatori(const std::uint8_t *acc, std::size_t n, std::uint32_t *conteggi)
{
    for (std::size_t i = 0; i < n; ++i)
        conteggi[i] = conteggi[i] + acc[i];
}

#if KALVOR_X86
// Byte j of the result is 0xFF when bit j of `bit` is set.
__attribute__((target("avx2"))) inline __m256i espandi32(std::uint32_t bit)
{
    const __m256i quale = _mm256_setr_epi8(0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 1, 1, 1, 1, 2, 2, 2, 2, 2, 2, 2, 2, 3, 3,
                                           3, 3, 3, 3, 3, 3);
    const __m256i selettore = _mm256_set1_epi64x(static_cast<long long>(0x8040201008040201ULL));
    const __m256i v = _mm256_shuffle_epi8(_mm256_set1_epi32(static_cast<int>(bit)), quale);
    return _mm256_cmpeq_epi8(_mm256_and_si256(v, selettore), selettore);
}

// One row of one arc into its byte counters: 0xFF is -1, so subtracting the
// expanded bits adds one per set bit.
__attribute__((target("avx2"))) void aggiungiRigaAvx2(const std::uint64_t *m, const std::uint64_t *sel,
                                                      std::size_t parole, std::uint8_t *acc)
{
    for (std::size_t k = 0; k < parole; ++k) {
        const std::uint64_t w = m[k] & sel[k];
        if (w == 0)
            continue;
        auto *p = reinterpret_cast<__m256i *>(acc + 64 * k);
        _mm256_storeu_si256(p, _mm256_sub_epi8(_mm256_loadu_si256(p), espandi32(static_cast<std::uint32_t>(w))));
        _mm256_storeu_si256(p + 1,
                            _mm256_sub_epi8(_mm256_loadu_si256(p + 1), espandi32(static_cast<std::uint32_t>(w >> 32))));
    }
}

__attribute__((target("avx512f,avx512bw"))) void aggiungiRigaAvx512(const std::uint64_t *m, const std::uint64_t *sel,
                                                                    std::size_t parole, std::uint8_t *acc)
{
    for (std::size_t k = 0; k < parole; ++k) {
        std::uint8_t *p = acc + 64 * k;
        _mm512_storeu_si512(p, _mm512_sub_epi8(_mm512_loadu_si512(p), _mm512_movm_epi8(m[k] & sel[k])));
    }
}

using AggiungiRiga = void (*)(const std::uint64_t *, const std::uint64_t *, std::size_t, std::uint8_t *);

// Byte counters per block of rows, added into the totals after each block.
void contaVettoriale(const Banda &b, AggiungiRiga aggiungiRiga, std::uint8_t *acc[2], std::uint32_t *conteggi[2])
{
    const std::size_t n = 64 * b.parole;
    for (int r0 = b.rigaDa; r0 <= b.rigaA; r0 += kRigheBlocco) {
        const int r1 = std::min(r0 + kRigheBlocco - 1, b.rigaA);
        std::fill(acc[0], acc[0] + n, 0);
        std::fill(acc[1], acc[1] + n, 0);
        for (int r = r0; r <= r1; ++r)
            for (int arco = 0; arco < 2; ++arco)
                aggiungiRiga(riga(b, r), rigaArco(b, arco, r), b.parole, acc[arco]);
        aggiungiAccumulatori(acc[0], n, conteggi[0]);
        aggiungiAccumulatori(acc[1], n, conteggi[1]);
    }
}
#endif

} // namespace

void countArcs(DetectionWorkspace &s)
{
    const ScanGeometry &g = s.geometria;
    const std::size_t n = 64 * static_cast<std::size_t>(s.parole);
    for (auto &c : s.conteggi)
        c.assign(n, 0);
    if (g.vuota() || g.rigaDa > g.rigaA)
        return;
    const Banda b {s.maschera.data() + 1,
                   {g.righeArco[0].data(), g.righeArco[1].data()},
                   static_cast<std::size_t>(s.parole),
                   g.rigaDa,
                   g.rigaA};
    std::uint32_t *conteggi[2] = {s.conteggi[0].data(), s.conteggi[1].data()};
#if KALVOR_X86
    if (useAvx2()) {
        s.accumulatori.resize(2 * n);
        std::uint8_t *acc[2] = {s.accumulatori.data(), s.accumulatori.data() + n};
        contaVettoriale(b, useAvx512() ? aggiungiRigaAvx512 : aggiungiRigaAvx2, acc, conteggi);
        return;
    }
#endif
    contaScalare(b, conteggi);
}

} // namespace kalvor
