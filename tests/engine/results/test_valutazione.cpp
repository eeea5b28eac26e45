// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/errors.hpp"
#include "results/valutazione.hpp"
#include "support/scoped_number_format.hpp"

#include <gtest/gtest.h>

using namespace kalvor;

namespace {

class ValutazioneTest : public ::testing::Test
{
protected:
    kalvor::testing::ScopedNumberFormat comma {NumberFormat::comma()};
};

// Rows of one vehicle: (time, speed, X) each, Y 7, length 4, its arc.
void veicolo(std::vector<RigaIstanti> &tv, double numero, double arco,
             std::initializer_list<std::array<double, 3>> righe, double sorpDa = 1e9)
{
    for (const auto &[t, v, x] : righe) {
        RigaIstanti r;
        r.veicolo = numero;
        r.tempo = t;
        r.velocita = v;
        r.barX = x;
        r.barY = 7;
        r.lungh = 4;
        r.Arco = arco;
        r.sorp = t >= sorpDa ? 1 : 0;
        tv.push_back(r);
    }
}

} // namespace

TEST_F(ValutazioneTest, WorkedExampleAndItsReport)
{
    std::vector<RigaIstanti> tv;
    veicolo(tv, 0, 1, {{1.0, 0, 100}, {1.2, 36, 98}, {1.4, 54, 96}, {1.6, 36, 94}});
    const TabelleArchi t = valutaVeicoli(tv, 0);
    ASSERT_EQ(t.superiore.size(), 1u);
    ASSERT_TRUE(t.inferiore.empty());
    const RigaArco &a = t.superiore[0];
    EXPECT_EQ(a.Ting, 1.0);
    EXPECT_EQ(a.Tusc, 1.6);
    EXPECT_EQ(a.Spaz, 6.0);
    EXPECT_NEAR(a.Vel, 36.0, 1e-9);
    EXPECT_NEAR(a.acc, 25.0, 1e-9);
    EXPECT_EQ(a.Lveic, 4.0);

    const std::vector<std::string> testo = {
        "Arco SUPERIORE",
        "",
        "Veic\tArco\tTing\tTusc\tSpaz\tVel\tLveic\tsorp\tacc",
        "0\t1\t1\t1,6\t6\t36\t4\t0\t25",
        "",
        "Veic :\t1\tTm :\t0,6\tSm :\t6\tsorp :\t0",
        "Vm :\t36\tVmax :\t36\tVmin :\t36",
        "",
        "Arco INFERIORE",
        "",
        "Veic\tArco\tTing\tTusc\tSpaz\tVel\tLveic\tsorp\tacc",
        "",
        "Veic :\t0\tTm :\t0\tSm :\t0\tsorp :\t0",
        "Vm :\t0\tVmax :\t0\tVmin :\t0",
        "",
    };
    EXPECT_EQ(testoValutazione(t).lines(), testo);
}

TEST_F(ValutazioneTest, ConsecutiveNumberingFromTheFirstNumber)
{
    std::vector<RigaIstanti> tv;
    veicolo(tv, 3, 2, {{1, 0, 10}, {2, 36, 20}, {3, 36, 30}}, 2);
    veicolo(tv, 4, 0, {{1, 0, 10}, {2, 36, 20}}); // in no arc, still advances the numbering
    veicolo(tv, 5, 1, {{2, 0, 50}, {4, 72, 90}});
    veicolo(tv, 7, 1, {{2, 0, 50}, {4, 72, 90}});
    tv.push_back(RigaIstanti {}); // a row left by a number that is not a whole one

    TabelleArchi t = valutaVeicoli(tv, 3);
    ASSERT_EQ(t.inferiore.size(), 1u);
    EXPECT_EQ(t.inferiore[0], (RigaArco {3, 2, 1, 3, 20, 36, 4, 2, 0}));
    ASSERT_EQ(t.superiore.size(), 1u);
    EXPECT_EQ(t.superiore[0].Veic, 5.0);
    EXPECT_EQ(t.superiore[0].Vel, 72.0);

    t = valutaVeicoli(tv, 4);
    EXPECT_TRUE(t.inferiore.empty());
    EXPECT_EQ(t.superiore.size(), 1u);
    EXPECT_TRUE(valutaVeicoli(tv, 6).superiore.empty());
    EXPECT_EQ(valutaVeicoli(tv, 7).superiore.size(), 1u);
}

TEST_F(ValutazioneTest, ZeroDivisorsGiveZero)
{
    std::vector<RigaIstanti> tv;
    veicolo(tv, 0, 1, {{5, 0, 10}}); // seen once
    veicolo(tv, 1, 1, {{5, 0, 10}, {5.5, 36, 15}}); // seen twice
    // Third and fourth rows at the same time: no term; still divided by 4 - 2.
    veicolo(tv, 2, 1, {{1, 0, 10}, {1.5, 36, 15}, {1.5, 72, 15}, {2, 36, 20}});
    const TabelleArchi t = valutaVeicoli(tv, 0);
    ASSERT_EQ(t.superiore.size(), 3u);
    EXPECT_EQ(t.superiore[0], (RigaArco {0, 1, 5, 5, 0, 0, 4, 0, 0}));
    EXPECT_EQ(t.superiore[1].Vel, 36.0);
    EXPECT_EQ(t.superiore[1].acc, 0.0);
    EXPECT_DOUBLE_EQ(t.superiore[2].acc, 10.0); // |36 - 72| / (0.5 x 3.6) = 20, over 4 - 2
    const RiepilogoArco vuoto = riepilogoArco(t.inferiore);
    EXPECT_EQ(vuoto.veicoli, 0);
    EXPECT_EQ(vuoto.Vmin, 0.0);
    const RiepilogoArco s = riepilogoArco(t.superiore);
    EXPECT_EQ(s.veicoli, 3);
    EXPECT_EQ(s.Vmin, 0.0);
    EXPECT_EQ(s.Vmax, 36.0);
    EXPECT_EQ(s.Vm, 24.0);
}

TEST_F(ValutazioneTest, ClickReadsTheFirstNumberAndKeepsAllOnABadText)
{
    StatoLavoro s;
    veicolo(s.TabellaVeicoli, 0, 2, {{1, 0, 10}, {2, 36, 20}});
    s.Risultati.NumeroPrimoVeicoloTXT = "0";
    ValutazioneDatiClick(s);
    EXPECT_TRUE(s.TabellaArcoSuperiore.empty());
    ASSERT_EQ(s.TabellaArcoInferiore.size(), 1u);
    EXPECT_EQ(s.Risultati.ValutazioniTXT.line(10), "0\t2\t1\t2\t10\t36\t4\t0\t");
    const TextList prima = s.Risultati.ValutazioniTXT;
    for (const char *testo : {"", "1,5", "uno"}) {
        s.Risultati.NumeroPrimoVeicoloTXT = testo;
        EXPECT_THROW(ValutazioneDatiClick(s), ConversionError) << testo;
        EXPECT_EQ(s.Risultati.ValutazioniTXT, prima);
        EXPECT_EQ(s.TabellaArcoInferiore.size(), 1u);
    }
}
