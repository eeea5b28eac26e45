// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/errors.hpp"
#include "results/simulazione.hpp"
#include "support/lavoro_risultati.hpp"
#include "support/scoped_number_format.hpp"

#include <gtest/gtest.h>

using namespace kalvor;

namespace {

class SimulazioneTest : public ::testing::Test
{
protected:
    kalvor::testing::ScopedNumberFormat comma {NumberFormat::comma()};
};

// Axis ends at pixel columns 100 and 299: xL 100, xR 299, scale 2 pixels a metre.
StatoLavoro lavoroSimulazione()
{
    StatoLavoro s = kalvor::testing::lavoroRisultati();
    s.AreaCaptazione.PuntiRiferimento = TextList {"100", "100", "100", "299", "80", "150", "120", "150"};
    return s;
}

RigaIstanti riga(double veicolo, double tempo, double fotogr, double corsia = 1, double barX = 150)
{
    RigaIstanti r;
    r.veicolo = veicolo;
    r.barX = barX;
    r.barY = 100;
    r.corsia = corsia;
    r.lungh = 5;
    r.tempo = tempo;
    r.fotogr = fotogr;
    return r;
}

// Instants 1 (vehicles 0 and 1), 1.2 (vehicle 0) and 1.4 (vehicle 1).
StatoLavoro lavoroTreIstanti()
{
    StatoLavoro s = lavoroSimulazione();
    s.TabellaIstanti = {riga(0, 1.0, 10), riga(1, 1.0, 10, 2), riga(0, 1.2, 11), riga(1, 1.4, 12, 2)};
    s.NumeroRigheRisultati = 4;
    return s;
}

// The numbers of the vehicles a step drew (from their "n : " labels).
std::vector<std::string> veicoliDisegnati(const Drawing &d)
{
    std::vector<std::string> n;
    for (const DrawPrimitive &p : d)
        if (p.shape == Shape::Text && p.text.rfind("n : ", 0) == 0)
            n.push_back(p.text.substr(4));
    return n;
}

} // namespace

TEST_F(SimulazioneTest, RoadGeometryAndRoadDrawing)
{
    StatoLavoro s = lavoroTreIstanti();
    s.TabellaIstanti[2].lungh = 7.5;
    const GeometriaStrada g = geometriaStrada(s);
    EXPECT_EQ(g.xL, 100.0);
    EXPECT_EQ(g.scale, 2.0);
    EXPECT_EQ(g.s, 17); // Trunc(2 x 7.5) div 2 + 10
    const Drawing d = disegnoStrada(g);
    EXPECT_EQ(d.front(), DrawPrimitive::filledRectangle(0, 0, 398, 240, colors::white, colors::white));
    EXPECT_EQ(d[d.size() - 2], DrawPrimitive::line(0, 103, 398, 103, colors::black));
    EXPECT_EQ(d.back(), DrawPrimitive::line(0, 137, 398, 137, colors::black));
    for (std::size_t i = 1; i + 2 < d.size(); ++i) {
        EXPECT_EQ(d[i].y1, 120);
        EXPECT_EQ(d[i].pen, colors::blue);
    }

    s.AreaCaptazione.PuntiRiferimento.setLine(3, "100");
    EXPECT_THROW(geometriaStrada(s), RefusalError);
    s.AreaCaptazione.PuntiRiferimento.setLine(3, "700");
    EXPECT_THROW(geometriaStrada(s), ListIndexError);
    s.NumeroRigheRisultati = 0; // no vehicles: no scale needed
    EXPECT_EQ(geometriaStrada(s).s, 10);
}

TEST_F(SimulazioneTest, VehicleDrawingPerArc)
{
    const StatoLavoro s = lavoroTreIstanti();
    const GeometriaStrada g = geometriaStrada(s); // s = Trunc(2 x 5) div 2 + 10 = 15
    RigaIstanti r = riga(3, 1, 1, 1, 150);
    r.lungh = 4.5; // 9 pixels: R 4, Z 2
    r.velocita = 72.456;
    r.barY = 0.5;
    const auto label = [](int y, const char *t) { return DrawPrimitive::label(100, y, t, colors::blue); };
    const Drawing sup
        = {label(30, "n : 3"),   label(45, "v : 72,46"),
           label(60, "L : 4,5"), label(75, "x : 150"),
           label(90, "y : ,5"),  DrawPrimitive::filledRectangle(96, 111, 104, 115, colors::blue, colors::green)};
    EXPECT_EQ(disegnoVeicolo(g, r), sup);
    r.corsia = 2;
    const Drawing inf = disegnoVeicolo(g, r);
    ASSERT_EQ(inf.size(), 6u);
    EXPECT_EQ(inf[0].y1, 150);
    EXPECT_EQ(inf[4].y1, 210);
    EXPECT_EQ(inf[5], DrawPrimitive::filledRectangle(96, 125, 104, 129, colors::blue, colors::green));
    r.corsia = 0; // around pixel row 0, no labels
    EXPECT_EQ(disegnoVeicolo(g, r),
              (Drawing {DrawPrimitive::filledRectangle(96, -2, 104, 2, colors::blue, colors::green)}));
    r.corsia = 1;
    r.barX = 90; // before xL: outside the picture
    EXPECT_EQ(disegnoVeicolo(g, r).back().x2, -16);
}

