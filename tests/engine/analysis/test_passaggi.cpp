// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/analisi_traffico.hpp"
#include "analysis/indicatori_estesi.hpp"
#include "analysis/passaggi.hpp"
#include "analysis/statistiche.hpp"
#include "analysis/testo_indicatori_estesi.hpp"
#include "analysis/traiettorie.hpp"
#include "righe_esempio.hpp"

#include <gtest/gtest.h>

using namespace kalvor;
using kalvor::testing::avvistamento;
using kalvor::testing::tabellaEsempio;

TEST(Traiettorie, GroupsSightingsByVehicleInTimeOrder)
{
    auto tabella = tabellaEsempio();
    // A row without a majority arc (a number the confirmation could not group) is left out.
    tabella.push_back(avvistamento(4.5, 0, 2.0, 3.0, 0.0, 5.0));
    tabella.back().Arco = 0;
    const auto t = raggruppaTraiettorie(tabella);
    ASSERT_EQ(t.size(), 3u);
    EXPECT_EQ(t[0].veicolo, 1.0);
    EXPECT_EQ(t[1].veicolo, 2.0);
    EXPECT_EQ(t[2].veicolo, 3.0);
    EXPECT_EQ(t[2].arco, 1);
    EXPECT_EQ(t[1].lunghezza, 6.0);
    ASSERT_EQ(t[1].punti.size(), 3u);
    EXPECT_EQ(t[1].punti[1], (PuntoTraiettoria {1.5, 5.0, 36.0}));
    EXPECT_EQ(versoDiMarcia(t[0]), 1);
    EXPECT_EQ(versoDiMarcia(t[2]), -1);
}

TEST(Traiettorie, PassageThroughAPositionIsInterpolatedBetweenSightings)
{
    struct Caso
    {
        const char *nome;
        std::vector<PuntoTraiettoria> punti;
        double x;
        std::optional<double> tempo;
        double velocita;
    };
    const Caso casi[] = {
        {"between two sightings", {{0.0, 0.0, 0.0}, {1.0, 10.0, 36.0}}, 2.5, 0.25, 36.0},
        {"falling X", {{0.0, 30.0, 0.0}, {0.4, 10.0, 180.0}}, 25.0, 0.1, 180.0},
        {"at a sighting", {{0.0, 0.0, 0.0}, {1.0, 10.0, 36.0}, {2.0, 20.0, 40.0}}, 10.0, 1.0, 36.0},
        {"at the first sighting", {{3.0, 5.0, 0.0}, {4.0, 9.0, 14.4}}, 5.0, 3.0, 14.4},
        {"never reached", {{0.0, 0.0, 0.0}, {1.0, 10.0, 36.0}}, 12.0, std::nullopt, 0.0},
        {"one sighting", {{0.0, 10.0, 0.0}}, 10.0, std::nullopt, 0.0},
        {"same instant twice is skipped",
         {{0.0, 0.0, 0.0}, {1.0, 10.0, 36.0}, {1.0, 10.0, 0.0}, {2.0, 30.0, 72.0}},
         20.0,
         1.5,
         72.0},
        {"first of two passages", {{0.0, 0.0, 0.0}, {1.0, 10.0, 36.0}, {2.0, 0.0, 36.0}}, 5.0, 0.5, 36.0},
    };
    for (const Caso &c : casi) {
        Traiettoria t;
        t.punti = c.punti;
        const auto p = passaggioPer(t, c.x);
        ASSERT_EQ(p.has_value(), c.tempo.has_value()) << c.nome;
        if (p) {
            EXPECT_DOUBLE_EQ(p->tempo, *c.tempo) << c.nome;
            EXPECT_EQ(p->velocita, c.velocita) << c.nome;
        }
    }
}

TEST(Passaggi, HeadwayAndPetOfConsecutiveVehiclesAtTheSection)
{
    const auto passaggi = passaggiSezione(raggruppaTraiettorie(tabellaEsempio()), 12.0);
    ASSERT_EQ(passaggi.size(), 3u);
    // Arc 1 first.
    EXPECT_EQ(passaggi[0].veicolo, 3.0);
    EXPECT_DOUBLE_EQ(passaggi[0].tempoFronte, 0.84);
    EXPECT_DOUBLE_EQ(*passaggi[0].tempoCoda, 1.0);
    EXPECT_EQ(passaggi[0].velocita, 90.0);
    EXPECT_EQ(passaggi[1].veicolo, 1.0);
    EXPECT_DOUBLE_EQ(passaggi[1].tempoFronte, 0.5);
    EXPECT_DOUBLE_EQ(*passaggi[1].tempoCoda, 0.7);
    EXPECT_EQ(passaggi[2].veicolo, 2.0);
    EXPECT_DOUBLE_EQ(passaggi[2].tempoFronte, 1.7);
    EXPECT_EQ(passaggi[2].velocita, 72.0);
    // Its rear leaves the section at its last sighting, centre at 12 + 3 m.
    EXPECT_DOUBLE_EQ(*passaggi[2].tempoCoda, 2.0);

    const auto coppie = coppieConsecutive(passaggi);
    ASSERT_EQ(coppie.size(), 1u); // the vehicle of arc 1 is alone on it
    EXPECT_EQ(coppie[0].arco, 2);
    EXPECT_EQ(coppie[0].primo, 1u);
    EXPECT_EQ(coppie[0].secondo, 2u);
    EXPECT_DOUBLE_EQ(coppie[0].distanziamentoTemporale, 1.2);
    EXPECT_DOUBLE_EQ(*coppie[0].pet, 1.0);
    EXPECT_DOUBLE_EQ(coppie[0].distanziamentoSpaziale, 24.0);
}

