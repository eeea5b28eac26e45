// SPDX-License-Identifier: GPL-3.0-or-later
// Made-up record sequences numbered under both profiles: the default gives
// today's numbers, the robust one the truth.
#include "common/errors.hpp"
#include "detection/abbina_veicoli.hpp"
#include "detection/inseguimento_robusto.hpp"
#include "detection/passo_fotogramma.hpp"
#include "state/record_veicolo.hpp"
#include "support/scoped_number_format.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace kalvor;

namespace {

using Numeri = std::vector<std::vector<std::string>>;

// A 400 x 60 picture, axis along row 30 from pixel column 10 to 389, 0.5 m per
// pixel at every row (5 fps: 4 pixels a frame is 10 m/s).
StatoRilevamento stato(ProfiloRilevamento profilo)
{
    StatoRilevamento det;
    det.AltezzaImmagine = 60;
    det.LarghezzaRiga = 1200;
    det.RigaArea1 = 30;
    det.RigaArea2 = 30;
    det.ColonnaArea1 = 30;
    det.ColonnaArea2 = 1170;
    det.DislivelloArea = 20;
    det.VariazionePos = 50;
    det.Profilo = profilo;
    det.NumeroVeicolo = 1;
    return det;
}

MetricGrid grigliaUniforme()
{
    MetricGrid g;
    g.resize(60, 400);
    for (int r = 0; r < 60; ++r)
        for (int c = 0; c < 400; ++c)
            g.at(r, c, 0) = 0.5 * c;
    return g;
}

// Perspective: 5 m per pixel at row 0 (far away), 0.5 m at the axis row.
MetricGrid grigliaProspettica()
{
    MetricGrid g;
    g.resize(60, 400);
    for (int r = 0; r < 60; ++r)
        for (int c = 0; c < 400; ++c)
            g.at(r, c, 0) = std::max(0.5, 5.0 - 0.15 * r) * c;
    return g;
}

// A record over pixel columns [da, a) of frame f (time f / 5 s).
struct Rec
{
    const char *arco;
    int da;
    int a;
    double lunghezza;
};

using Fotogramma = std::vector<Rec>;

TextList lista(const Fotogramma &recs, int f, double periodo = 0.2)
{
    TextList l;
    for (const Rec &r : recs)
        appendRecord(l, makeRecord(kNumeroProvvisorio, r.arco, 3 * r.da, 3 * r.a, r.lunghezza, 8, f, periodo * f));
    return l;
}

std::vector<std::string> numeri(const TextList &l)
{
    std::vector<std::string> n;
    for (const int i : findRecords(l))
        n.push_back(recordField(l, i, OffNumero));
    return n;
}

// Frames 1, 2, ... numbered as the automatic run does. With `riapri` the
// tracker starts empty at every frame, as after saving and reopening the job.
Numeri numera(ProfiloRilevamento profilo, const std::vector<Fotogramma> &fotogrammi, const MetricGrid &g,
              bool riapri = false, double periodo = 0.2)
{
    StatoRilevamento det = stato(profilo);
    TextList prec, tot;
    RobustTracker inseguimento;
    Numeri tutti;
    for (std::size_t i = 0; i < fotogrammi.size(); ++i) {
        TextList att = lista(fotogrammi[i], static_cast<int>(i) + 1, periodo);
        if (riapri)
            inseguimento = RobustTracker {};
        if (att.count() >= 2)
            numberFrame(det, g, att, prec, &tot, inseguimento);
        tutti.push_back(numeri(att));
        updateVehicleLists(att, prec, tot);
    }
    return tutti;
}

struct Scena
{
    const char *nome;
    std::vector<Fotogramma> fotogrammi;
    Numeri predefinito;
    Numeri robusto;
    bool prospettiva = false;
};

const std::vector<Scena> &scene()
{
    static const std::vector<Scena> s = {
        {"length jumps entering the band and over a hole in the mask",
         {{{"inf", 10, 16, 3.0}},
          {{"inf", 11, 20, 4.5}},
          {{"inf", 15, 24, 4.5}},
          {{"inf", 22, 28, 3.0}},
          {{"inf", 23, 32, 4.5}}},
         {{"1"}, {"2"}, {"2"}, {"3"}, {"4"}},
         {{"1"}, {"1"}, {"1"}, {"1"}, {"1"}}},
        {"a truck seen only in part, its ends 5 m from where they were expected",
         {{{"inf", 100, 130, 15.0}}, {{"inf", 104, 134, 15.0}}, {{"inf", 118, 128, 5.0}}, {{"inf", 112, 142, 15.0}}},
         {{"1"}, {"1"}, {"2"}, {"3"}},
         {{"1"}, {"1"}, {"1"}, {"1"}}},
        // The piece has no speed yet and fits the next record's front end
        // exactly; the car's rear end is 0.5 m from its prediction.
        {"a piece split off the car for one frame",
         {{{"inf", 100, 109, 4.5}},
          {{"inf", 104, 113, 4.5}},
          {{"inf", 108, 117, 4.5}, {"inf", 120, 124, 2.0}},
          {{"inf", 113, 124, 5.5}}},
         {{"1"}, {"1"}, {"1", "2"}, {"1"}},
         {{"1"}, {"1"}, {"1", "2"}, {"1"}}},
        {"overtaking: a car of the lower half in the upper one for two frames",
         {{{"inf", 100, 109, 4.5}},
          {{"inf", 104, 113, 4.5}},
          {{"sup", 108, 117, 4.5}},
          {{"sup", 112, 121, 4.5}},
          {{"inf", 116, 125, 4.5}}},
         {{"1"}, {"1"}, {"1"}, {"1"}, {"2"}},
         {{"1"}, {"1"}, {"1"}, {"1"}, {"1"}}},
        {"a lower-half car overtaking in the upper half from where it comes in",
         {{{"sup", 10, 14, 2.0}},
          {{"sup", 10, 18, 4.0}},
          {{"sup", 14, 23, 4.5}},
          {{"sup", 18, 27, 4.5}},
          {{"sup", 22, 31, 4.5}}},
         {{"1"}, {"2"}, {"2"}, {"2"}, {"2"}},
         {{"1"}, {"1"}, {"1"}, {"1"}, {"1"}}},
        {"an upper-half car in the lower half from where it comes in at the right",
         {{{"inf", 386, 390, 2.0}},
          {{"inf", 381, 390, 4.5}},
          {{"inf", 377, 386, 4.5}},
          {{"inf", 373, 382, 4.5}},
          {{"inf", 369, 378, 4.5}}},
         {{"1"}, {"2"}, {"2"}, {"2"}, {"2"}},
         {{"1"}, {"1"}, {"1"}, {"1"}, {"1"}}},
        {"a car entering the lower half where one of the upper half has just left",
         {{{"sup", 16, 25, 4.5}}, {{"sup", 12, 21, 4.5}}, {{"sup", 10, 17, 3.5}}, {{"inf", 10, 16, 3.0}}},
         {{"1"}, {"1"}, {"1"}, {"2"}},
         {{"1"}, {"1"}, {"1"}, {"2"}}},
        {"two cars crossing in opposite halves, one missed where they meet",
         {{{"inf", 100, 109, 4.5}, {"sup", 116, 125, 4.5}},
          {{"inf", 104, 113, 4.5}, {"sup", 112, 121, 4.5}},
          {{"sup", 108, 117, 4.5}},
          {{"sup", 104, 113, 4.5}, {"inf", 112, 121, 4.5}}},
         {{"1", "2"}, {"1", "2"}, {"2"}, {"2", "3"}},
         {{"1", "2"}, {"1", "2"}, {"2"}, {"2", "1"}}},
        {"length shrinking while leaving the band",
         {{{"sup", 16, 25, 4.5}}, {{"sup", 12, 21, 4.5}}, {{"sup", 10, 17, 3.5}}, {{"sup", 10, 13, 1.5}}},
         {{"1"}, {"1"}, {"1"}, {"2"}},
         {{"1"}, {"1"}, {"1"}, {"1"}}},
        {"a car entering behind while the one ahead is missed",
         {{{"inf", 106, 115, 4.5}},
          {{"inf", 110, 119, 4.5}},
          {{"inf", 12, 21, 4.5}},
          {{"inf", 16, 25, 4.5}, {"inf", 118, 127, 4.5}}},
         {{"1"}, {"1"}, {"1"}, {"1", "2"}},
         {{"1"}, {"1"}, {"2"}, {"2", "1"}}},
        {"the car ahead takes the number of the one behind when that is missed",
         {{{"inf", 156, 165, 4.5}, {"inf", 196, 205, 4.5}},
          {{"inf", 200, 209, 4.5}},
          {{"inf", 164, 173, 4.5}, {"inf", 204, 213, 4.5}}},
         {{"1", "2"}, {"1"}, {"1", "3"}},
         {{"1", "2"}, {"2"}, {"1", "2"}}},
        {"a missed frame while the other half has a vehicle",
         {{{"inf", 100, 109, 4.5}, {"sup", 300, 309, 4.5}},
          {{"inf", 104, 113, 4.5}, {"sup", 296, 305, 4.5}},
          {{"sup", 292, 301, 4.5}},
          {{"inf", 112, 121, 4.5}, {"sup", 288, 297, 4.5}}},
         {{"1", "2"}, {"1", "2"}, {"2"}, {"3", "2"}},
         {{"1", "2"}, {"1", "2"}, {"2"}, {"1", "2"}}},
        {"three frames missed",
         {{{"inf", 100, 109, 4.5}, {"sup", 300, 309, 4.5}},
          {{"inf", 104, 113, 4.5}, {"sup", 296, 305, 4.5}},
          {{"sup", 292, 301, 4.5}},
          {{"sup", 288, 297, 4.5}},
          {{"sup", 284, 293, 4.5}},
          {{"inf", 120, 129, 4.5}, {"sup", 280, 289, 4.5}}},
         {{"1", "2"}, {"1", "2"}, {"2"}, {"2"}, {"2"}, {"3", "2"}},
         {{"1", "2"}, {"1", "2"}, {"2"}, {"2"}, {"2"}, {"1", "2"}}},
        {"a stopped vehicle and a car arriving behind it",
         {{{"inf", 184, 193, 4.5}},
          {{"inf", 188, 197, 4.5}},
          {{"inf", 192, 201, 4.5}},
          {{"inf", 196, 205, 4.5}},
          {{"inf", 196, 205, 4.5}},
          {{"inf", 197, 206, 4.5}},
          {{"inf", 100, 109, 4.5}, {"inf", 196, 205, 4.5}},
          {{"inf", 104, 113, 4.5}, {"inf", 196, 205, 4.5}}},
         {{"1"}, {"1"}, {"1"}, {"1"}, {"1"}, {"1"}, {"1", "2"}, {"1", "2"}},
         {{"1"}, {"1"}, {"1"}, {"1"}, {"1"}, {"1"}, {"2", "1"}, {"2", "1"}}},
        // 15 m/s: 3 m a frame on the axis row, 30 m in row 0; over a frame
        // without records 60 m, beyond the default's 4.5 + 50 m.
        {"positions read at the axis row, not row 0",
         {{{"inf", 100, 109, 4.5}}, {{"inf", 106, 115, 4.5}}, {}, {{"inf", 118, 127, 4.5}}, {{"inf", 124, 133, 4.5}}},
         {{"1"}, {"1"}, {}, {"2"}, {"2"}},
         {{"1"}, {"1"}, {}, {"1"}, {"1"}},
         true},
    };
    return s;
}

class InseguimentoRobustoTest : public ::testing::Test
{
protected:
    kalvor::testing::ScopedNumberFormat comma {NumberFormat::comma()};
};

} // namespace