TEST_F(SimulazioneTest, ReversedAxisKeepsVehiclesOnTheirSide)
{
    StatoLavoro s = lavoroTreIstanti();
    s.AreaCaptazione.PuntiRiferimento.setLine(1, "299");
    s.AreaCaptazione.PuntiRiferimento.setLine(3, "100");
    const GeometriaStrada g = geometriaStrada(s);
    EXPECT_EQ(g.scale, -2.0);
    EXPECT_EQ(g.s, 15);
    const Drawing d = disegnoVeicolo(g, riga(0, 1, 1, 1, 250));
    EXPECT_EQ(d.back(), DrawPrimitive::filledRectangle(93, 111, 103, 115, colors::blue, colors::green));
}

TEST_F(SimulazioneTest, WaitsChosenFromTheStep)
{
    const std::pair<const char *, int> cases[]
        = {{"0,2", 300}, {"0,3", 300}, {"0,5", 500}, {"1", 1000}, {"0,35", 350}, {"0", 300}, {"-2", 300}};
    for (const auto &[step, ms] : cases)
        EXPECT_EQ(attesaSimulazioneMs(step), ms) << step;
    EXPECT_THROW(attesaSimulazioneMs("0.2"), ConversionError);
}

TEST_F(SimulazioneTest, StepsForwardFromOpeningToTheLastInstant)
{
    StatoLavoro s = lavoroTreIstanti();
    // First press: instant 0, empty; the next instant becomes the first of the table.
    PassoSimulazione p = SimulaVeicoliAvantiClick(s);
    EXPECT_TRUE(p.strada.empty());
    EXPECT_EQ(p.veicoli, pulisciVeicoli(geometriaStrada(s)));
    EXPECT_EQ(p.tempoTXT, "0");
    EXPECT_EQ(p.fotogramma, 10);
    EXPECT_EQ(s.IstantePrecedente, 0.0);
    EXPECT_EQ(s.IstanteSimulazione, 1.0);

    p = SimulaVeicoliAvantiClick(s);
    EXPECT_EQ(veicoliDisegnati(p.veicoli), (std::vector<std::string> {"0", "1"}));
    EXPECT_EQ(p.tempoTXT, "1");
    EXPECT_EQ(p.fotogramma, 11); // one instant ahead of the vehicles
    EXPECT_EQ(s.IstantePrecedente, 1.0);
    EXPECT_EQ(s.IstanteSimulazione, 1.2);

    SimulaVeicoliAvantiClick(s);
    for (int press = 0; press < 2; ++press) { // the last instant, drawn again and again
        p = SimulaVeicoliAvantiClick(s);
        EXPECT_EQ(veicoliDisegnati(p.veicoli), (std::vector<std::string> {"1"}));
        EXPECT_EQ(p.tempoTXT, "1,4");
        EXPECT_FALSE(p.fotogramma.has_value());
        EXPECT_EQ(s.IstantePrecedente, 1.2);
        EXPECT_EQ(s.IstanteSimulazione, 1.4);
    }
}

TEST_F(SimulazioneTest, StepsBackAndReset)
{
    StatoLavoro s = lavoroTreIstanti();
    s.IstantePrecedente = 1.2; // 1.2 on screen, 1.4 next
    s.IstanteSimulazione = 1.4;
    PassoSimulazione p = SimulazioneVeicoloIndietroClick(s);
    EXPECT_EQ(veicoliDisegnati(p.veicoli), (std::vector<std::string> {"0", "1"}));
    EXPECT_EQ(p.tempoTXT, "1");
    EXPECT_EQ(p.fotogramma, 11);
    EXPECT_EQ(s.IstantePrecedente, 1.0);
    EXPECT_EQ(s.IstanteSimulazione, 1.2);

    // At the first instant of the table: the first instant again.
    p = SimulazioneVeicoloIndietroClick(s);
    EXPECT_EQ(veicoliDisegnati(p.veicoli), (std::vector<std::string> {"0", "1"}));
    EXPECT_EQ(s.IstantePrecedente, 1.0);
    EXPECT_EQ(s.IstanteSimulazione, 1.2);

    s.Risultati.IstanteInizialeTXT = "1,20";
    p = SimulaVeicoliAvantiClick(s);
    p = AzzeraSimulazioneClick(s);
    EXPECT_EQ(p.strada, disegnoStrada(geometriaStrada(s)));
    EXPECT_EQ(veicoliDisegnati(p.veicoli), (std::vector<std::string> {"0"}));
    EXPECT_EQ(p.tempoTXT, "1,20"); // as typed
    EXPECT_FALSE(p.fotogramma.has_value());
    EXPECT_EQ(s.IstantePrecedente, 1.2);
    EXPECT_EQ(s.IstanteSimulazione, 1.4);

    s.Risultati.IstanteInizialeTXT = "1.2";
    EXPECT_THROW(AzzeraSimulazioneClick(s), ConversionError);
}

