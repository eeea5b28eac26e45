// SPDX-License-Identifier: GPL-3.0-or-later
#include "safety/indicatori.hpp"
#include "state/stato_lavoro.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

using namespace kalvor;

namespace {

RigaIstanti avvistamento(double veicolo, double tempo, double x, double y, double arco, double sorp, double velocita,
                         double lungh = 4.5)
{
    RigaIstanti r;
    r.veicolo = veicolo;
    r.tempo = tempo;
    r.barX = x;
    r.barY = y;
    r.Arco = arco;
    r.corsia = sorp == 1.0 ? 3.0 - arco : arco;
    r.sorp = sorp;
    r.velocita = velocita;
    r.lungh = lungh;
    return r;
}

std::vector<RigaIndicatori> calcola(const std::vector<RigaIstanti> &istanti)
{
    std::vector<RigaIndicatori> indicatori;
    std::vector<RigaVicini> vicini;
    calcolaIndicatoriIndicizzato(istanti, indicatori, vicini);
    return indicatori;
}

void expectNessunoAvanti(const RigaIndicatori &r)
{
    EXPECT_EQ(r.veicAvanti, 0.0);
    EXPECT_EQ(r.VelAvanti, 0.0);
    EXPECT_EQ(r.XAvanti, 0.0);
    EXPECT_EQ(r.YAvanti, 0.0);
    EXPECT_EQ(r.ArcoAvanti, 0.0);
    EXPECT_EQ(r.SorpAvanti, 0.0);
    EXPECT_EQ(r.LveicAvanti, 0.0);
    EXPECT_EQ(r.dist, 0.0);
    EXPECT_EQ(r.DRAC, 0.0);
    EXPECT_EQ(r.TTC, 0.0);
}

} // namespace

TEST(Indicatori, TwoUpperArcVehiclesTheOneAt100FollowsTheOneAt80)
{
    const auto r = calcola({avvistamento(1, 2.0, 100, 3, 1, 0, 72, 4.2), avvistamento(2, 2.0, 80, 3, 1, 0, 36, 5.1)});
    ASSERT_EQ(r.size(), 2u);
    // Columns 0 to 7 describe the row's own vehicle.
    EXPECT_EQ(r[0].veic, 1.0);
    EXPECT_EQ(r[0].Vel, 72.0);
    EXPECT_EQ(r[0].X, 100.0);
    EXPECT_EQ(r[0].Y, 3.0);
    EXPECT_EQ(r[0].Arco, 1.0);
    EXPECT_EQ(r[0].Sorp, 0.0);
    EXPECT_EQ(r[0].Lveic, 4.2);
    EXPECT_EQ(r[0].dt, 2.0);
    // The upper arc drives towards smaller X: the vehicle at 80 is ahead.
    EXPECT_EQ(r[0].veicAvanti, 2.0);
    EXPECT_EQ(r[0].VelAvanti, 36.0);
    EXPECT_EQ(r[0].XAvanti, 80.0);
    EXPECT_EQ(r[0].YAvanti, 3.0);
    EXPECT_EQ(r[0].ArcoAvanti, 1.0);
    EXPECT_EQ(r[0].SorpAvanti, 0.0);
    EXPECT_EQ(r[0].LveicAvanti, 5.1);
    EXPECT_EQ(r[0].dist, 20.0);
    EXPECT_DOUBLE_EQ(r[0].DRAC, 2.5); // (36 km/h = 10 m/s)² / 40 m
    EXPECT_DOUBLE_EQ(r[0].TTC, 2.0); // 20 m / 10 m/s
    // For the vehicle at 80 the other lies behind.
    expectNessunoAvanti(r[1]);
    EXPECT_EQ(r[1].veic, 2.0);
}

TEST(Indicatori, LowerArcDrivesTowardsLargerX)
{
    const auto r = calcola({avvistamento(1, 0.5, 100, -3, 2, 0, 72), avvistamento(2, 0.5, 80, -3, 2, 0, 36)});
    EXPECT_EQ(r[1].veicAvanti, 1.0);
    EXPECT_EQ(r[1].dist, 20.0);
    EXPECT_DOUBLE_EQ(r[1].DRAC, 2.5);
    EXPECT_EQ(r[1].TTC, 0.0); // the follower is the slower one
    expectNessunoAvanti(r[0]);
}

TEST(Indicatori, OvertakingAgainstAnOncomingVehicleUsesTheSumOfSpeeds)
{
    // Vehicle 1 of the upper arc overtakes in the lower lane; vehicle 2 of the
    // lower arc comes towards it 25 m further on.
    const auto r = calcola({avvistamento(1, 4.0, 100, 0, 1, 1, 54), avvistamento(2, 4.0, 75, 0, 2, 0, 36)});
    EXPECT_EQ(r[0].veicAvanti, 2.0);
    EXPECT_EQ(r[0].dist, 25.0);
    EXPECT_DOUBLE_EQ(r[0].DRAC, 12.5); // (90 km/h = 25 m/s)² / 50 m
    EXPECT_DOUBLE_EQ(r[0].TTC, 5.0); // TTC takes the difference: 25 m / 5 m/s
    // Seen from the oncoming vehicle the overtaker drives in its lane, ahead.
    EXPECT_EQ(r[1].veicAvanti, 1.0);
    EXPECT_EQ(r[1].dist, 25.0);
    EXPECT_DOUBLE_EQ(r[1].DRAC, 12.5);
    EXPECT_EQ(r[1].TTC, 0.0);
}

