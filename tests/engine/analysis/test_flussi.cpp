// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/analisi_traffico.hpp"
#include "analysis/flussi.hpp"
#include "analysis/rapporto_flussi.hpp"
#include "common/errors.hpp"
#include "righe_esempio.hpp"
#include "support/scoped_number_format.hpp"

#include <gtest/gtest.h>

using namespace kalvor;

namespace {

PassaggioSezione passaggio(double veicolo, int arco, double tempo, double velocita)
{
    PassaggioSezione p;
    p.veicolo = veicolo;
    p.arco = arco;
    p.lunghezza = 4.0;
    p.tempoFronte = tempo;
    p.velocita = velocita;
    return p;
}

} // namespace

// Arc 1 passes at 10, 20, 70 and 130 s at 50, 60, 40 and 80 km/h; nothing on
// arc 2; sightings from 0 to 150 s; intervals of 60 s.
TEST(Flussi, FiguresPerArcAndIntervalByHand)
{
    const std::vector<PassaggioSezione> passaggi {passaggio(1, 1, 10, 50), passaggio(2, 1, 20, 60),
                                                  passaggio(3, 1, 70, 40), passaggio(4, 1, 130, 80)};
    const auto coppie = coppieConsecutive(passaggi);
    const auto flussi = flussiPerIntervallo(passaggi, coppie, {0.0, 150.0}, 60.0);
    ASSERT_EQ(flussi.size(), 6u);

    const FlussoIntervallo &a = flussi[0];
    EXPECT_EQ(a.arco, 1);
    EXPECT_EQ(a.inizio, 0.0);
    EXPECT_EQ(a.fine, 60.0);
    EXPECT_EQ(a.durata, 60.0);
    EXPECT_EQ(a.veicoli, 2);
    EXPECT_DOUBLE_EQ(*a.flusso, 120.0);
    EXPECT_DOUBLE_EQ(*a.velocitaMedia, 55.0);
    EXPECT_DOUBLE_EQ(*a.velocita85, 58.5); // 50 + 0.85 (60 - 50)
    EXPECT_DOUBLE_EQ(*a.velocitaSpazio, 600.0 / 11.0); // 2 / (1/50 + 1/60)
    EXPECT_DOUBLE_EQ(*a.distanziamentoTemporale, 10.0); // 20 - 10; the first vehicle has none
    EXPECT_DOUBLE_EQ(*a.distanziamentoSpaziale, 10.0 * 60.0 / 3.6);
    EXPECT_DOUBLE_EQ(*a.densita, 2.2); // 120 / (600 / 11)

    const FlussoIntervallo &b = flussi[1];
    EXPECT_EQ(b.veicoli, 1);
    EXPECT_DOUBLE_EQ(*b.flusso, 60.0);
    EXPECT_DOUBLE_EQ(*b.velocita85, 40.0);
    // The leader of the headway passed in the interval before.
    EXPECT_DOUBLE_EQ(*b.distanziamentoTemporale, 50.0);
    EXPECT_DOUBLE_EQ(*b.distanziamentoSpaziale, 50.0 * 40.0 / 3.6);
    EXPECT_DOUBLE_EQ(*b.densita, 1.5);

    // Only 30 s of the last interval were observed.
    const FlussoIntervallo &c = flussi[2];
    EXPECT_EQ(c.inizio, 120.0);
    EXPECT_EQ(c.durata, 30.0);
    EXPECT_DOUBLE_EQ(*c.flusso, 120.0);
    EXPECT_DOUBLE_EQ(*c.densita, 1.5);

    for (std::size_t k = 3; k < 6; ++k) {
        EXPECT_EQ(flussi[k].arco, 2);
        EXPECT_EQ(flussi[k].veicoli, 0);
        EXPECT_DOUBLE_EQ(*flussi[k].flusso, 0.0);
        EXPECT_FALSE(flussi[k].velocitaMedia.has_value());
        EXPECT_FALSE(flussi[k].distanziamentoTemporale.has_value());
        EXPECT_FALSE(flussi[k].densita.has_value());
    }

    const auto totali = flussiComplessivi(passaggi, coppie, {0.0, 150.0});
    ASSERT_EQ(totali.size(), 2u);
    EXPECT_EQ(totali[0].veicoli, 4);
    EXPECT_DOUBLE_EQ(*totali[0].flusso, 96.0); // 4 in 150 s
    EXPECT_DOUBLE_EQ(*totali[0].distanziamentoTemporale, 40.0); // (10 + 50 + 60) / 3
}