TEST_F(InseguimentoRobustoTest, ScenePerProfilo)
{
    for (const Scena &s : scene()) {
        const MetricGrid g = s.prospettiva ? grigliaProspettica() : grigliaUniforme();
        EXPECT_EQ(numera(ProfiloRilevamento::Predefinito, s.fotogrammi, g), s.predefinito) << s.nome;
        EXPECT_EQ(numera(ProfiloRilevamento::Robusto, s.fotogrammi, g), s.robusto) << s.nome;
    }
}

TEST_F(InseguimentoRobustoTest, MemoriaRicostruitaDalleListeSalvate)
{
    // An empty tracker at every frame (the job reopened each time) numbers as
    // one kept through the run: the memory comes back from the lists.
    for (const Scena &s : scene()) {
        const MetricGrid g = s.prospettiva ? grigliaProspettica() : grigliaUniforme();
        EXPECT_EQ(numera(ProfiloRilevamento::Robusto, s.fotogrammi, g, true), s.robusto) << s.nome;
    }
}

TEST_F(InseguimentoRobustoTest, UnPassoIndietroDelBordoNonInverteLaVelocita)
{
    // 25 fps, 12.5 m/s (a pixel a frame): the mask's edges step back 1 m on
    // frame 2. Read as a speed, -25 m/s would put the car 2.5 m from where
    // frame 3 finds it; it moves along its half's direction only.
    const std::vector<Fotogramma> f
        = {{{"inf", 100, 109, 4.5}}, {{"inf", 98, 107, 4.5}}, {{"inf", 101, 110, 4.5}}, {{"inf", 102, 111, 4.5}}};
    const Numeri uno = {{"1"}, {"1"}, {"1"}, {"1"}};
    EXPECT_EQ(numera(ProfiloRilevamento::Predefinito, f, grigliaUniforme(), false, 0.04), uno);
    EXPECT_EQ(numera(ProfiloRilevamento::Robusto, f, grigliaUniforme(), false, 0.04), uno);
}

