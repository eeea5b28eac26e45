// SPDX-License-Identifier: GPL-3.0-or-later
#include "detection/rilevamento.hpp"

#include "common/errors.hpp"
#include "detection/geometria_area.hpp"
#include "detection/limiti_scansione.hpp"
#include "state/record_veicolo.hpp"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
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

void dimensiona(SpazioRilevamento &s, const StatoRilevamento &det)
{
    const int larghezza = det.LarghezzaRiga / 3;
    const int altezza = det.AltezzaImmagine;
    if (s.larghezza == larghezza && s.altezza == altezza && !s.maschera.empty())
        return;
    s.larghezza = larghezza;
    s.altezza = altezza;
    s.parole = (larghezza + 63) / 64;
    const std::size_t n = indice(altezza, s.parole);
    s.maschera.assign(n, 0);
    s.lavoro.assign(n, 0);
    s.rigaTemp.assign(static_cast<std::size_t>(s.parole) + 2, 0);
    s.prefisso.assign(static_cast<std::size_t>(altezza) + 1, 0);
    s.interno.assign(static_cast<std::size_t>(s.parole), 0);
    for (int x = 1; x <= larghezza - 2; ++x)
        s.interno[static_cast<std::size_t>(x >> 6)] |= std::uint64_t{1} << (x & 63);
    s.soglieValide = false;
}

// Background when inferiore <= f - b <= superiore, that is when
// max(b + inferiore, 0) <= f <= min(b + superiore, 255); an empty range
// becomes 255..0, which no byte meets.
void preparaSoglie(SpazioRilevamento &s, const StatoRilevamento &det, int superiore, int inferiore)
{
    const std::size_t n = det.MediaSfondo.data.size();
    if (s.soglieValide && s.generazione == det.GenerazioneSfondo && s.superiore == superiore &&
        s.inferiore == inferiore && s.minimo.size() == n)
        return;
    s.minimo.resize(n);
    s.massimo.resize(n);
    for (std::size_t i = 0; i < n; ++i) {
        const long long b = det.MediaSfondo.data[i];
        const long long lo = std::max(b + inferiore, 0LL);
        const long long hi = std::min(b + superiore, 255LL);
        if (lo > hi) {
            s.minimo[i] = 255;
            s.massimo[i] = 0;
        } else {
            s.minimo[i] = static_cast<std::uint8_t>(lo);
            s.massimo[i] = static_cast<std::uint8_t>(hi);
        }
    }
    s.generazione = det.GenerazioneSfondo;
    s.superiore = superiore;
    s.inferiore = inferiore;
    s.soglieValide = true;
}

bool pixelSfondo(const std::uint8_t *f, const std::uint8_t *lo, const std::uint8_t *hi, int p)
{
    const int c = 3 * p;
    return f[c] >= lo[c] && f[c] <= hi[c] && f[c + 1] >= lo[c + 1] && f[c + 1] <= hi[c + 1] && f[c + 2] >= lo[c + 2] &&
           f[c + 2] <= hi[c + 2];
}

// Pixels p0..pixel-1 into the words of `out` starting at word p0 / 64.
void classificaCoda(const std::uint8_t *f, const std::uint8_t *lo, const std::uint8_t *hi, int p0, int pixel,
                    std::uint64_t *out)
{
    for (int p = p0; p < pixel; p += 64) {
        std::uint64_t parola = 0;
        const int fine = std::min(p + 64, pixel);
        for (int q = p; q < fine; ++q)
            if (!pixelSfondo(f, lo, hi, q))
                parola |= std::uint64_t{1} << (q - p);
        out[p >> 6] = parola;
    }
}

#if KALVOR_X86
constexpr std::uint64_t bitOgniTre(int primo)
{
    std::uint64_t m = 0;
    for (int b = primo; b < 64; b += 3)
        m |= std::uint64_t{1} << b;
    return m;
}