TEST_F(SimulazioneTest, EmptyTableChangesNoInstant)
{
    StatoLavoro s = lavoroSimulazione();
    s.GrigliaMetrica = MetricGrid {}; // not even read
    for (auto step : {&AzzeraSimulazioneClick, &SimulaVeicoliAvantiClick, &SimulazioneVeicoloIndietroClick}) {
        const PassoSimulazione p = step(s);
        EXPECT_EQ(p.veicoli.size(), 1u);
        EXPECT_FALSE(p.fotogramma.has_value());
        EXPECT_EQ(s.IstanteSimulazione, 0.0);
        EXPECT_EQ(s.IstantePrecedente, 0.0);
    }
}

namespace {

// The automatic replay as a list of what it asked of the screen.
struct SchermoRegistrato
{
    std::vector<std::string> eventi;
    bool ferma = false;
    std::function<void(int)> durante; // runs inside the n-th wait
    int attese = 0;

    SchermoSimulazione schermo()
    {
        SchermoSimulazione sc;
        sc.fermaImpostata = [this] { return ferma; };
        sc.azzeraFerma = [this] {
            ferma = false;
            eventi.push_back("azzera ferma");
        };
        sc.strada = [this](const Drawing &) { eventi.push_back("strada"); };
        sc.veicoli = [this](const Drawing &d, bool pulisci) {
            std::string e = pulisci ? "pulisci" : "aggiungi";
            for (const auto &n : veicoliDisegnati(d))
                e += " " + n;
            eventi.push_back(e);
        };
        sc.fotogramma = [this](int n) { eventi.push_back("fotogramma " + std::to_string(n)); };
        sc.tempo = [this](const std::string &t) { eventi.push_back("tempo " + t); };
        sc.attendi = [this](int ms) {
            eventi.push_back("attesa " + std::to_string(ms));
            if (durante)
                durante(++attese);
        };
        sc.elaboraEventi = [this] { eventi.push_back("eventi"); };
        return sc;
    }
};

} // namespace

TEST_F(SimulazioneTest, AutomaticReplayWaitsBetweenInstants)
{
    StatoLavoro s = lavoroTreIstanti();
    s.Estrattore.step = "0,5";
    s.Captazione.ImmagineIniziale = "7";
    SchermoRegistrato r;
    r.ferma = true; // left set by a previous run
    SimulaVeicoliAutomaticoClick(s, r.schermo());
    const std::vector<std::string> attesi = {
        "azzera ferma", "strada",        "pulisci",    "fotogramma 7", "attesa 500",    "tempo 0",   "fotogramma 10",
        "pulisci 0",    "aggiungi 1",    "attesa 500", "tempo 1",      "fotogramma 11", "pulisci 0", "attesa 500",
        "tempo 1,2",    "fotogramma 12", "pulisci 1",  "eventi",       "tempo 1,4",
    };
    EXPECT_EQ(r.eventi, attesi);
    EXPECT_EQ(s.IstanteSimulazione, 1.4);
}

TEST_F(SimulazioneTest, AutomaticReplayStopsAtTheRowAfterFerma)
{
    StatoLavoro s = lavoroTreIstanti();
    s.Estrattore.step = "0,2";
    s.Risultati.IstanteInizialeTXT = "1";
    SchermoRegistrato r;
    r.durante = [&](int n) { r.ferma = n == 1; };
    SimulaVeicoliAutomaticoClick(s, r.schermo());
    const std::vector<std::string> attesi = {
        "strada",  "pulisci",       "fotogramma 0", "aggiungi 0", "aggiungi 1", "attesa 300",
        "tempo 1", "fotogramma 11", "pulisci 0",    "eventi",     "tempo 1,2",
    };
    EXPECT_EQ(r.eventi, attesi);
}
