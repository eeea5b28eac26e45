// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/errors.hpp"
#include "results/conferma.hpp"
#include "results/correzioni.hpp"
#include "results/testi_risultati.hpp"
#include "support/lavoro_risultati.hpp"
#include "support/scoped_number_format.hpp"

#include <gtest/gtest.h>

using namespace kalvor;
using kalvor::testing::aggiungiAvvistamento;
using kalvor::testing::lavoroRisultati;
using kalvor::testing::tempiFotogrammi;

namespace {

class ConfermaTest : public ::testing::Test
{
protected:
    kalvor::testing::ScopedNumberFormat comma {NumberFormat::comma()};
};

std::vector<double> velocita(const std::vector<RigaIstanti> &righe)
{
    std::vector<double> v;
    for (const auto &r : righe)
        v.push_back(r.velocita);
    return v;
}

// A vehicle seen in frames 10, 11, 12 two metres apart, 0.04 s apart.
StatoLavoro esempioTreFotogrammi()
{
    StatoLavoro s = lavoroRisultati();
    tempiFotogrammi(s, {{10, 0.4}, {11, 0.44}, {12, 0.48}});
    aggiungiAvvistamento(s, "3", "sup", 100, "4,5", 10);
    aggiungiAvvistamento(s, "3", "sup", 98, "4,5", 11);
    aggiungiAvvistamento(s, "3", "sup", 96, "4,5", 12);
    return s;
}

} // namespace

TEST_F(ConfermaTest, ThreeFramesGiveDistancesSpeedsAndTexts)
{
    StatoLavoro s = esempioTreFotogrammi();
    s.Risultati.ValutazioniTXT.append("vecchia valutazione");
    ConfermaClick(s, false);

    ASSERT_EQ(s.NumeroRigheRisultati, 3);
    const auto &ti = s.TabellaIstanti;
    EXPECT_EQ(ti[0], (RigaIstanti {3, 100, 100, 1, 4.5, 0.4, 0, 0, 10, 1, 0}));
    EXPECT_DOUBLE_EQ(ti[1].spazio, 2.0);
    EXPECT_DOUBLE_EQ(ti[2].spazio, 2.0);
    EXPECT_NEAR(ti[1].velocita, 180.0, 1e-9);
    EXPECT_NEAR(ti[2].velocita, 180.0, 1e-9);
    EXPECT_EQ(s.TabellaVeicoli, s.TabellaIstanti);

    const std::vector<std::string> temporali = {
        "veicolo\tbar. X\tbar. Y\tcorsia\tlungh\ttempo\tvelocità\tspazio\tfotogr\tArco\tsorp",
        "3\t100\t100\tsup\t4,5\t,4\t\t\t10\t1\t0",
        "3\t98\t100\tsup\t4,5\t,44\t180\t2\t11\t1\t0",
        "3\t96\t100\tsup\t4,5\t,48\t180\t2\t12\t1\t0",
        "",
        "* 1 sulla corsia superiore e 0 sulla corsia inferiore in 0,48 secondi",
    };
    EXPECT_EQ(s.Risultati.ContenitoreDatiTemporali.lines(), temporali);
    const std::vector<std::string> veicolari = {temporali[0], temporali[2], temporali[3]};
    EXPECT_EQ(s.Risultati.ContenitoreDatiVeicolari.lines(), veicolari);
    EXPECT_EQ(s.Risultati.IndicePosTXT, "3");
    EXPECT_TRUE(s.Risultati.ValutazioniTXT.empty());
}

TEST_F(ConfermaTest, CorrectionCeilingTakesThePreviousRowPlusOne)
{
    StatoLavoro s = esempioTreFotogrammi();
    ConfermaClick(s, true);
    EXPECT_EQ(velocita(s.TabellaIstanti), (std::vector<double> {0, 1, 2}));
    EXPECT_EQ(velocita(s.TabellaVeicoli), (std::vector<double> {0, 1, 2}));
    EXPECT_EQ(s.Risultati.ContenitoreDatiTemporali.line(2), "3\t98\t100\tsup\t4,5\t,44\t1\t2\t11\t1\t0");
}

