// SPDX-License-Identifier: GPL-3.0-or-later
#include "capture/sovrapposizioni_captazione.hpp"
#include "common/errors.hpp"
#include "state/record_veicolo.hpp"
#include "support/scoped_number_format.hpp"

#include <gtest/gtest.h>

using namespace kalvor;

namespace {

// A horizontal axis on row 200 and a band W = 60 (h = 30, q = 15).
struct Scena
{
    Scena()
    {
        stato.CP.RigaArea1 = 200;
        stato.CP.ColonnaArea1 = 30;
        stato.CP.RigaArea2 = 200;
        stato.CP.ColonnaArea2 = 1800;
        stato.CP.DislivelloArea = 60;
    }
    void record(const char *numero, const char *arco, int inizio = 300, int fine = 390)
    {
        appendRecord(stato.Captazione.veicoliAtt,
                     RecordVeicolo {numero, arco, std::to_string(inizio), std::to_string(fine), "4,5", "8", "7", "1"});
    }
    kalvor::testing::ScopedNumberFormat comma {NumberFormat::comma()};
    StatoLavoro stato {NumberFormat::comma()};
    SessioneCaptazione sessione;
};

using P = DrawPrimitive;
const Rgb rosso = colors::red;

Drawing asse()
{
    return {P::line(10, 200, 600, 200, colors::blue), P::line(10, 140, 10, 260, colors::blue),
            P::line(600, 140, 600, 260, colors::blue)};
}

} // namespace

TEST(DisegnaContornoVeicoli, EsempioConMirino)
{
    Scena s;
    s.sessione.Mirino = true;
    s.record("7", "sup");
    DisegnaContornoVeicoli(s.stato, s.sessione, false, colors::red);
    const Drawing atteso = {P::rectangle(100, 170, 130, 200, rosso), P::line(115, 170, 115, 100, rosso),
                            P::line(115, 200, 115, 300, rosso),      P::line(100, 185, 15, 185, rosso),
                            P::line(130, 185, 215, 185, rosso),      P::label(100, 140, "7", colors::blue, 8)};
    EXPECT_EQ(s.sessione.disegno, atteso);
    DisegnaVeicoliVirtualiClick(s.stato, s.sessione);
    EXPECT_EQ(s.sessione.veicoliVirtuali, (std::vector<VeicoloVirtuale> {{"7", 100, 170, 30, 30, true}}));
    EXPECT_EQ(s.stato.CP.NumeroVeicoliVirtuali, 1);
}

TEST(DisegnaContornoVeicoli, EsempioArcoInferiore)
{
    Scena s;
    s.sessione.Mirino = true;
    s.record("7", "inf");
    DisegnaContornoVeicoli(s.stato, s.sessione, false, colors::red);
    const Rgb giallo = colors::yellow;
    const Drawing atteso = {P::rectangle(100, 200, 130, 230, giallo), P::line(115, 200, 115, 100, giallo),
                            P::line(115, 230, 115, 300, giallo),      P::line(100, 215, 15, 215, giallo),
                            P::line(130, 215, 215, 215, giallo),      P::label(100, 230, "7", colors::blue, 8)};
    EXPECT_EQ(s.sessione.disegno, atteso);
    DisegnaVeicoliVirtualiClick(s.stato, s.sessione);
    EXPECT_EQ(s.sessione.veicoliVirtuali, (std::vector<VeicoloVirtuale> {{"7", 100, 200, 30, 30, true}}));
}

TEST(DisegnaContornoVeicoli, SenzaRecordConAsse)
{
    Scena s;
    s.sessione.MostraAsse = true;
    s.sessione.veicoliVirtuali.push_back({"3", 1, 2, 3, 4, true});
    DisegnaContornoVeicoli(s.stato, s.sessione, false, colors::red);
    EXPECT_EQ(s.sessione.disegno, asse());
    DisegnaVeicoliVirtualiClick(s.stato, s.sessione);
    EXPECT_TRUE(s.sessione.veicoliVirtuali.empty());
}

TEST(DisegnaContornoVeicoli, ColorePersonalizzatoEDueAggiornamenti)
{
    Scena s;
    s.sessione.MostraAsse = true;
    s.record("7", "sup");
    s.record("8", "inf", 600, 660);
    s.record("9", "centro", 900, 960); // neither arc: nothing drawn
    DisegnaContornoVeicoli(s.stato, s.sessione, true, colors::green);
    Drawing atteso = {P::rectangle(100, 170, 130, 200, colors::green), P::label(100, 140, "7", colors::blue, 8),
                      P::rectangle(200, 200, 220, 230, colors::green), P::label(200, 230, "8", colors::blue, 8)};
    const Drawing a = asse();
    atteso.insert(atteso.end(), a.begin(), a.end());
    EXPECT_EQ(s.sessione.disegno, atteso);

    DisegnaVeicoliVirtualiClick(s.stato, s.sessione);
    DisegnaVeicoliVirtualiClick(s.stato, s.sessione);
    ASSERT_EQ(s.sessione.veicoliVirtuali.size(), 3U);
    EXPECT_EQ(s.sessione.veicoliVirtuali[1], (VeicoloVirtuale {"8", 200, 200, 20, 30, true}));
    EXPECT_EQ(s.stato.CP.NumeroVeicoliVirtuali, 3);
}

TEST(DisegnaContornoVeicoli, ColonnaNonInteraFermaIlDisegno)
{
    Scena s;
    s.record("7", "sup");
    s.record("8", "sup");
    s.stato.Captazione.veicoliAtt.setLine(9 + OffFine, "39O");
    EXPECT_THROW(DisegnaContornoVeicoli(s.stato, s.sessione, false, colors::red), ConversionError);
    EXPECT_EQ(s.sessione.disegno.size(), 2U); // the first record stays drawn
}
