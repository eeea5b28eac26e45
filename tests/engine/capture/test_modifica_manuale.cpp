// SPDX-License-Identifier: GPL-3.0-or-later
#include "capture/avanzamento.hpp"
#include "capture/modifica_manuale.hpp"
#include "common/errors.hpp"
#include "extraction/frame_file.hpp"
#include "extraction/png_io.hpp"
#include "fixture_captazione.hpp"
#include "scene/strada_sintetica.hpp"
#include "state/record_veicolo.hpp"

#include <gtest/gtest.h>

using namespace kalvor;
using kalvor::testing::CaptazioneTest;

TEST_F(CaptazioneTest, ArcoDelClic)
{
    avvia(); // axis on row 60
    EXPECT_EQ(arcoDelClic(stato.CP, {40, 50}), "sup"); // 10 pixels above
    EXPECT_EQ(arcoDelClic(stato.CP, {40, 59}), "sup");
    EXPECT_EQ(arcoDelClic(stato.CP, {40, 60}), "inf"); // on the axis row
    EXPECT_EQ(arcoDelClic(stato.CP, {40, 90}), "inf");
    EXPECT_TRUE(RiconoscimentoVeicoloManualeClick(stato, sessione, {40, 50}));
    EXPECT_EQ(stato.AggiungiVeicolo.Xtxt, "40");
    EXPECT_EQ(stato.AggiungiVeicolo.Ytxt, "50");
}

TEST_F(CaptazioneTest, AggiungiNuovoVeicolo)
{
    stato.GrigliaMetrica = kalvor::scene::grigliaUniforme(400, 120, 0.0625);
    avvia();
    stato.CP.IstanteFotogramma = 1.5;
    auto &campi = stato.AggiungiVeicolo;
    campi.NumeroVeicolo = "30";
    campi.LunghezzaVeicolo = "4,5";
    campi.AreaVeicolo = "8,10";
    sessione.disegno.push_back(DrawPrimitive::line(0, 0, 1, 1, colors::black));
    const int contatore = stato.CP.NumeroVeicolo;
    const std::string didascalia = stato.Captazione.NumeroVeicoliTXT;

    AggiungiNuovoVeicoloClick(stato, sessione, {200, 70});
    const TextList atteso = {"veicolo", "30", "inf", "492", "708", "4,5", "8,10", "0", "1,5"};
    EXPECT_EQ(stato.Captazione.veicoliAtt, atteso);
    EXPECT_EQ(stato.CP.NumeroVeicolo, contatore + 1);
    EXPECT_EQ(stato.Captazione.NumeroVeicoliTXT, didascalia);
    // Drawn in green over what was there.
    ASSERT_EQ(sessione.disegno.size(), 3U);
    EXPECT_EQ(sessione.disegno[1], DrawPrimitive::rectangle(164, 60, 236, 75, colors::green));
    EXPECT_EQ(sessione.veicoliVirtuali, (std::vector<VeicoloVirtuale> {{"30", 164, 60, 72, 15, true}}));

    // A length that is not a number appends nothing.
    campi.LunghezzaVeicolo = "4.5";
    EXPECT_THROW(AggiungiNuovoVeicoloClick(stato, sessione, {100, 70}), ConversionError);
    EXPECT_EQ(stato.Captazione.veicoliAtt, atteso);
    EXPECT_EQ(stato.CP.NumeroVeicolo, contatore + 1);
}

TEST_F(CaptazioneTest, AggiungiVeicoloEsistente)
{
    avvia();
    TextList &prec = stato.Captazione.veicoliPrec;
    appendRecord(prec, RecordVeicolo {"12", "sup", "100", "130", "3", "5", "0", "0"});
    appendRecord(prec, RecordVeicolo {"4", "sup", "200", "260", "6", "9", "0", "0"});
    appendRecord(prec, RecordVeicolo {"12", "sup", "300", "390", "4,2", "7,56", "0", "0"});
    auto &campi = stato.AggiungiVeicolo;
    campi.NumeroVeicolo = "12";
    campi.LunghezzaVeicolo = "9";
    campi.AreaVeicolo = "9";
    const int contatore = stato.CP.NumeroVeicolo;
    AggiungiVeicoloEsistenteClick(stato, sessione, {50, 50});
    EXPECT_EQ(campi.LunghezzaVeicolo, "4,2"); // the last record numbered 12 wins
    EXPECT_EQ(campi.AreaVeicolo, "7,56");
    EXPECT_EQ(stato.Captazione.veicoliAtt, (TextList {"veicolo", "12", "sup", "105", "195", "4,2", "7,56", "0", "0"}));
    EXPECT_EQ(stato.CP.NumeroVeicolo, contatore);

    // A number not in veicoliPrec: zero width, the fields as they were.
    campi.NumeroVeicolo = "77";
    AggiungiVeicoloEsistenteClick(stato, sessione, {60, 70});
    EXPECT_EQ(readRecord(stato.Captazione.veicoliAtt, 9),
              (RecordVeicolo {"77", "inf", "180", "180", "4,2", "7,56", "0", "0"}));
}

