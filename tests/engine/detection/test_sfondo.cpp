// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/errors.hpp"
#include "detection/sfondo.hpp"
#include "extraction/frame_file.hpp"
#include "extraction/png_io.hpp"
#include "scene/strada_sintetica.hpp"
#include "support/scoped_number_format.hpp"
#include "support/temp_dir.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

using namespace kalvor;

namespace {

RgbImage pieno(int w, int h, std::uint8_t v)
{
    RgbImage img(w, h);
    std::fill(img.pixels.begin(), img.pixels.end(), v);
    return img;
}

const TextList kPunti {"10", "2", "12", "20", "5", "0", "15", "0"};

class SfondoTest : public ::testing::Test
{
protected:
    kalvor::testing::ScopedNumberFormat comma {NumberFormat::comma()};
    kalvor::testing::TempDir dir;
    CampiRilevamento campi;
    StatoRilevamento det;

    void scrivi(int n, const RgbImage &img) { writePng(frameFileName(dir.path(), n), img); }
};

} // namespace

TEST_F(SfondoTest, ParametriEGeometriaLetti)
{
    scrivi(0, pieno(8, 4, 10));
    campi.ImmagineFinale = "0";
    campi.AreaVeicoloTXT = "4,5";
    campi.LunghezzaMinTXT = "2";
    campi.VariazionePosTXT = "50,25";
    computeBackground(det, campi, kPunti, dir.path(), BackgroundFor::Calibrazione);
    EXPECT_EQ(det.AltezzaImmagine, 4);
    EXPECT_EQ(det.LarghezzaRiga, 24);
    EXPECT_EQ(det.NumeroFotogrammiMedia, 1);
    EXPECT_EQ(det.SogliaConteggio, 1);
    EXPECT_DOUBLE_EQ(det.AreaVeicolo, 4.5);
    EXPECT_DOUBLE_EQ(det.VariazionePos, 50.25);
    EXPECT_DOUBLE_EQ(det.LunghezzaMin, 2.0);
    EXPECT_EQ(det.RigaArea1, 10);
    EXPECT_EQ(det.ColonnaArea1, 6);
    EXPECT_EQ(det.RigaArea2, 12);
    EXPECT_EQ(det.ColonnaArea2, 60);
    EXPECT_EQ(det.DislivelloArea, 10);
    EXPECT_EQ(det.MatriceDifferenza.rows, 4);
    EXPECT_EQ(det.MatriceDifferenza.cols, 24);
}

TEST_F(SfondoTest, CasiLimiteDellaMedia)
{
    struct Caso
    {
        const char *nome;
        std::vector<std::uint8_t> valori; // one flat frame per value, frames 0..
        std::int32_t atteso;
    };
    const std::vector<Caso> casi = {
        {"a = b: the frame itself", {77}, 77},
        {"255 everywhere", {255, 255, 255, 255}, 255},
        {"0 and 255 alternating over two frames", {0, 255}, 127},
        {"rounded down", {1, 1, 2}, 1},
        {"three frames", {10, 20, 31}, 20},
    };
    for (const Caso &c : casi) {
        for (std::size_t n = 0; n < c.valori.size(); ++n)
            scrivi(static_cast<int>(n), pieno(5, 3, c.valori[n]));
        campi.ImmagineIniziale = "0";
        campi.ImmagineFinale = std::to_string(c.valori.size() - 1);
        computeBackground(det, campi, kPunti, dir.path(), BackgroundFor::Captazione);
        ASSERT_EQ(det.MediaSfondo.data.size(), 45U) << c.nome;
        for (const auto v : det.MediaSfondo.data)
            ASSERT_EQ(v, c.atteso) << c.nome;
        EXPECT_EQ(det.NumeroFotogrammiMedia, static_cast<int>(c.valori.size())) << c.nome;
    }
}

TEST_F(SfondoTest, PrimoFileConZeriIniziali)
{
    // "007" names the first file as typed; later files are "8.png", "9.png".
    writePng(dir.file("007.png"), pieno(4, 2, 30));
    scrivi(8, pieno(4, 2, 60));
    scrivi(9, pieno(4, 2, 90));
    scrivi(7, pieno(4, 2, 255)); // must not be read
    campi.ImmagineIniziale = "007";
    campi.ImmagineFinale = "9";
    std::vector<int> visti;
    computeBackground(det, campi, kPunti, dir.path(), BackgroundFor::Calibrazione,
                      [&](int n, const RgbImage &) { visti.push_back(n); });
    EXPECT_EQ(det.MediaSfondo.at(0, 0), 60);
    EXPECT_EQ(visti, (std::vector<int> {7, 8, 9}));
    EXPECT_EQ(det.PrimoFotogramma, 7);
    EXPECT_EQ(det.UltimoFotogramma, 9);
}

TEST_F(SfondoTest, SoloLaCalibrazioneTieneLIntervallo)
{
    scrivi(3, pieno(4, 2, 1));
    scrivi(4, pieno(4, 2, 1));
    campi.ImmagineIniziale = "3";
    campi.ImmagineFinale = "4";
    computeBackground(det, campi, kPunti, dir.path(), BackgroundFor::Captazione);
    EXPECT_EQ(det.PrimoFotogramma, 0);
    EXPECT_EQ(det.UltimoFotogramma, 0);
}

