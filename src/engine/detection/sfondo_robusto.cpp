// SPDX-License-Identifier: GPL-3.0-or-later
#include "detection/sfondo_robusto.hpp"

#include "common/errors.hpp"
#include "common/frame_interval.hpp"
#include "detection/regole_robuste.hpp"

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

int sampleBrightnessOffset(const RgbImage &fotogramma, const MatriceInteri &sfondo)
{
    std::vector<int> scarti;
    const int byteRiga = fotogramma.rowBytes();
    for (int y = 0; y < fotogramma.height; y += kPassoRigheLuce)
        for (int x = 0; x < fotogramma.width; x += kPassoColonneLuce)
            for (int c = 0; c < 3; ++c) {
                const std::size_t i = static_cast<std::size_t>(y) * static_cast<std::size_t>(byteRiga)
                    + static_cast<std::size_t>(3 * x + c);
                scarti.push_back(static_cast<int>(fotogramma.pixels[i]) - sfondo.data[i]);
            }
    if (scarti.empty())
        return 0;
    const auto meta = scarti.begin() + static_cast<std::ptrdiff_t>((scarti.size() - 1) / 2);
    std::nth_element(scarti.begin(), meta, scarti.end());
    return boundedOffset(*meta, true);
}

MatriceInteri pixelMedianOfFrames(const std::vector<RgbImage> &fotogrammi)
{
    MatriceInteri m;
    if (fotogrammi.empty())
        return m;
    verificaUguali(fotogrammi);
    const RgbImage &primo = fotogrammi.front();
    m.resize(primo.height, primo.rowBytes());
    const std::size_t n = fotogrammi.size();
    const std::size_t rango = (n - 1) / 2;
    // Per pixel: the sums counted by value (at most 766 distinct), the rank
    // found by a running count, then the first frame with that sum.
    std::vector<std::uint16_t> somme(n);
    std::array<std::uint16_t, 766> conteggio {};
    const std::size_t pixel = primo.pixels.size() / 3;
    for (std::size_t p = 0; p < pixel; ++p) {
        for (std::size_t k = 0; k < n; ++k) {
            const std::uint8_t *q = fotogrammi[k].pixels.data() + 3 * p;
            somme[k] = static_cast<std::uint16_t>(q[0] + q[1] + q[2]);
            ++conteggio[somme[k]];
        }
        std::size_t visti = 0;
        int mediana = 0;
        for (int v = 0; v < 766; ++v) {
            visti += conteggio[static_cast<std::size_t>(v)];
            if (visti > rango) {
                mediana = v;
                break;
            }
        }
        for (std::size_t k = 0; k < n; ++k)
            conteggio[somme[k]] = 0;
        const std::size_t scelto
            = static_cast<std::size_t>(std::find(somme.begin(), somme.end(), mediana) - somme.begin());
        const std::uint8_t *q = fotogrammi[scelto].pixels.data() + 3 * p;
        for (std::size_t c = 0; c < 3; ++c)
            m.data[3 * p + c] = q[c];
    }
    return m;
}

MatriceInteri leveledMedianOfFrames(std::vector<RgbImage> &fotogrammi)
{
    const MatriceInteri m = medianOfFrames(fotogrammi);
    if (m.data.empty())
        return m;
    for (RgbImage &f : fotogrammi) {
        const int scarto = sampleBrightnessOffset(f, m);
        if (scarto == 0)
            continue;
        for (std::uint8_t &v : f.pixels)
            v = static_cast<std::uint8_t>(std::clamp(static_cast<int>(v) - scarto, 0, 255));
    }
    return pixelMedianOfFrames(fotogrammi);
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
    return leveledMedianOfFrames(campioni);
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

MatriceInteri pixelMedianOfFrames(const std::vector<RgbImage> &fotogrammi)
{
    MatriceInteri m;
    if (fotogrammi.empty())
        return m;
    verificaUguali(fotogrammi);
    m.resize(fotogrammi.front().height, fotogrammi.front().rowBytes());
    std::vector<std::pair<int, std::size_t>> somme(fotogrammi.size());
    for (std::size_t p = 0; 3 * p < m.data.size(); ++p) {
        for (std::size_t k = 0; k < fotogrammi.size(); ++k) {
            const std::uint8_t *q = fotogrammi[k].pixels.data() + 3 * p;
            somme[k] = {q[0] + q[1] + q[2], k};
        }
        std::sort(somme.begin(), somme.end());
        const int mediana = somme[(somme.size() - 1) / 2].first;
        // The first frame in frame order with the median's sum.
        std::size_t scelto = fotogrammi.size();
        for (const auto &[somma, k] : somme)
            if (somma == mediana)
                scelto = std::min(scelto, k);
        for (std::size_t c = 0; c < 3; ++c)
            m.data[3 * p + c] = fotogrammi[scelto].pixels[3 * p + c];
    }
    return m;
}

} // namespace riferimento

} // namespace kalvor
