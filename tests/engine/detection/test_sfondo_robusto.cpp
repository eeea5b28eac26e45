// SPDX-License-Identifier: GPL-3.0-or-later
// The median background: its sample, its value against the sorted
// definition, and what it removes that the mean keeps.
#include "common/errors.hpp"
#include "detection/sfondo.hpp"
#include "detection/sfondo_robusto.hpp"
#include "extraction/frame_file.hpp"
#include "extraction/png_io.hpp"
#include "scene/strada_sintetica.hpp"
#include "support/scoped_number_format.hpp"
#include "support/temp_dir.hpp"

#include <gtest/gtest.h>

#include <random>
#include <vector>

using namespace kalvor;

namespace {

RgbImage pieno(int w, int h, std::uint8_t v)
{
    RgbImage img(w, h);
    std::fill(img.pixels.begin(), img.pixels.end(), v);
    return img;
}

std::vector<std::int32_t> byteDi(const RgbImage &img)
{
    return {img.pixels.begin(), img.pixels.end()};
}

} // namespace

TEST(SfondoRobusto, QuantiFotogrammiCampionati)
{
    struct Caso
    {
        std::int64_t fotogrammi;
        std::int64_t byteFotogramma;
        int attesi;
    };
    for (const Caso c :
         {Caso {1, 921600, 1}, Caso {5, 921600, 5}, Caso {6, 921600, 5}, Caso {200, 921600, 31},
          Caso {3000000, 921600, 31}, Caso {200, 20000000, 13}, Caso {200, 100000000, 1}, Caso {200, 1000000000, 1}})
        EXPECT_EQ(backgroundSampleCount(c.fotogrammi, c.byteFotogramma), c.attesi)
            << c.fotogrammi << " fotogrammi di " << c.byteFotogramma << " byte";
}

TEST(SfondoRobusto, FotogrammiCampionatiEquidistanti)
{
    struct Caso
    {
        int a, b, n, i, atteso;
    };
    for (const Caso c :
         {Caso {0, 200, 31, 0, 0}, Caso {0, 200, 31, 1, 6}, Caso {0, 200, 31, 15, 100}, Caso {0, 200, 31, 30, 200},
          Caso {10, 14, 5, 3, 13}, Caso {7, 7, 1, 0, 7}, Caso {-2147483647 - 1, 2147483647, 3, 1, -1},
          Caso {-2147483647 - 1, 2147483647, 3, 2, 2147483647}})
        EXPECT_EQ(backgroundSampleFrame(c.a, c.b, c.n, c.i), c.atteso)
            << c.a << ".." << c.b << " n " << c.n << " i " << c.i;
}

TEST(SfondoRobusto, MedianaDiEsempi)
{
    // Odd count: the middle value; even count: the lower of the two middle ones.
    const std::vector<RgbImage> tre {pieno(1, 1, 10), pieno(1, 1, 200), pieno(1, 1, 30)};
    EXPECT_EQ(medianOfFrames(tre).data, std::vector<std::int32_t>(3, 30));
    const std::vector<RgbImage> quattro {pieno(2, 1, 5), pieno(2, 1, 1), pieno(2, 1, 9), pieno(2, 1, 7)};
    EXPECT_EQ(medianOfFrames(quattro).data, std::vector<std::int32_t>(6, 5));
    const std::vector<RgbImage> estremi {pieno(1, 1, 255), pieno(1, 1, 0), pieno(1, 1, 255)};
    EXPECT_EQ(medianOfFrames(estremi).data, std::vector<std::int32_t>(3, 255));
    EXPECT_TRUE(medianOfFrames({}).empty());
    EXPECT_THROW(medianOfFrames({pieno(2, 1, 0), pieno(1, 2, 0)}), RefusalError);
}

TEST(SfondoRobusto, MedianaUgualeAllaDefinizione)
{
    // Sizes that leave a partial tile, counts up to the bound and beyond the
    // byte counters, values clustered so that ties are frequent.
    std::mt19937 g(31);
    for (int caso = 0; caso < 40; ++caso) {
        const int w = 1 + static_cast<int>(g() % 50);
        const int h = 1 + static_cast<int>(g() % 40);
        const int n = caso == 39 ? 300 : 1 + static_cast<int>(g() % 40);
        const int ampiezza = caso % 3 == 0 ? 4 : 256;
        std::vector<RgbImage> fotogrammi;
        for (int k = 0; k < n; ++k) {
            RgbImage img(w, h);
            for (auto &b : img.pixels)
                b = static_cast<std::uint8_t>(caso % 3 == 0 ? 250 + g() % ampiezza : g() % ampiezza);
            fotogrammi.push_back(std::move(img));
        }
        ASSERT_EQ(medianOfFrames(fotogrammi).data, riferimento::medianOfFrames(fotogrammi).data) << "caso " << caso;
    }
}