TEST_F(CaptazioneTest, RinumeraPoiAvanza)
{
    avvia();
    for (int i = 0; i < 5; ++i)
        AvanzaFotogrammaClick(stato, sessione);
    // The lower vehicle, further left, comes first.
    ASSERT_EQ(numeri(stato.Captazione.veicoliAtt), (std::vector<std::string> {"0", "1"}));
    ASSERT_EQ(sessione.veicoliVirtuali.size(), 2U);
    const TextList tot = stato.Captazione.VeicoliTOT;

    apriModificaVeicolo(stato, sessione.veicoliVirtuali[0]);
    EXPECT_EQ(stato.ModificaVeicolo.NumeroVeicoloAttuale, "0");
    EXPECT_EQ(stato.ModificaVeicolo.NumeroVeicolo, "");
    stato.ModificaVeicolo.NumeroVeicolo = "9";
    sessione.disegno.push_back(DrawPrimitive::line(0, 0, 1, 1, colors::black));
    CambiaNumeroVeicoloClick(stato, sessione);
    EXPECT_EQ(numeri(stato.Captazione.veicoliAtt), (std::vector<std::string> {"9", "1"}));
    EXPECT_EQ(sessione.veicoliVirtuali[0].numero, "9");
    EXPECT_EQ(stato.Captazione.VeicoliTOT, tot); // earlier frames keep 0
    EXPECT_EQ(stato.CP.NumeroVeicolo, 2); // from VeicoliTOT: 0 and 1
    EXPECT_EQ(stato.Captazione.NumeroVeicoliTXT, "1");
    // Reloaded and drawn again: the stray line is gone.
    EXPECT_EQ(sessione.fotogramma, readPng(frameFileName(dir.path(), 5)));
    ASSERT_EQ(sessione.disegno.size(), 4U);
    EXPECT_EQ(sessione.disegno[0].pen, colors::yellow);
    EXPECT_EQ(sessione.disegno[1].text, "9");
    EXPECT_EQ(sessione.disegno[2].pen, colors::red);

    AvanzaFotogrammaClick(stato, sessione);
    EXPECT_EQ(numeri(stato.Captazione.veicoliAtt), (std::vector<std::string> {"9", "1"}));
    // Frame 5 left with 9; frames 2 to 4 keep 0.
    EXPECT_EQ(numeri(stato.Captazione.VeicoliTOT), (std::vector<std::string> {"0", "0", "0", "1", "9", "1"}));

    // Texts that are not integers: nothing changes.
    const TextList att = stato.Captazione.veicoliAtt;
    stato.ModificaVeicolo.NumeroVeicoloAttuale = "9";
    stato.ModificaVeicolo.NumeroVeicolo = "nove";
    EXPECT_THROW(CambiaNumeroVeicoloClick(stato, sessione), ConversionError);
    EXPECT_EQ(stato.Captazione.veicoliAtt, att);
}

TEST_F(CaptazioneTest, EliminaPoiAvanza)
{
    avvia();
    for (int i = 0; i < 5; ++i)
        AvanzaFotogrammaClick(stato, sessione);
    ASSERT_EQ(numeri(stato.Captazione.veicoliAtt), (std::vector<std::string> {"0", "1"}));
    apriModificaVeicolo(stato, sessione.veicoliVirtuali[1]);
    EliminaVeicoloClick(stato, sessione);
    EXPECT_EQ(numeri(stato.Captazione.veicoliAtt), (std::vector<std::string> {"0"}));
    EXPECT_TRUE(sessione.veicoliVirtuali[0].visibile);
    EXPECT_FALSE(sessione.veicoliVirtuali[1].visibile);
    EXPECT_EQ(stato.CP.NumeroVeicolo, 2);

    // Tracking no longer sees vehicle 1: the upper vehicle gets the next new number.
    AvanzaFotogrammaClick(stato, sessione);
    EXPECT_EQ(numeri(stato.Captazione.veicoliAtt), (std::vector<std::string> {"0", "2"}));
    EXPECT_EQ(numeri(stato.Captazione.veicoliPrec), (std::vector<std::string> {"0"}));
}
