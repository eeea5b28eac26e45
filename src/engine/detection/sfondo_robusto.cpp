// SPDX-License-Identifier: GPL-3.0-or-later
#include "detection/sfondo_robusto.hpp"

#include "common/errors.hpp"
#include "common/frame_interval.hpp"

#include <algorithm>
#include <array>
#include <string>

namespace kalvor {

int backgroundSampleCount(std::int64_t fotogrammi, std::int64_t byteFotogramma)
{
    std::int64_t n = std::min<std::int64_t>(fotogrammi, kMaxCampioniSfondo);
    if (byteFotogramma > 0)
        n = std::min(n, kMemoriaCampioniSfondo / byteFotogramma);
    // An odd count leaves no tie between two middle values.
    if (n > 1 && n % 2 == 0)
        --n;
    return static_cast<int>(std::max<std::int64_t>(n, 1));
}

int backgroundSampleFrame(int a, int b, int n, int i)
{
    if (n <= 1)
        return a;
    const std::int64_t span = std::int64_t {b} - a;
    return static_cast<int>(a + span * i / (n - 1));
}

namespace {

// Bytes per tile: the tile of every sampled frame stays in the cache while
// the median is selected.
constexpr std::size_t kTessera = 2048;

// The median of each byte of one whole tile, bit by bit from the highest: the
// largest value m with at most `rango` samples below m is the sample of that
// rank. Loops of a fixed length that the compiler turns into vector code.
void medianaTessera(const std::vector<const std::uint8_t *> &tessere, int rango, std::int32_t *uscita, std::size_t n)
{
    std::array<std::uint8_t, kTessera> m {};
    std::array<std::uint8_t, kTessera> prova {};
    std::array<std::uint8_t, kTessera> sotto {};
    for (int bit = 7; bit >= 0; --bit) {
        const auto peso = static_cast<std::uint8_t>(1U << bit);
        for (std::size_t j = 0; j < kTessera; ++j) {
            prova[j] = static_cast<std::uint8_t>(m[j] | peso);
            sotto[j] = 0;
        }
        for (const std::uint8_t *q : tessere)
            for (std::size_t j = 0; j < kTessera; ++j)
                sotto[j] = static_cast<std::uint8_t>(sotto[j] + (q[j] < prova[j] ? 1 : 0));
        const auto r = static_cast<std::uint8_t>(rango);
        for (std::size_t j = 0; j < kTessera; ++j)
            m[j] = sotto[j] <= r ? prova[j] : m[j];
    }
    for (std::size_t j = 0; j < n; ++j)
        uscita[j] = m[j];
}

void verificaUguali(const std::vector<RgbImage> &fotogrammi)
{
    for (const RgbImage &f : fotogrammi)
        if (f.width != fotogrammi.front().width || f.height != fotogrammi.front().height)
            throw RefusalError("I fotogrammi dello sfondo hanno dimensioni diverse.");
}

} // namespace

MatriceInteri medianOfFrames(const std::vector<RgbImage> &fotogrammi)
{
    MatriceInteri m;
    if (fotogrammi.empty())
        return m;
    verificaUguali(fotogrammi);
    const RgbImage &primo = fotogrammi.front();
    m.resize(primo.height, primo.rowBytes());
    // The counts are bytes: at most 255 samples below any value.
    if (fotogrammi.size() > 255)
        return riferimento::medianOfFrames(fotogrammi);
    const int rango = static_cast<int>((fotogrammi.size() - 1) / 2);
    const std::size_t totale = primo.pixels.size();
    std::vector<const std::uint8_t *> tessere(fotogrammi.size());
    // The last, partial tile is read from zero-padded copies.
    std::vector<std::uint8_t> coda(fotogrammi.size() * kTessera, 0);
    for (std::size_t da = 0; da < totale; da += kTessera) {
        const std::size_t n = std::min(kTessera, totale - da);
        for (std::size_t k = 0; k < fotogrammi.size(); ++k) {
            const std::uint8_t *p = fotogrammi[k].pixels.data() + da;
            if (n < kTessera) {
                std::copy(p, p + n, coda.data() + k * kTessera);
                p = coda.data() + k * kTessera;
            }
            tessere[k] = p;
        }
        medianaTessera(tessere, rango, m.data.data() + da, n);
    }
    return m;
}

MatriceInteri robustBackgroundOf(const std::function<RgbImage(int n)> &fotogramma, int a, int b)
{
    const FrameInterval intervallo {a, b};
    if (intervallo.empty())
        throw RefusalError("Il fotogramma finale " + std::to_string(b) + " precede il fotogramma iniziale "
                           + std::to_string(a) + ".");
    std::vector<RgbImage> campioni;
    campioni.push_back(fotogramma(a));
    const int n = backgroundSampleCount(intervallo.count(), static_cast<std::int64_t>(campioni[0].pixels.size()));
    for (int i = 1; i < n; ++i) {
        const int numero = backgroundSampleFrame(a, b, n, i);
        campioni.push_back(fotogramma(numero));
        if (campioni.back().width != campioni[0].width || campioni.back().height != campioni[0].height)
            throw RefusalError("Il fotogramma " + std::to_string(numero) + " ha una dimensione diversa dal primo ("
                               + std::to_string(campioni[0].width) + " x " + std::to_string(campioni[0].height) + ").");
    }
    return medianOfFrames(campioni);
}

namespace riferimento {

MatriceInteri medianOfFrames(const std::vector<RgbImage> &fotogrammi)
{
    MatriceInteri m;
    if (fotogrammi.empty())
        return m;
    verificaUguali(fotogrammi);
    m.resize(fotogrammi.front().height, fotogrammi.front().rowBytes());
    std::vector<int> valori(fotogrammi.size());
    for (std::size_t i = 0; i < m.data.size(); ++i) {
        for (std::size_t k = 0; k < fotogrammi.size(); ++k)
            valori[k] = fotogrammi[k].pixels[i];
        std::sort(valori.begin(), valori.end());
        m.data[i] = valori[(valori.size() - 1) / 2];
    }
    return m;
}

} // namespace riferimento

} // namespace kalvor
