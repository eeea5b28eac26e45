// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/errors.hpp"
#include "detection/elaborazione_automatica.hpp"
#include "detection/sfondo.hpp"
#include "detection/sovrapposizioni.hpp"
#include "extraction/frame_file.hpp"
#include "extraction/png_io.hpp"
#include "scene/strada_sintetica.hpp"
#include "state/record_veicolo.hpp"
#include "support/scoped_number_format.hpp"
#include "support/temp_dir.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace kalvor;

namespace {

// A 160 x 120 road, axis at row 60 from pixel column 5 to 150, band 30; one
// vehicle of 30 x 10 pixels driving right 6 pixels a frame in the lower arc
// over frames 0..12 (frames 0 and 1 empty).
class CorsaTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const RgbImage sfondo = kalvor::scene::sfondoStrada(160, 120, 9);
        for (int n = 0; n <= 12; ++n) {
            std::vector<kalvor::scene::Scatola> s;
            if (n >= 2)
                s.push_back({6 * n, 66, 30, 10});
            writePng(frameFileName(dir.path(), n), kalvor::scene::fotogrammaStrada(sfondo, s, 0, 1));
        }
        writePng(frameFileName(dir.path(), 100), RgbImage(20, 20));
        stato.Estrattore.Cartella = dir.path();
        stato.AreaCaptazione.PuntiRiferimento = TextList {"60", "5", "60", "150", "45", "0", "75", "0"};
        stato.GrigliaMetrica = kalvor::scene::grigliaUniforme(160, 120, 0.2);
        for (int n = 0; n <= 12; ++n)
            if (n != 6)
                stato.TabellaTempiFotogrammi.push_back({static_cast<double>(n), 0.5 * n});
        stato.Calibrazione.ImmagineFinale = "12";
        stato.Calibrazione.VeicoloIniziale = "4";
        computeBackground(stato.C, stato.Calibrazione, stato.AreaCaptazione.PuntiRiferimento, dir.path(),
                          BackgroundFor::Calibrazione);
        // The background of frames with the vehicle is not the empty road: use frame 0.
        const RgbImage vuoto = readPng(frameFileName(dir.path(), 0));
        std::copy(vuoto.pixels.begin(), vuoto.pixels.end(), stato.C.MediaSfondo.data.begin());
        ++stato.C.GenerazioneSfondo;
    }

    kalvor::testing::ScopedNumberFormat comma {NumberFormat::comma()};
    kalvor::testing::TempDir dir;
    StatoLavoro stato {NumberFormat::comma()};
    RunControl controllo;
    DetectionWorkspace spazio;
};

} // namespace

TEST_F(CorsaTest, ScorreIFotogrammiENumera)
{
    std::vector<int> visti;
    std::vector<double> tempi;
    int suoni = 0;
    int primo = -1;
    RunObserver o;
    o.inizio = [&](const RgbImage &img) { primo = img.width; };
    o.veicoliTrovati = [&] { ++suoni; };
    o.fotogramma = [&](const ProcessedFrame &f) {
        visti.push_back(f.numero);
        tempi.push_back(f.tempo);
        EXPECT_EQ(f.veicoliTrovati, stato.Calibrazione.veicoliAtt.count() >= 2);
        EXPECT_EQ(f.ultimoNumero, stato.C.NumeroVeicolo - 1);
        EXPECT_NE(f.maschera, nullptr);
    };
    stato.CP.NumeroVeicoliVirtuali = 9;
    ElaborazioneImmagini(stato, controllo, spazio, o);
    EXPECT_EQ(primo, 160);
    EXPECT_EQ(visti, (std::vector<int> {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12})); // frame a never examined
    // Frame 6 has no time: it keeps frame 5's.
    EXPECT_EQ(tempi, (std::vector<double> {0.5, 1, 1.5, 2, 2.5, 2.5, 3.5, 4, 4.5, 5, 5.5, 6}));
    EXPECT_EQ(stato.CP.NumeroVeicoliVirtuali, 0);
    EXPECT_FALSE(controllo.inCorso);
    // One vehicle followed through the run: every record of VeicoliTOT is number 4, all in "inf".
    const auto tot = findRecords(stato.Calibrazione.VeicoliTOT);
    ASSERT_GE(tot.size(), 5U);
    EXPECT_EQ(static_cast<int>(tot.size()), suoni);
    for (const int i : tot) {
        EXPECT_EQ(recordField(stato.Calibrazione.VeicoliTOT, i, OffNumero), "4");
        EXPECT_EQ(recordField(stato.Calibrazione.VeicoliTOT, i, OffArco), "inf");
    }
    EXPECT_EQ(stato.C.NumeroVeicolo, 5);
    EXPECT_EQ(stato.C.PrimoFotogramma, 0);
    EXPECT_EQ(stato.C.UltimoFotogramma, 12);
}

TEST_F(CorsaTest, FermaDopoIlFotogrammaCorrente)
{
    std::vector<int> visti;
    RunObserver o;
    o.fotogramma = [&](const ProcessedFrame &f) {
        visti.push_back(f.numero);
        if (f.numero == 3)
            controllo.ferma = true; // ticked while events are processed
    };
    ElaborazioneImmagini(stato, controllo, spazio, o);
    EXPECT_EQ(visti, (std::vector<int> {1, 2, 3}));
    EXPECT_TRUE(controllo.ferma);
    // The next run unticks the box first and runs to the end.
    visti.clear();
    o.fotogramma = [&](const ProcessedFrame &f) { visti.push_back(f.numero); };
    ElaborazioneImmagini(stato, controllo, spazio, o);
    EXPECT_FALSE(controllo.ferma);
    EXPECT_EQ(visti.size(), 12U);
}