// 64 pixels are 192 bytes are three 64-bit words of per-byte flags; pixel p
// owns flag bits 3p..3p+2 of that 192-bit stream.
__attribute__((target("avx2,bmi2"))) void classificaRigaAvx2(const std::uint8_t *f, const std::uint8_t *lo,
                                                              const std::uint8_t *hi, int pixel, std::uint64_t *out)
{
    int p = 0;
    for (; p + 64 <= pixel; p += 64) {
        const std::size_t base = static_cast<std::size_t>(p) * 3;
        std::uint64_t w[3];
        for (int j = 0; j < 3; ++j) {
            std::uint64_t parti[2];
            for (int m = 0; m < 2; ++m) {
                const std::size_t o = base + static_cast<std::size_t>(64 * j + 32 * m);
                const __m256i vf = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(f + o));
                const __m256i vl = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(lo + o));
                const __m256i vh = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(hi + o));
                const __m256i sopra = _mm256_cmpeq_epi8(_mm256_max_epu8(vf, vl), vf);
                const __m256i sotto = _mm256_cmpeq_epi8(_mm256_min_epu8(vf, vh), vf);
                parti[m] = static_cast<std::uint32_t>(_mm256_movemask_epi8(_mm256_and_si256(sopra, sotto)));
            }
            w[j] = parti[0] | (parti[1] << 32);
        }
        const std::uint64_t a0 = w[0] & ((w[0] >> 1) | (w[1] << 63)) & ((w[0] >> 2) | (w[1] << 62));
        const std::uint64_t a1 = w[1] & ((w[1] >> 1) | (w[2] << 63)) & ((w[1] >> 2) | (w[2] << 62));
        const std::uint64_t a2 = w[2] & (w[2] >> 1) & (w[2] >> 2);
        const std::uint64_t sfondo = _pext_u64(a0, bitOgniTre(0)) | (_pext_u64(a1, bitOgniTre(2)) << 22) |
                                     (_pext_u64(a2, bitOgniTre(1)) << 43);
        out[p >> 6] = ~sfondo;
    }
    classificaCoda(f, lo, hi, p, pixel, out);
}

bool haAvx2()
{
    static const bool ok = __builtin_cpu_supports("avx2") && __builtin_cpu_supports("bmi2");
    return ok;
}
#endif

void classificaRiga(const std::uint8_t *f, const std::uint8_t *lo, const std::uint8_t *hi, int pixel,
                    std::uint64_t *out)
{
#if KALVOR_X86
    if (haAvx2()) {
        classificaRigaAvx2(f, lo, hi, pixel, out);
        return;
    }
#endif
    classificaCoda(f, lo, hi, 0, pixel, out);
}

// One erosion (tuttiNove) or dilation step from `src` into `dst`; row 0, the
// last row and the columns outside `interno` keep their value.
template<bool Erosione>
void operazione(const SpazioRilevamento &s, const std::uint64_t *src, std::uint64_t *dst, std::uint64_t *v)
{
    const int P = s.parole;
    const int H = s.altezza;
    const std::size_t riga = static_cast<std::size_t>(P);
    if (H == 0 || P == 0)
        return;
    std::memcpy(dst, src, riga * sizeof(std::uint64_t));
    if (H > 1)
        std::memcpy(dst + indice(H - 1, P), src + indice(H - 1, P), riga * sizeof(std::uint64_t));
    const std::uint64_t *interno = s.interno.data();
    v[0] = 0;
    v[P + 1] = 0;
    for (int r = 1; r <= H - 2; ++r) {
        const std::uint64_t *a = src + indice(r - 1, P);
        const std::uint64_t *b = a + P;
        const std::uint64_t *c = b + P;
        std::uint64_t *d = dst + indice(r, P);
        for (int k = 0; k < P; ++k)
            v[k + 1] = Erosione ? (a[k] & b[k] & c[k]) : (a[k] | b[k] | c[k]);
        for (int k = 0; k < P; ++k) {
            const std::uint64_t sinistra = (v[k + 1] << 1) | (v[k] >> 63); // bit x: value at x - 1
            std::uint64_t nuovo;
            if constexpr (Erosione) {
                const std::uint64_t destra = (v[k + 1] >> 1) | (v[k + 2] << 63);
                nuovo = v[k + 1] & sinistra & destra;
            } else {
                nuovo = sinistra;
            }
            d[k] = (nuovo & interno[k]) | (b[k] & ~interno[k]);
        }
    }
}

template<bool Erosione>
void ripeti(SpazioRilevamento &s, int volte)
{
    for (int i = 0; i < volte; ++i) {
        operazione<Erosione>(s, s.maschera.data(), s.lavoro.data(), s.rigaTemp.data());
        std::swap(s.maschera, s.lavoro);
    }
}

struct Corsa
{
    int conteggio = 0;
    int inizio = 0;
    double lunghezza = 0.0;
    double area = 0.0;
};