TEST(SfondoRobusto, MedianaPerPixelDiEsempi)
{
    // Road three times, a yellow car three times, a dark car once: by byte
    // the blue median is the car's 36, a ghost beside the road's red and
    // green; by the pixel's sum the road's three bytes together.
    RgbImage strada(1, 1), giallo(1, 1), scuro(1, 1);
    strada.pixels = {90, 90, 90};
    giallo.pixels = {210, 185, 36};
    scuro.pixels = {15, 14, 17};
    const std::vector<RgbImage> f {giallo, strada, scuro, giallo, strada, giallo, strada};
    EXPECT_EQ(medianOfFrames(f).data, (std::vector<std::int32_t> {90, 90, 36}));
    EXPECT_EQ(pixelMedianOfFrames(f).data, (std::vector<std::int32_t> {90, 90, 90}));

    // Equal sums: the first frame's bytes; even count: the lower middle sum.
    RgbImage a(1, 1), b(1, 1), c(1, 1), d(1, 1);
    a.pixels = {10, 20, 30};
    b.pixels = {30, 20, 10};
    c.pixels = {0, 0, 0};
    d.pixels = {255, 255, 255};
    EXPECT_EQ(pixelMedianOfFrames({d, b, a}).data, (std::vector<std::int32_t> {30, 20, 10}));
    EXPECT_EQ(pixelMedianOfFrames({d, a, c, b}).data, (std::vector<std::int32_t> {10, 20, 30}));
    EXPECT_TRUE(pixelMedianOfFrames({}).empty());
    EXPECT_THROW(pixelMedianOfFrames({pieno(2, 1, 0), pieno(1, 2, 0)}), RefusalError);
}

TEST(SfondoRobusto, MedianaPerPixelUgualeAllaDefinizione)
{
    std::mt19937 g(57);
    for (int caso = 0; caso < 40; ++caso) {
        const int w = 1 + static_cast<int>(g() % 30);
        const int h = 1 + static_cast<int>(g() % 20);
        const int n = caso == 39 ? 300 : 1 + static_cast<int>(g() % 40);
        // Few values: many equal sums from different bytes.
        const int ampiezza = caso % 3 == 0 ? 3 : 256;
        std::vector<RgbImage> fotogrammi;
        for (int k = 0; k < n; ++k) {
            RgbImage img(w, h);
            for (auto &b : img.pixels)
                b = static_cast<std::uint8_t>(caso % 3 == 0 ? 253 * (g() % 2) + g() % ampiezza : g() % ampiezza);
            fotogrammi.push_back(std::move(img));
        }
        ASSERT_EQ(pixelMedianOfFrames(fotogrammi).data, riferimento::pixelMedianOfFrames(fotogrammi).data)
            << "caso " << caso;
    }
}

namespace {

// The light falls by one level a frame (100 to 70); a yellow car stands on a
// 2 x 2 spot in 11 of the 31 frames, dark cars pass over it in 5 more.
RgbImage fermoGialloConLuceCheCala(int n)
{
    RgbImage img(12, 8);
    std::fill(img.pixels.begin(), img.pixels.end(), static_cast<std::uint8_t>(100 - n));
    for (int y = 4; y < 6; ++y)
        for (int x = 6; x < 8; ++x) {
            std::uint8_t *p = img.pixels.data() + 3 * (y * 12 + x);
            if (n >= 5 && n <= 15) {
                p[0] = 200;
                p[1] = 180;
                p[2] = 40;
            } else if (n >= 20 && n <= 24) {
                p[0] = p[1] = p[2] = 20;
            }
        }
    return img;
}

} // namespace

TEST(SfondoRobusto, FermoGialloConLuceCheCalaNonLasciaFantasmi)
{
    // Leveled, the road reads 85 in every frame; by the pixel's sum the spot
    // is road too (by byte its blue was the cars').
    EXPECT_EQ(robustBackgroundOf(fermoGialloConLuceCheCala, 0, 30).data, std::vector<std::int32_t>(3 * 12 * 8, 85));
}