TEST_F(InseguimentoRobustoTest, NumeroCambiatoAMano)
{
    // Two cars in the lower half; after frame 2 the user renumbers the front
    // one 7 (in the frame's list and in the totals). It keeps 7, the other
    // keeps 1, and 2 is not given back to anyone.
    const MetricGrid g = grigliaUniforme();
    StatoRilevamento det = stato(ProfiloRilevamento::Robusto);
    RobustTracker inseguimento;
    TextList prec, tot;
    Numeri tutti;
    for (int f = 1; f <= 5; ++f) {
        TextList att = lista({{"inf", 100 + 4 * f, 109 + 4 * f, 4.5}, {"inf", 140 + 4 * f, 149 + 4 * f, 4.5}}, f);
        numberFrame(det, g, att, prec, &tot, inseguimento);
        if (f == 2) {
            const int secondo = findRecords(att)[1];
            att.setLine(secondo + OffNumero, "7");
        }
        tutti.push_back(numeri(att));
        updateVehicleLists(att, prec, tot);
    }
    EXPECT_EQ(tutti, (Numeri {{"1", "2"}, {"1", "7"}, {"1", "7"}, {"1", "7"}, {"1", "7"}}));
    EXPECT_EQ(det.NumeroVeicolo, 3);
}

TEST_F(InseguimentoRobustoTest, NumeriUniciENuoviInOrdine)
{
    // Five records of a first frame: new numbers in record order, from the counter.
    const MetricGrid g = grigliaUniforme();
    StatoRilevamento det = stato(ProfiloRilevamento::Robusto);
    det.NumeroVeicolo = 40;
    RobustTracker inseguimento;
    TextList att = lista({{"sup", 20, 29, 4.5},
                          {"inf", 30, 39, 4.5},
                          {"sup", 100, 109, 4.5},
                          {"inf", 101, 110, 4.5},
                          {"sup", 200, 230, 15.0}},
                         1);
    numberFrame(det, g, att, TextList {}, nullptr, inseguimento);
    EXPECT_EQ(numeri(att), (std::vector<std::string> {"40", "41", "42", "43", "44"}));
    EXPECT_EQ(det.NumeroVeicolo, 45);

    // Next frame: the cars moved by their half's direction and keep their
    // numbers once each; the truck is missed and a car 2.5 m ahead of its
    // front does not take its number (4.5 m against 15 m).
    TextList prec = att;
    TextList att2 = lista({{"sup", 190, 199, 4.5},
                           {"sup", 16, 25, 4.5},
                           {"inf", 34, 43, 4.5},
                           {"sup", 96, 105, 4.5},
                           {"inf", 105, 114, 4.5},
                           {"inf", 300, 309, 4.5}},
                          2);
    numberFrame(det, g, att2, prec, nullptr, inseguimento);
    EXPECT_EQ(numeri(att2), (std::vector<std::string> {"45", "40", "41", "42", "43", "46"}));
    EXPECT_EQ(det.NumeroVeicolo, 47);
}