TEST_F(ConfermaTest, DuplicatedRecordHasNoDistanceNorSpeed)
{
    StatoLavoro s = lavoroRisultati();
    tempiFotogrammi(s, {{1, 1.0}, {2, 1.5}});
    aggiungiAvvistamento(s, "0", "inf", 200, "4", 1);
    aggiungiAvvistamento(s, "0", "inf", 190, "4", 2);
    aggiungiAvvistamento(s, "0", "inf", 190, "4", 2);
    ConfermaClick(s, false);
    EXPECT_DOUBLE_EQ(s.TabellaIstanti[1].spazio, 10.0);
    EXPECT_DOUBLE_EQ(s.TabellaIstanti[1].velocita, 72.0);
    EXPECT_EQ(s.TabellaIstanti[2].spazio, 0.0);
    EXPECT_EQ(s.TabellaIstanti[2].velocita, 0.0);
}

TEST_F(ConfermaTest, MajorityArcAndOutOfArcFlag)
{
    StatoLavoro s = lavoroRisultati();
    tempiFotogrammi(s, {{1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}, {6, 6}});
    // Vehicle 0: three "sup" and three "inf"; vehicle 1: two "sup", three "inf".
    const char *arcs0[] = {"sup", "inf", "sup", "inf", "sup", "inf"};
    const char *arcs1[] = {"sup", "inf", "inf", "sup", "inf", nullptr};
    for (int f = 1; f <= 6; ++f) {
        aggiungiAvvistamento(s, "0", arcs0[f - 1], 300 - f, "4", f);
        if (arcs1[f - 1] != nullptr)
            aggiungiAvvistamento(s, "1", arcs1[f - 1], 400 - f, "5", f);
    }
    ConfermaClick(s, false);
    for (const RigaIstanti &r : s.TabellaIstanti) {
        const double arco = r.veicolo == 0 ? 1.0 : 2.0;
        EXPECT_EQ(r.Arco, arco) << r.veicolo << " " << r.fotogr;
        EXPECT_EQ(r.sorp, r.corsia == arco ? 0.0 : 1.0) << r.veicolo << " " << r.fotogr;
    }
    EXPECT_EQ(s.Risultati.ContenitoreDatiTemporali.lines().back(),
              "* 1 sulla corsia superiore e 1 sulla corsia inferiore in 6 secondi");
}

TEST_F(ConfermaTest, NumberingFromFiveGroupsFromFive)
{
    StatoLavoro s = lavoroRisultati();
    tempiFotogrammi(s, {{1, 1}, {2, 2}});
    aggiungiAvvistamento(s, "6", "inf", 100, "4", 1);
    aggiungiAvvistamento(s, "5", "sup", 200, "4", 1);
    aggiungiAvvistamento(s, "5", "sup", 210, "4", 2);
    aggiungiAvvistamento(s, "6", "inf", 90, "4", 2);
    ConfermaClick(s, false);
    std::vector<std::pair<double, double>> ordine; // number, frame
    for (const auto &r : s.TabellaVeicoli)
        ordine.emplace_back(r.veicolo, r.fotogr);
    EXPECT_EQ(ordine, (std::vector<std::pair<double, double>> {{5, 1}, {5, 2}, {6, 1}, {6, 2}}));
}

TEST_F(ConfermaTest, SummaryLineCountsVehiclesPerArc)
{
    StatoLavoro s = lavoroRisultati();
    tempiFotogrammi(s, {{1, 3.25}, {2, 12.5}});
    for (int v = 0; v < 12; ++v)
        aggiungiAvvistamento(s, std::to_string(v), v < 7 ? "sup" : "inf", 100 + 10 * v, "4", v == 11 ? 2 : 1);
    ConfermaClick(s, false);
    EXPECT_EQ(s.Risultati.ContenitoreDatiTemporali.lines().back(),
              "* 7 sulla corsia superiore e 5 sulla corsia inferiore in 12,5 secondi");
    kalvor::testing::ScopedNumberFormat dot {NumberFormat::dot()};
    EXPECT_EQ(rigaRiepilogo(7, 5, 12.5), "* 7 sulla corsia superiore e 5 sulla corsia inferiore in 12.5 secondi");
}