void scansione(const StatoRilevamento &det, const MetricGrid &griglia, int fotogramma, double tempo,
               TextList &veicoliAtt, SpazioRilevamento &s)
{
    const LimitiScansione lim = limitiScansione(det, griglia);
    const int h = semibanda(det);
    if (det.ColonnaArea1 <= det.ColonnaArea2)
        verificaAsse(det);
    Corsa corse[2];
    int *pre = s.prefisso.data();
    const int P = s.parole;
    for (int x = lim.primaColonna / 3; x <= lim.ultimaColonna / 3 && lim.primaColonna <= lim.ultimaColonna; ++x) {
        const int c0 = std::max(3 * x, lim.primaColonna);
        const int c1 = std::min(3 * x + 2, lim.ultimaColonna);
        int r0[3];
        int rmin = 0;
        int rmax = 0;
        for (int c = c0; c <= c1; ++c) {
            r0[c - c0] = rigaAsse(det, c);
            rmin = c == c0 ? r0[0] : std::min(rmin, r0[c - c0]);
            rmax = c == c0 ? r0[0] : std::max(rmax, r0[c - c0]);
        }
        // Prefix counts of this pixel column over every row its byte columns test.
        const int lo = std::max(rmin - h, 0);
        const int hi = std::min(rmax + h, lim.righe - 1);
        if (lo <= hi) {
            const std::uint64_t *col = s.maschera.data() + (x >> 6);
            const int bit = x & 63;
            int n = 0;
            pre[0] = 0;
            for (int r = lo; r <= hi; ++r) {
                n += static_cast<int>((col[indice(r, P)] >> bit) & 1U);
                pre[r - lo + 1] = n;
            }
        }
        for (int c = c0; c <= c1; ++c) {
            const int ra = r0[c - c0];
            for (int arco = 0; arco < 2; ++arco) {
                const int da = std::max(arco == 0 ? ra - h : ra, lo);
                const int a = std::min(arco == 0 ? ra : ra + h, hi);
                const int conteggio = da <= a ? pre[a - lo + 1] - pre[da - lo] : 0;
                const bool occupato = conteggio >= det.SogliaConteggio;
                Corsa &corsa = corse[arco];
                if (occupato && corsa.conteggio > 0) {
                    ++corsa.conteggio;
                    const int rg = lim.rigaGriglia(ra);
                    corsa.lunghezza = griglia.at(rg, x, 0) - griglia.at(rg, corsa.inizio / 3, 0);
                    const double larghezza = arco == 0
                                                 ? griglia.at(rg, x, 1) - griglia.at(lim.rigaGriglia(ra - h), x, 1)
                                                 : griglia.at(lim.rigaGriglia(ra + h), x, 1) - griglia.at(rg, x, 1);
                    corsa.area = std::fabs(larghezza) * corsa.lunghezza;
                } else if (occupato) {
                    corsa = Corsa{1, c, 0.0, 0.0};
                }
                if (!occupato && corsa.conteggio > 0) {
                    if (corsa.lunghezza >= det.LunghezzaMin && corsa.area >= det.AreaVeicolo)
                        appendRecord(veicoliAtt,
                                     makeRecord(kNumeroProvvisorio, arco == 0 ? kArcoSuperiore : kArcoInferiore,
                                                corsa.inizio, c, corsa.lunghezza, corsa.area, fotogramma, tempo));
                    corsa = Corsa{};
                }
            }
        }
    }
}

void verificaDimensioni(const StatoRilevamento &det, const RgbImage &frame, int fotogramma)
{
    if (frame.height != det.AltezzaImmagine || frame.rowBytes() != det.LarghezzaRiga ||
        det.MediaSfondo.data.size() != frame.pixels.size())
        throw RefusalError("Il fotogramma " + std::to_string(fotogramma) + " non ha la dimensione dello sfondo (" +
                           std::to_string(det.LarghezzaRiga / 3) + " x " + std::to_string(det.AltezzaImmagine) + ").");
}

} // namespace

void calcolaMaschera(const StatoRilevamento &det, const RgbImage &frame, int superiore, int inferiore,
                     SpazioRilevamento &s)
{
    verificaDimensioni(det, frame, 0);
    dimensiona(s, det);
    preparaSoglie(s, det, superiore, inferiore);
    const int rb = det.LarghezzaRiga;
    for (int r = 0; r < s.altezza; ++r) {
        const std::size_t o = static_cast<std::size_t>(r) * static_cast<std::size_t>(rb);
        classificaRiga(frame.row(r), s.minimo.data() + o, s.massimo.data() + o, s.larghezza,
                       s.maschera.data() + indice(r, s.parole));
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