TEST(Indicatori, TwoVehiclesOvertakingInTheSameDirectionUseTheDifference)
{
    const auto r = calcola({avvistamento(1, 1.0, 100, 0, 1, 1, 72), avvistamento(2, 1.0, 80, 0, 1, 1, 36)});
    EXPECT_EQ(r[0].veicAvanti, 2.0);
    EXPECT_DOUBLE_EQ(r[0].DRAC, 2.5);
    EXPECT_DOUBLE_EQ(r[0].TTC, 2.0);
}

TEST(Indicatori, SlowerFollowerGetsDracFromTheSquaredDifferenceAndNoTtc)
{
    const auto r = calcola({avvistamento(1, 3.0, 100, 0, 1, 0, 36), avvistamento(2, 3.0, 80, 0, 1, 0, 72)});
    EXPECT_EQ(r[0].veicAvanti, 2.0);
    EXPECT_DOUBLE_EQ(r[0].DRAC, 2.5);
    EXPECT_EQ(r[0].TTC, 0.0);
}

TEST(Indicatori, OtherInstantsTheRowItselfAndOtherLanesAreNoCandidates)
{
    const auto r = calcola({
        avvistamento(1, 1.0, 100, 0, 1, 0, 50), // vehicle 1 alone at its instant
        avvistamento(2, 1.2, 90, 0, 1, 0, 50), // ahead of it in space, not in time
        avvistamento(1, 1.2, 95, 0, 1, 0, 50), // vehicle 1 later, behind vehicle 2
        avvistamento(3, 1.2, 92, 0, 2, 0, 50), // lower arc, not overtaking: another lane
        avvistamento(4, 1.2, 93, 0, 1, 2, 50), // an overtaking flag that is neither 0 nor 1
    });
    expectNessunoAvanti(r[0]);
    EXPECT_EQ(r[2].veicAvanti, 2.0);
    EXPECT_EQ(r[2].dist, 5.0);
    expectNessunoAvanti(r[4]);
    EXPECT_EQ(r[4].TTC, 0.0);
}

TEST(Indicatori, MadrIsInEveryRow)
{
    const auto r = calcola(
        {avvistamento(1, 0, 10, 0, 1, 0, 0), avvistamento(2, 0, 5, 0, 1, 0, 30), avvistamento(3, 1, 5, 0, 2, 2, 30)});
    for (const RigaIndicatori &riga : r)
        EXPECT_EQ(riga.MADR, 3.3);
}

TEST(Indicatori, NearestAheadWinsAndTheFirstAmongEqualDistances)
{
    const auto r = calcola({
        avvistamento(1, 0, 100, 0, 1, 0, 60), avvistamento(2, 0, 70, 0, 1, 0, 40), avvistamento(3, 0, 90, 4, 1, 0, 40),
        avvistamento(4, 0, 90, -4, 1, 0, 40), // as far as vehicle 3, later in the list
        avvistamento(1, 1, 100, 0, 1, 0, 60), avvistamento(5, 1, 100, 6, 1, 0, 40), // the same X: never behind
    });
    EXPECT_EQ(r[0].veicAvanti, 3.0);
    EXPECT_DOUBLE_EQ(r[0].dist, std::sqrt(116.0));
    EXPECT_EQ(r[4].veicAvanti, 5.0);
    EXPECT_EQ(r[4].dist, 6.0);
    EXPECT_EQ(r[5].veicAvanti, 1.0);
    EXPECT_EQ(r[5].dist, 6.0);
}

TEST(Indicatori, ACandidateAtDistanceZeroIsNeverTheVehicleAhead)
{
    // The same sighting twice (a record kept twice), and a vehicle 10 m ahead.
    const auto doppio = avvistamento(7, 2.0, 50, 1, 1, 0, 40);
    const auto r = calcola({doppio, doppio, avvistamento(8, 2.0, 40, 1, 1, 0, 22)});
    for (int k : {0, 1}) {
        EXPECT_EQ(r[k].veicAvanti, 8.0);
        EXPECT_EQ(r[k].dist, 10.0);
        EXPECT_DOUBLE_EQ(r[k].DRAC, 1.25); // (18 km/h = 5 m/s)² / 20 m
        EXPECT_DOUBLE_EQ(r[k].TTC, 2.0);
    }
    // Alone with its double the sighting has no vehicle ahead, and nothing fails.
    const auto solo = calcola({doppio, doppio});
    expectNessunoAvanti(solo[0]);
    expectNessunoAvanti(solo[1]);
}