TEST_F(ConfermaTest, SmoothingWorkedExample)
{
    std::vector<RigaIstanti> righe(5);
    const double v[] = {0, 40, 80, 42, 44};
    for (std::size_t i = 0; i < 5; ++i) {
        righe[i].veicolo = 2;
        righe[i].velocita = v[i];
    }
    CorrezioneVelocita(righe, 2, 5);
    EXPECT_EQ(velocita(righe), (std::vector<double> {0, 40, 41, 42, 44}));

    // Equal neighbours never trigger a change; the last row never changes.
    struct Case
    {
        std::vector<double> in, out;
    };
    const Case cases[] = {
        {{0, 50, 50, 50, 10}, {0, 50, 50, 50, 10}},
        {{0, 50, 20, 60, 10}, {0, 50, 55, 32.5, 10}},
        {{0, 90, 10}, {0, 90, 10}},
        {{0, 30, 40, 30}, {0, 30, 30, 30}},
    };
    for (const Case &c : cases) {
        std::vector<RigaIstanti> r(c.in.size());
        for (std::size_t i = 0; i < r.size(); ++i)
            r[i].velocita = c.in[i];
        levigaVelocitaVeicolo(r, 0, r.size() - 1);
        EXPECT_EQ(velocita(r), c.out);
    }
}

TEST_F(ConfermaTest, NonIntegerAndNegativeNumbersStayOutOfTheVehicleTable)
{
    StatoLavoro s = lavoroRisultati();
    tempiFotogrammi(s, {{1, 1}, {2, 2}, {3, 3}});
    aggiungiAvvistamento(s, "1", "sup", 300, "4", 1);
    aggiungiAvvistamento(s, "2,5", "inf", 200, "9", 1);
    aggiungiAvvistamento(s, "-1", "inf", 100, "9", 1);
    aggiungiAvvistamento(s, "1", "sup", 290, "6", 2);
    aggiungiAvvistamento(s, "2,5", "inf", 100, "9", 2); // 360 km/h: no ceiling for it
    aggiungiAvvistamento(s, "1", "sup", 280, "8", 3);
    ConfermaClick(s, true);

    const auto &ti = s.TabellaIstanti;
    for (std::size_t k : {1u, 2u, 4u}) {
        EXPECT_EQ(ti[k].Arco, 0.0) << k;
        EXPECT_EQ(ti[k].sorp, 0.0) << k;
        EXPECT_EQ(ti[k].lungh, 9.0) << k;
    }
    EXPECT_DOUBLE_EQ(ti[4].velocita, 360.0);
    EXPECT_EQ(ti[0].lungh, 6.0); // the mean of 4, 6, 8
    EXPECT_EQ(ti[5].lungh, 6.0);
    const auto &tv = s.TabellaVeicoli;
    ASSERT_EQ(tv.size(), 6u);
    for (std::size_t j = 0; j < 3; ++j)
        EXPECT_EQ(tv[j].veicolo, 1.0);
    for (std::size_t j = 3; j < 6; ++j)
        EXPECT_EQ(tv[j], RigaIstanti {}) << j;
    EXPECT_EQ(s.Risultati.ContenitoreDatiTemporali.lines().back(),
              "* 1 sulla corsia superiore e 0 sulla corsia inferiore in 3 secondi");
}