TEST(Passaggi, NoPetWhenTheLeadersRearIsNeverSeenLeaving)
{
    // The leader's last sighting puts its centre 1 m past the section: its 4 m
    // body still covers it.
    const std::vector<RigaIstanti> tabella {
        avvistamento(1, 2, 0.0, 0.0, 0.0, 4.0),
        avvistamento(1, 2, 1.0, 11.0, 39.6, 4.0),
        avvistamento(2, 2, 1.0, 0.0, 0.0, 4.0),
        avvistamento(2, 2, 2.0, 20.0, 72.0, 4.0),
    };
    const auto passaggi = passaggiSezione(raggruppaTraiettorie(tabella), 10.0);
    const auto coppie = coppieConsecutive(passaggi);
    ASSERT_EQ(coppie.size(), 1u);
    EXPECT_FALSE(coppie[0].pet.has_value());
    // Fronts at centre 8: t = 8 / 11 and t = 1.4.
    EXPECT_DOUBLE_EQ(coppie[0].distanziamentoTemporale, 1.4 - 8.0 / 11.0);
}

TEST(IndicatoriEstesi, EachIndicatorRowGetsThePetAndHeadwayOfItsVehicleAsFollower)
{
    OpzioniAnalisi opzioni;
    opzioni.sezioneX = 12.0;
    const AnalisiTraffico a = analizzaTraffico(tabellaEsempio(), opzioni);
    std::vector<RigaIndicatori> indicatori(4);
    indicatori[0].veic = 1;
    indicatori[1].veic = 2;
    indicatori[2].veic = 3;
    indicatori[3].veic = 2;
    const auto righe = indicatoriEstesi(indicatori, a);
    ASSERT_EQ(righe.size(), 4u);
    EXPECT_EQ(righe[0], RigaIndicatoriEstesi {});
    EXPECT_DOUBLE_EQ(righe[1].PET, 1.0);
    EXPECT_DOUBLE_EQ(righe[1].Headway, 1.2);
    EXPECT_EQ(righe[2], RigaIndicatoriEstesi {});
    EXPECT_EQ(righe[3], righe[1]);
}

TEST(Statistiche, PercentileInterpolatesBetweenTheNearestRanks)
{
    struct Caso
    {
        std::vector<double> valori;
        double p;
        double atteso;
    };
    const Caso casi[] = {
        {{15.0}, 0.85, 15.0},
        {{10.0, 20.0, 30.0, 40.0}, 0.85, 35.5}, // h = 2.55
        {{40.0, 10.0, 30.0, 20.0}, 0.85, 35.5}, // unsorted
        {{10.0, 20.0, 30.0, 40.0}, 1.0, 40.0},
        {{10.0, 20.0, 30.0, 40.0}, 0.0, 10.0},
        {{42.0, 50.0, 55.0, 61.0, 70.0}, 0.85, 64.6}, // h = 3.4
        {{50.0, 60.0}, 0.5, 55.0},
    };
    for (const Caso &c : casi)
        EXPECT_DOUBLE_EQ(*percentile(c.valori, c.p), c.atteso) << c.valori.size() << " values, p " << c.p;
    EXPECT_FALSE(percentile({}, 0.85).has_value());
    EXPECT_DOUBLE_EQ(*mediaArmonica({50.0, 60.0}), 600.0 / 11.0);
    EXPECT_FALSE(mediaArmonica({50.0, 0.0}).has_value());
}

TEST(IndicatoriEstesi, TextLinesUpWithTheIndicatorView)
{
    std::vector<RigaIndicatori> indicatori(3);
    indicatori[0].veic = 1;
    indicatori[1].veic = 2;
    indicatori[2].veic = 2;
    const std::vector<RigaIndicatoriEstesi> estesi {{}, {1.0, 1.25}, {1.0, 1.25}};
    const NumberFormat virgola = NumberFormat::comma();
    EXPECT_EQ(testoIndicatoriEstesi(indicatori, estesi, std::nullopt, virgola),
              (TextList {"", "PET\tHeadway", "\t", "1\t1,25", "1\t1,25"}));
    EXPECT_EQ(testoIndicatoriEstesi(indicatori, estesi, 2.0, virgola),
              (TextList {"", "PET\tHeadway", "1\t1,25", "1\t1,25"}));
    EXPECT_EQ(testoIndicatoriEstesi(indicatori, estesi, 7.0, virgola), (TextList {"", "PET\tHeadway"}));
}