TEST(Indicatori, TheWalkStopsAtTheFirstLaterInstant)
{
    // Out of order: the row at instant 2 stops the walk of instant 1, so the
    // last row (instant 1 again) is unseen by the first and sees the first.
    const auto r = calcola({avvistamento(1, 1.0, 100, 0, 1, 0, 50), avvistamento(2, 2.0, 0, 0, 1, 0, 50),
                            avvistamento(3, 1.0, 90, 0, 1, 0, 30)});
    expectNessunoAvanti(r[0]);
    expectNessunoAvanti(r[2]); // vehicle 1 lies behind vehicle 3 anyway
    const auto s = calcola({avvistamento(1, 1.0, 80, 0, 1, 0, 50), avvistamento(2, 2.0, 0, 0, 1, 0, 50),
                            avvistamento(3, 1.0, 90, 0, 1, 0, 30)});
    expectNessunoAvanti(s[0]);
    EXPECT_EQ(s[2].veicAvanti, 1.0);
}

TEST(Indicatori, TimingLinesAroundTheComputation)
{
    struct Case
    {
        std::int64_t inizio, fine;
        std::vector<std::string> righe;
    };
    const Case cases[] = {
        {(8 * 3600 + 15 * 60 + 42) * 1000 + 250,
         (8 * 3600 + 15 * 60 + 43) * 1000 + 100,
         {"Inizio calcolo", "08:15:42", "Fine calcolo", "08:15:43", "Impego [sec]", "00:00:00"}},
        {(23 * 3600 + 59 * 60 + 59) * 1000 + 500,
         1000 + 900,
         {"Inizio calcolo", "23:59:59", "Fine calcolo", "00:00:01", "Impego [sec]", "00:00:02"}},
        {0, 3723000, {"Inizio calcolo", "00:00:00", "Fine calcolo", "01:02:03", "Impego [sec]", "01:02:03"}},
    };
    for (const Case &c : cases) {
        StatoLavoro stato;
        stato.IndicatoriSicurezza.Tabella = {"earlier text"};
        stato.TabellaIndicatori.resize(3);
        std::vector<std::int64_t> ore {c.inizio, c.fine};
        std::size_t chiamata = 0;
        OrologioCalcolo orologio {[&] { return ore.at(chiamata++); }, testoOraHMS};
        CalcolaIndicatori(stato, orologio);
        EXPECT_EQ(stato.IndicatoriSicurezza.Tabella.lines(), c.righe);
        EXPECT_TRUE(stato.TabellaIndicatori.empty()); // an empty TabellaIstanti
    }
}

TEST(Indicatori, TheClickFillsTheTableFromTabellaIstanti)
{
    StatoLavoro stato;
    stato.TabellaIstanti = {avvistamento(1, 2.0, 100, 3, 1, 0, 72), avvistamento(2, 2.0, 80, 3, 1, 0, 36)};
    CalcolaIndicatori(stato, OrologioCalcolo {[] { return std::int64_t {0}; }, testoOraHMS});
    ASSERT_EQ(stato.TabellaIndicatori.size(), 2u);
    EXPECT_EQ(stato.TabellaIndicatori[0].veicAvanti, 2.0);
    EXPECT_EQ(stato.IndicatoriSicurezza.Tabella.count(), 6);
}

TEST(Indicatori, IndexedWalkEqualsThePlainWalkOnRandomTables)
{
    std::mt19937 rng(20261209);
    for (int prova = 0; prova < 400; ++prova) {
        const int n = std::uniform_int_distribution<int>(0, 60)(rng);
        const int istantiDistinti = std::uniform_int_distribution<int>(1, 6)(rng);
        const bool inOrdine = prova % 3 != 0;
        std::vector<RigaIstanti> istanti;
        for (int k = 0; k < n; ++k) {
            RigaIstanti r;
            r.veicolo = std::uniform_int_distribution<int>(0, 9)(rng);
            const int t = std::uniform_int_distribution<int>(0, istantiDistinti - 1)(rng);
            // Some instants as -0 to meet their +0 twins.
            r.tempo = t == 0 && k % 2 ? -0.0 : t * 0.04;
            r.barX = std::uniform_int_distribution<int>(0, 12)(rng) * 2.5;
            r.barY = std::uniform_int_distribution<int>(-1, 1)(rng) * 3.0;
            r.Arco = std::uniform_int_distribution<int>(0, 2)(rng);
            r.sorp = std::uniform_int_distribution<int>(0, 5)(rng) == 0 ? 2.0
                                                                        : std::uniform_int_distribution<int>(0, 1)(rng);
            r.velocita = std::uniform_int_distribution<int>(0, 4)(rng) * 18.0;
            r.lungh = 3.5 + k % 3;
            istanti.push_back(r);
        }
        if (inOrdine)
            std::stable_sort(istanti.begin(), istanti.end(),
                             [](const RigaIstanti &a, const RigaIstanti &b) { return a.tempo < b.tempo; });
        std::vector<RigaIndicatori> piano, indicizzato;
        std::vector<RigaVicini> viciniPiano, viciniIndicizzato;
        calcolaIndicatoriRiferimento(istanti, piano, viciniPiano);
        calcolaIndicatoriIndicizzato(istanti, indicizzato, viciniIndicizzato);
        ASSERT_EQ(piano, indicizzato) << "prova " << prova;
        ASSERT_EQ(viciniPiano, viciniIndicizzato) << "prova " << prova;
    }
}