TEST_F(SfondoTest, StessoRisultatoDellaMediaSemplice)
{
    const RgbImage base = kalvor::scene::sfondoStrada(70, 33, 5);
    for (int n = 0; n <= 20; ++n)
        scrivi(n, kalvor::scene::fotogrammaStrada(base, {{n * 3, 5, 10, 8}}, 9, static_cast<std::uint32_t>(n)));
    campi.ImmagineFinale = "20";
    computeBackground(det, campi, kPunti, dir.path(), BackgroundFor::Calibrazione);
    EXPECT_EQ(det.MediaSfondo.data, referenceBackgroundMean(dir.path(), "0", 0, 20).data);
}

TEST_F(SfondoTest, RifiutiEFallimenti)
{
    scrivi(0, pieno(4, 2, 10));
    scrivi(1, pieno(4, 2, 10));
    campi.ImmagineFinale = "1";
    computeBackground(det, campi, kPunti, dir.path(), BackgroundFor::Calibrazione);
    const auto generazione = det.GenerazioneSfondo;
    ASSERT_FALSE(det.MediaSfondo.empty());

    // Last before first: refused, nothing changed.
    campi.ImmagineIniziale = "1";
    campi.ImmagineFinale = "0";
    EXPECT_THROW(computeBackground(det, campi, kPunti, dir.path(), BackgroundFor::Calibrazione), RefusalError);
    EXPECT_FALSE(det.MediaSfondo.empty());
    // Not an integer: the state stays.
    campi.ImmagineFinale = "x";
    EXPECT_THROW(computeBackground(det, campi, kPunti, dir.path(), BackgroundFor::Calibrazione), ConversionError);
    EXPECT_FALSE(det.MediaSfondo.empty());
    EXPECT_EQ(det.GenerazioneSfondo, generazione);

    // A frame of another size, a missing file, a short area list: no half background left.
    struct Caso
    {
        const char *fine;
        TextList punti;
        bool rifiuto;
    };
    for (const Caso &c :
         {Caso {"2", kPunti, true}, Caso {"5", kPunti, false}, Caso {"1", TextList {"1", "2"}, false}}) {
        scrivi(0, pieno(4, 2, 10));
        std::filesystem::remove(frameFileName(dir.path(), 2));
        if (c.rifiuto)
            scrivi(2, pieno(5, 2, 10));
        campi.ImmagineIniziale = "0";
        campi.ImmagineFinale = "1";
        computeBackground(det, campi, kPunti, dir.path(), BackgroundFor::Calibrazione);
        ASSERT_FALSE(det.MediaSfondo.empty());
        campi.ImmagineFinale = c.fine;
        try {
            computeBackground(det, campi, c.punti, dir.path(), BackgroundFor::Calibrazione);
            ADD_FAILURE() << c.fine;
        } catch (const RefusalError &) {
            EXPECT_TRUE(c.rifiuto) << c.fine;
        } catch (const Error &) {
            EXPECT_FALSE(c.rifiuto) << c.fine;
        }
        EXPECT_TRUE(det.MediaSfondo.empty()) << c.fine;
    }
}

TEST_F(SfondoTest, IntervalliAgliEstremiDegliInteri)
{
    // -1..2147483647 once overflowed the frame count and waited for ever.
    scrivi(-1, pieno(4, 2, 10));
    scrivi(0, pieno(4, 2, 10));
    struct Caso
    {
        const char *inizio, *fine, *messaggio;
    };
    for (const Caso &c : {Caso {"-1", "2147483647",
                                "L'intervallo da -1 a 2147483647 conta 2147483649 fotogrammi: la media ne ammette al "
                                "massimo 8421504."},
                          Caso {"-2147483648", "60",
                                "L'intervallo da -2147483648 a 60 conta 2147483709 fotogrammi: la media ne ammette "
                                "al massimo 8421504."}}) {
        campi.ImmagineIniziale = c.inizio;
        campi.ImmagineFinale = c.fine;
        try {
            computeBackground(det, campi, kPunti, dir.path(), BackgroundFor::Calibrazione);
            ADD_FAILURE() << c.inizio;
        } catch (const RefusalError &e) {
            EXPECT_STREQ(e.what(), c.messaggio);
        }
    }
    // At the top of the range the last frame is reached and the loop ends.
    scrivi(2147483646, pieno(4, 2, 10));
    scrivi(2147483647, pieno(4, 2, 40));
    campi.ImmagineIniziale = "2147483646";
    campi.ImmagineFinale = "2147483647";
    computeBackground(det, campi, kPunti, dir.path(), BackgroundFor::Calibrazione);
    EXPECT_EQ(det.NumeroFotogrammiMedia, 2);
    EXPECT_EQ(det.MediaSfondo.data.front(), 25);
}

TEST_F(SfondoTest, UnLavoroSenzaAreaLoDice)
{
    // It used to say only "Indice di lista fuori dai limiti (0)."
    scrivi(0, pieno(4, 2, 10));
    campi.ImmagineFinale = "0";
    struct Caso
    {
        TextList punti;
        const char *messaggio;
    };
    for (const Caso &c :
         {Caso {TextList {}, "L'area di captazione non è definita: servono i suoi quattro punti, ne sono indicati 0."},
          Caso {TextList {"1", "2"},
                "L'area di captazione non è definita: servono i suoi quattro punti, ne è indicato 1."}}) {
        try {
            computeBackground(det, campi, c.punti, dir.path(), BackgroundFor::Calibrazione);
            ADD_FAILURE();
        } catch (const ListIndexError &e) {
            EXPECT_STREQ(e.what(), c.messaggio);
        }
    }
}