TEST_F(InseguimentoRobustoTest, ContatoreAllUltimoNumeroNonCambiaNulla)
{
    const MetricGrid g = grigliaUniforme();
    StatoRilevamento det = stato(ProfiloRilevamento::Robusto);
    det.NumeroVeicolo = 2147483647;
    RobustTracker inseguimento;
    TextList att = lista({{"inf", 30, 39, 4.5}}, 1);
    const TextList prima = att;
    EXPECT_THROW(numberFrame(det, g, att, TextList {}, nullptr, inseguimento), ArithmeticError);
    EXPECT_EQ(att, prima);
    EXPECT_FALSE(inseguimento.pronto);
}

TEST_F(InseguimentoRobustoTest, QuantoDuraLaMemoria)
{
    // A car in the lower half at 12.5 m/s, seen on frames 1..3, then missed
    // for `mancati` frames: five frames, or up to 1 s when frames are closer.
    struct Caso
    {
        int fps;
        int mancati;
        bool tieneNumero;
    };
    const std::vector<Caso> casi = {
        {5, 5, true}, {5, 6, false}, {25, 20, true}, {25, 23, true}, {25, 26, false},
    };
    const MetricGrid g = grigliaUniforme();
    for (const Caso &c : casi) {
        const double periodo = 1.0 / c.fps;
        const double pixelPerFotogramma = 25.0 * periodo; // 12.5 m/s at 0.5 m a pixel
        StatoRilevamento det = stato(ProfiloRilevamento::Robusto);
        RobustTracker inseguimento;
        TextList prec, tot;
        std::string ultimo;
        for (const int f : {1, 2, 3, 4 + c.mancati}) {
            const int da = 40 + static_cast<int>(pixelPerFotogramma * f);
            TextList att;
            appendRecord(att, makeRecord(kNumeroProvvisorio, "inf", 3 * da, 3 * (da + 9), 4.5, 8, f, periodo * f));
            numberFrame(det, g, att, prec, &tot, inseguimento);
            ultimo = numeri(att)[0];
            updateVehicleLists(att, prec, tot);
        }
        EXPECT_EQ(ultimo, c.tieneNumero ? "1" : "2") << c.fps << " fps, " << c.mancati << " missed";
    }
}