TEST(Flussi, IntervalBoundsAndRefusals)
{
    const std::vector<PassaggioSezione> nessuno;
    struct Caso
    {
        FinestraOsservazione finestra;
        double durata;
        std::size_t intervalliPerArco;
        double primoInizio;
        double primaDurata;
    };
    const Caso casi[] = {
        {{0.0, 120.0}, 60.0, 2, 0.0, 60.0}, // the end on a boundary opens no new interval
        {{0.0, 120.5}, 60.0, 3, 0.0, 60.0}, {{75.0, 80.0}, 60.0, 1, 60.0, 5.0}, // a survey starting late
        {{5.0, 5.0}, 60.0, 1, 0.0, 0.0}, // one instant: no duration, no flow
        {{0.0, 10.0}, 2.5, 4, 0.0, 2.5},
    };
    for (const Caso &c : casi) {
        const auto f = flussiPerIntervallo(nessuno, {}, c.finestra, c.durata);
        ASSERT_EQ(f.size(), 2 * c.intervalliPerArco) << c.finestra.fine;
        EXPECT_EQ(f[0].inizio, c.primoInizio) << c.finestra.fine;
        EXPECT_EQ(f[0].durata, c.primaDurata) << c.finestra.fine;
        EXPECT_EQ(f[0].flusso.has_value(), c.primaDurata > 0.0) << c.finestra.fine;
    }
    EXPECT_THROW(flussiPerIntervallo(nessuno, {}, {0.0, 10.0}, 0.0), RefusalError);
    EXPECT_THROW(flussiPerIntervallo(nessuno, {}, {0.0, 10.0}, -60.0), RefusalError);
    EXPECT_THROW(flussiPerIntervallo(nessuno, {}, {0.0, 3600.0}, 1e-6), RefusalError);
}

TEST(Flussi, TextViewOfTheExampleWithACommaSeparator)
{
    kalvor::testing::ScopedNumberFormat virgola(NumberFormat::comma());
    OpzioniAnalisi opzioni;
    opzioni.sezioneX = 12.0;
    opzioni.durataIntervallo = 1.5;
    const TextList t = rapportoFlussi(analizzaTraffico(kalvor::testing::tabellaEsempio(), opzioni));
    ASSERT_EQ(t.count(), 14);
    EXPECT_EQ(t.line(0), "Flussi alla sezione X = 12 m, intervalli di 1,5 s");
    EXPECT_EQ(t.line(1), "Osservazione da 0 a 2 s; veicoli che non raggiungono la sezione: 0");
    EXPECT_EQ(t.line(3), "Arco SUPERIORE");
    // Vehicle 3 at 0.84 s and 90 km/h: 1 in 1.5 s is 2400 veh/h, 26.67 veh/km.
    EXPECT_EQ(t.line(5), "0 - 1,5\t1\t2400\t90\t90\t90\t-\t-\t26,67");
    EXPECT_EQ(t.line(6), "1,5 - 3\t0\t0\t-\t-\t-\t-\t-\t-");
    EXPECT_EQ(t.line(9), "Arco INFERIORE");
    // Vehicle 1 at 0.5 s, vehicle 2 at 1.7 s, 1.2 s and 24 m behind it.
    EXPECT_EQ(t.line(11), "0 - 1,5\t1\t2400\t72\t72\t72\t-\t-\t33,33");
    EXPECT_EQ(t.line(12), "1,5 - 3\t1\t7200\t72\t72\t72\t1,2\t24\t100");
    EXPECT_EQ(t.line(13), "totale\t2\t3600\t72\t72\t72\t1,2\t24\t50");
}