TEST_F(ConfermaTest, FrameTimesAreLookedUpAgain)
{
    StatoLavoro s = lavoroRisultati();
    // The first row of a frame wins; rows beyond NumeroFotogrammiEstratti are not searched.
    tempiFotogrammi(s, {{4, 1.5}, {4, 9.0}, {5, 2.0}, {6, 7.0}});
    s.NumeroFotogrammiEstratti = 3;
    aggiungiAvvistamento(s, "0", "sup", 100, "4", 4);
    aggiungiAvvistamento(s, "0", "sup", 90, "4", 5);
    aggiungiAvvistamento(s, "0", "sup", 80, "4", 6);
    aggiungiAvvistamento(s, "0", "sup", 70, "4", 8);
    ConfermaClick(s, false);
    const double tempi[] = {1.5, 2.0, 0.0, 0.0};
    for (std::size_t k = 0; k < 4; ++k)
        EXPECT_EQ(s.TabellaIstanti[k].tempo, tempi[k]) << k;
    // Time going back or standing: distance but no speed.
    EXPECT_EQ(s.TabellaIstanti[2].spazio, 10.0);
    EXPECT_EQ(s.TabellaIstanti[2].velocita, 0.0);
    EXPECT_EQ(s.TabellaIstanti[3].velocita, 0.0);
}

TEST_F(ConfermaTest, ReferencePointIsOnTheAxisUnderTheCentre)
{
    StatoLavoro s = lavoroRisultati();
    s.CP.RigaArea1 = 50; // axis from (row 50, column 0) to (row 150, column 600)
    s.CP.RigaArea2 = 150;
    s.CP.ColonnaArea2 = 1800;
    tempiFotogrammi(s, {{1, 1}});
    // Start 301, end 0: mid = 301 + (0 - 301) div 2 = 151, pixel column 50, axis row 58.
    appendRecord(s.Captazione.VeicoliTOT, RecordVeicolo {"0", "inf", "301", "0", "4", "1", "1", "1"});
    appendRecord(s.Captazione.VeicoliTOT, RecordVeicolo {"1", "strano", "900", "960", "4", "1", "1", "1"});
    ConfermaClick(s, false);
    EXPECT_EQ(s.TabellaIstanti[0].barX, 50.0);
    EXPECT_EQ(s.TabellaIstanti[0].barY, 58.0);
    EXPECT_EQ(s.TabellaIstanti[0].corsia, 2.0);
    EXPECT_EQ(s.TabellaIstanti[1].barX, 310.0);
    EXPECT_EQ(s.TabellaIstanti[1].barY, 101.0);
    EXPECT_EQ(s.TabellaIstanti[1].corsia, 0.0);
    // An arc code other than 1 or 2 leaves its column, tab included, out of the text.
    EXPECT_EQ(s.Risultati.ContenitoreDatiTemporali.line(2), "1\t310\t101\t4\t1\t\t\t1\t1\t1");
}

TEST_F(ConfermaTest, RefusalsAndErrorsKeepThePreviousResults)
{
    StatoLavoro s = esempioTreFotogrammi();
    ConfermaClick(s, false);
    const auto istanti = s.TabellaIstanti;
    const auto temporali = s.Risultati.ContenitoreDatiTemporali;

    StatoLavoro vuoto = s;
    vuoto.Captazione.VeicoliTOT.clear();
    EXPECT_THROW(ConfermaClick(vuoto, false), RefusalError);
    EXPECT_EQ(vuoto.TabellaIstanti, istanti);
    EXPECT_EQ(vuoto.NumeroRigheRisultati, 3);

    struct Case
    {
        int line;
        std::string text;
    };
    const Case cases[] = {{1, "numero"}, {3, "3a"}, {4, ""}, {5, "4.5"}, {7, "10,5"}};
    for (const Case &c : cases) {
        StatoLavoro guasto = s;
        guasto.Captazione.VeicoliTOT.setLine(9 + c.line, c.text);
        EXPECT_THROW(ConfermaClick(guasto, false), ConversionError) << c.line;
        EXPECT_EQ(guasto.TabellaIstanti, istanti);
        EXPECT_EQ(guasto.Risultati.ContenitoreDatiTemporali, temporali);
    }
    StatoLavoro fuori = s;
    aggiungiAvvistamento(fuori, "3", "sup", 800, "4", 12);
    EXPECT_THROW(ConfermaClick(fuori, false), ListIndexError);
    StatoLavoro verticale = s;
    verticale.CP.ColonnaArea2 = verticale.CP.ColonnaArea1;
    EXPECT_THROW(ConfermaClick(verticale, false), ArithmeticError);
}