TEST_F(CorsaTest, Rifiuti)
{
    struct Caso
    {
        const char *nome;
        void (*prepara)(StatoLavoro &, RunControl &);
    };
    const std::vector<Caso> casi = {
        {"run already going", [](StatoLavoro &, RunControl &c) { c.inCorso = true; }},
        {"no background", [](StatoLavoro &s, RunControl &) { s.C.MediaSfondo = MatriceInteri {}; }},
        {"no grid", [](StatoLavoro &s, RunControl &) { s.GrigliaMetrica = MetricGrid {}; }},
        {"last before first", [](StatoLavoro &s, RunControl &) { s.Calibrazione.ImmagineFinale = "-1"; }},
        {"frame of another size",
         [](StatoLavoro &s, RunControl &) {
             s.Calibrazione.ImmagineIniziale = "99";
             s.Calibrazione.ImmagineFinale = "100";
         }},
    };
    for (const Caso &c : casi) {
        StatoLavoro s = stato;
        RunControl ctl;
        c.prepara(s, ctl);
        if (std::string(c.nome) == "frame of another size")
            writePng(frameFileName(dir.path(), 99), readPng(frameFileName(dir.path(), 0)));
        EXPECT_THROW(ElaborazioneImmagini(s, ctl, spazio), RefusalError) << c.nome;
    }
}

TEST_F(CorsaTest, SenzaGrigliaDiceDoveTornare)
{
    stato.GrigliaMetrica = MetricGrid {};
    try {
        ElaborazioneImmagini(stato, controllo, spazio);
        ADD_FAILURE() << "ran without a grid";
    } catch (const RefusalError &e) {
        const std::string what = e.what();
        EXPECT_NE(what.find("\"Distanze di riferimento\""), std::string::npos) << what;
        EXPECT_NE(what.find("\"Trasformazione\""), std::string::npos) << what;
    }
}

TEST_F(CorsaTest, FileMancanteFermaLaCorsaETieneIRisultati)
{
    stato.Calibrazione.ImmagineFinale = "14";
    EXPECT_THROW(ElaborazioneImmagini(stato, controllo, spazio), FileError);
    EXPECT_FALSE(controllo.inCorso);
    EXPECT_FALSE(stato.Calibrazione.VeicoliTOT.empty());
}

TEST(TempoFotogramma, PrimaRigaOPrecedente)
{
    const std::vector<RigaTempi> t = {{1, 0.2}, {2, 0.4}, {2, 9}, {4, 0.8}};
    EXPECT_EQ(frameTime(t, 2, 7), 0.4);
    EXPECT_EQ(frameTime(t, 3, 0.4), 0.4);
    EXPECT_EQ(frameTime(t, 0, 0), 0);
}

TEST(Sovrapposizioni, RiquadriNumeriMirinoEAsse)
{
    kalvor::testing::ScopedNumberFormat comma {NumberFormat::comma()};
    StatoRilevamento det;
    det.RigaArea1 = 100;
    det.ColonnaArea1 = 30;
    det.RigaArea2 = 120;
    det.ColonnaArea2 = 630;
    det.DislivelloArea = 41; // h = 20, q = 10
    TextList att;
    appendRecord(att, makeRecord("7", "sup", 300, 360, 4, 8, 3, 1));
    appendRecord(att, makeRecord("8", "inf", 90, 900, 4, 8, 3, 1));
    using P = DrawPrimitive;
    const Rgb R = colors::red;
    const Rgb G = colors::yellow;
    const Rgb B = colors::blue;
    // sup: x1 100, x2 120, m 330, xm 110, r0 = trunc(20/600*300 + 100) = 110.
    // inf: x1 30, x2 300, m 495, xm 165, r0 = trunc(20/600*465 + 100) = 115.
    const Drawing atteso = {
        P::rectangle(100, 90, 120, 110, R), P::label(100, 70, "7", B, 8),
        P::line(110, 90, 110, 10, R),       P::line(110, 110, 110, 210, R),
        P::line(100, 100, 10, 100, R), // narrow box: outwards
        P::line(120, 100, 210, 100, R),     P::rectangle(30, 115, 300, 135, G),
        P::label(30, 135, "8", B, 8),       P::line(165, 115, 165, 15, G),
        P::line(165, 135, 165, 215, G),     P::line(30, 125, 65, 125, G), // wide box: inwards
        P::line(300, 125, 265, 125, G),
    };
    EXPECT_EQ(vehicleOverlays(att, det, true), atteso);
    EXPECT_EQ(vehicleOverlays(att, det, false).size(), 4U);
    const Drawing asse = {P::line(10, 100, 210, 120, B), P::line(10, 59, 10, 141, B), P::line(210, 79, 210, 161, B)};
    EXPECT_EQ(axisOverlay(det), asse);
}

TEST_F(CorsaTest, SenzaMascheraStessiVeicoli)
{
    ElaborazioneImmagini(stato, controllo, spazio);
    const std::vector<std::string> conMaschera = stato.Calibrazione.VeicoliTOT.lines();
    ASSERT_FALSE(conMaschera.empty());
    controllo.mostraMaschera = false;
    int fotogrammi = 0;
    RunObserver o;
    o.fotogramma = [&](const ProcessedFrame &f) {
        ++fotogrammi;
        EXPECT_EQ(f.maschera, nullptr);
    };
    DetectionWorkspace altro;
    ElaborazioneImmagini(stato, controllo, altro, o);
    EXPECT_EQ(fotogrammi, 12);
    EXPECT_EQ(stato.Calibrazione.VeicoliTOT.lines(), conMaschera);
}