TEST(SfondoRobusto, CalcolaMediaDaiFileComeLoSfondoRobusto)
{
    // The screens' "Calc. Media" reads the same frames from files and must
    // give the same background as the one the detection is measured with.
    kalvor::testing::ScopedNumberFormat comma {NumberFormat::comma()};
    kalvor::testing::TempDir dir;
    for (int n = 0; n <= 30; ++n)
        writePng(frameFileName(dir.path(), n), fermoGialloConLuceCheCala(n));
    CampiRilevamento campi;
    campi.ImmagineFinale = "30";
    campi.Profilo = ProfiloRilevamento::Robusto;
    StatoRilevamento det;
    computeBackground(det, campi, TextList {"1", "0", "2", "11", "0", "0", "3", "0"}, dir.path(),
                      BackgroundFor::Captazione);
    EXPECT_EQ(det.MediaSfondo.data, std::vector<std::int32_t>(3 * 12 * 8, 85));
    EXPECT_EQ(det.NumeroFotogrammiMedia, 31);
}

TEST(SfondoRobusto, VeicoloFermoNonLasciaFantasmi)
{
    // A vehicle stands for 40 of 101 frames, then leaves: the median is the
    // empty road, the mean keeps a ghost of it.
    const RgbImage strada = scene::sfondoStrada(96, 64, 3);
    const RgbImage fermo = scene::fotogrammaStrada(strada, {{20, 20, 30, 16}}, 0, 1);
    std::vector<int> letti;
    const auto fotogramma = [&](int n) {
        letti.push_back(n);
        return n < 40 ? fermo : strada;
    };
    const MatriceInteri sfondo = robustBackgroundOf(fotogramma, 0, 100);
    EXPECT_EQ(sfondo.rows, 64);
    EXPECT_EQ(sfondo.cols, 3 * 96);
    EXPECT_EQ(sfondo.data, byteDi(strada));
    ASSERT_EQ(letti.size(), 31U);
    EXPECT_EQ(letti.front(), 0);
    EXPECT_EQ(letti[1], 3);
    EXPECT_EQ(letti.back(), 100);
}

TEST(SfondoRobusto, IntervalliEDimensioniRifiutati)
{
    const auto uguale = [](int) { return pieno(4, 3, 7); };
    EXPECT_THROW(robustBackgroundOf(uguale, 5, 4), RefusalError);
    EXPECT_EQ(robustBackgroundOf(uguale, 5, 5).data, std::vector<std::int32_t>(36, 7));
    const auto diverso = [](int n) { return n == 2 ? pieno(4, 4, 7) : pieno(4, 3, 7); };
    EXPECT_THROW(robustBackgroundOf(diverso, 0, 4), RefusalError);
}

TEST(SfondoRobusto, CalcolaMediaConProfiloRobusto)
{
    // Five PNG files, a vehicle in two of them: the robust profile gives the
    // empty road from the files, the default the mean with its ghost.
    kalvor::testing::ScopedNumberFormat comma {NumberFormat::comma()};
    kalvor::testing::TempDir dir;
    for (int n = 0; n < 5; ++n)
        writePng(frameFileName(dir.path(), n), n == 1 || n == 2 ? pieno(8, 4, 250) : pieno(8, 4, 10));
    const TextList punti {"1", "0", "2", "7", "0", "0", "3", "0"};
    CampiRilevamento campi;
    campi.ImmagineFinale = "4";
    campi.Profilo = ProfiloRilevamento::Robusto;
    StatoRilevamento det;
    std::vector<int> mostrati;
    computeBackground(det, campi, punti, dir.path(), BackgroundFor::Calibrazione,
                      [&](int n, const RgbImage &) { mostrati.push_back(n); });
    EXPECT_EQ(det.MediaSfondo.data, std::vector<std::int32_t>(96, 10));
    EXPECT_EQ(det.NumeroFotogrammiMedia, 5);
    EXPECT_EQ(det.Profilo, ProfiloRilevamento::Robusto);
    EXPECT_EQ(mostrati, (std::vector<int> {0, 1, 2, 3, 4}));
    EXPECT_EQ(det.MatriceDifferenza.data.size(), 96U);
    EXPECT_EQ(det.DislivelloArea, 3);

    campi.Profilo = ProfiloRilevamento::Predefinito;
    StatoRilevamento media;
    computeBackground(media, campi, punti, dir.path(), BackgroundFor::Calibrazione);
    EXPECT_EQ(media.MediaSfondo.data, std::vector<std::int32_t>(96, (3 * 10 + 2 * 250) / 5));

    // A missing sampled file discards the background.
    campi.Profilo = ProfiloRilevamento::Robusto;
    campi.ImmagineFinale = "6";
    EXPECT_THROW(computeBackground(det, campi, punti, dir.path(), BackgroundFor::Calibrazione), Error);
    EXPECT_TRUE(det.MediaSfondo.empty());
}