namespace {

void aggiungiEstremi(StatoLavoro &s, const std::string &numero, int inizio, int fine, int fotogramma)
{
    appendRecord(s.Captazione.VeicoliTOT,
                 RecordVeicolo {numero, "inf", std::to_string(inizio), std::to_string(fine), "10", "7",
                                std::to_string(fotogramma), "0"});
}

// Vehicle 1 enters the band (byte columns 0..2097) moving 5 px = 5 m a frame,
// cut by the band's left end in frame 1; vehicle 2 leaves it, cut by the
// right end in frame 3. Frames 0.2 s apart: 5 m a frame is 90 km/h.
StatoLavoro entrataEUscita(ProfiloRilevamento profilo)
{
    StatoLavoro s = lavoroRisultati();
    s.CP.Profilo = profilo;
    tempiFotogrammi(s, {{1, 0.2}, {2, 0.4}, {3, 0.6}, {4, 0.8}});
    aggiungiEstremi(s, "1", 0, 24, 1); // pixels -2..7 seen from 0: centre 4
    aggiungiEstremi(s, "1", 9, 39, 2); // centre 8
    aggiungiEstremi(s, "1", 24, 54, 3); // centre 13
    aggiungiEstremi(s, "1", 36, 66, 4); // centre 17: 4 m, 72 km/h
    aggiungiEstremi(s, "2", 2040, 2070, 1); // centre 685
    aggiungiEstremi(s, "2", 2055, 2085, 2); // centre 690
    aggiungiEstremi(s, "2", 2070, 2098, 3); // pixels 690..699 and beyond: centre 694
    return s;
}

} // namespace

TEST_F(ConfermaTest, ProfiloRobustoNonMisuraIRecordTagliatiDallaFascia)
{
    struct Caso
    {
        ProfiloRilevamento profilo;
        bool correggi;
        std::vector<double> velocita; // TabellaIstanti, km/h
    };
    const Caso casi[] = {
        // The default measures the cut rows' centres: 72 km/h on entering and leaving.
        {ProfiloRilevamento::Predefinito, false, {0, 72, 90, 72, 0, 90, 72}},
        {ProfiloRilevamento::Predefinito, true, {0, 72, 72, 72, 0, 90, 72}},
        // The robust profile: a cut row measures no speed and is no base for
        // the next row; leaving, it keeps the last measured speed.
        {ProfiloRilevamento::Robusto, false, {0, 0, 90, 72, 0, 90, 90}},
        // ... and the smoothing does not compare measured rows with a cut one.
        {ProfiloRilevamento::Robusto, true, {0, 0, 90, 72, 0, 90, 90}},
    };
    for (const Caso &k : casi) {
        StatoLavoro s = entrataEUscita(k.profilo);
        EXPECT_EQ(recordsCutByBand(s.Captazione.VeicoliTOT, s.CP, s.GrigliaMetrica),
                  k.profilo == ProfiloRilevamento::Robusto
                      ? (std::vector<bool> {true, false, false, false, false, false, true})
                      : std::vector<bool>(7, false));
        ConfermaClick(s, k.correggi);
        const std::vector<double> v = velocita(s.TabellaIstanti);
        ASSERT_EQ(v.size(), k.velocita.size());
        for (std::size_t i = 0; i < v.size(); ++i)
            EXPECT_NEAR(v[i], k.velocita[i], 1e-9)
                << profileName(k.profilo) << (k.correggi ? " con correzioni" : "") << ", riga " << i;
    }
}
