// SPDX-License-Identifier: GPL-3.0-or-later
#include "state/stato_lavoro.hpp"

#include <gtest/gtest.h>

using namespace kalvor;

TEST(StatoLavoro, InitialValuesOfTheScreens)
{
    const StatoLavoro s(NumberFormat::comma());
    struct Case
    {
        const std::string &actual;
        const char *expected;
    };
    const Case cases[] = {
        {s.Riferimenti.luogo, ""},
        {s.Estrattore.Cartella, ""},
        {s.Estrattore.step, "0,2"},
        {s.Estrattore.ImmagineIniziale, "0"},
        {s.Prospettiva.FotogrammaIniziale, "0"},
        {s.AreaCaptazione.FotogrammaIniziale, "0"},
        {s.Calibrazione.ImmagineIniziale, "0"},
        {s.Calibrazione.ImmagineFinale, "200"},
        {s.Calibrazione.VeicoloIniziale, "0"},
        {s.Calibrazione.VariazionePosTXT, "50"},
        {s.Calibrazione.LunghezzaMinTXT, "2"},
        {s.Calibrazione.AreaVeicoloTXT, "4"},
        {s.Calibrazione.MargineSuperiore, "12"},
        {s.Calibrazione.MargineInferiore, "-12"},
        {s.Captazione.ImmagineIniziale, "0"},
        {s.Captazione.ImmagineFinale, "200"},
        {s.Captazione.MargineSuperiore, "15"},
        {s.Captazione.MargineInferiore, "-15"},
        {s.Captazione.fotogrammaTXT, "00000"},
        {s.Captazione.NumeroVeicoliTXT, "00000"},
        {s.Risultati.IstanteInizialeTXT, "0"},
        {s.Risultati.NumeroPrimoVeicoloTXT, "0"},
        {s.Risultati.IndicePosTXT, ""},
        {s.AggiungiVeicolo.Xtxt, "00000"},
        {s.AggiungiVeicolo.Ytxt, "00000"},
        {s.ModificaVeicolo.NumeroVeicoloAttuale, "nnnnn"},
        {s.ModificaVeicolo.NumeroVeicolo, ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.actual, c.expected);
    EXPECT_FALSE(s.SceltaVersoLetture.Origine00 || s.SceltaVersoLetture.Origine640480
                 || s.SceltaVersoLetture.Origine0480 || s.SceltaVersoLetture.Origine6400
                 || s.SceltaVersoLetture.usoGPS);
    EXPECT_TRUE(s.Captazione.veicoliAtt.empty() && s.Calibrazione.VeicoliTOT.empty()
                && s.Prospettiva.coordinataXPixelP.empty() && s.AreaCaptazione.PuntiRiferimento.empty());
    EXPECT_TRUE(s.TabellaTempiFotogrammi.empty() && s.GrigliaMetrica.empty() && s.TabellaIstanti.empty());
    EXPECT_EQ(s.NumeroFotogrammiEstratti, 0);
    EXPECT_EQ(s.C.NumeroVeicolo, 0);
    EXPECT_TRUE(s.CP.MediaSfondo.empty());
}

TEST(StatoLavoro, DecimalDefaultFollowsTheLocaleSeparator)
{
    EXPECT_EQ(StatoLavoro(NumberFormat::dot()).Estrattore.step, "0.2");
    EXPECT_EQ(StatoLavoro(NumberFormat::comma()).Estrattore.step, "0,2");
}

TEST(StatoLavoro, CalibrationParametersCopyIntoTheCapture)
{
    StatoLavoro s(NumberFormat::comma());
    s.Calibrazione.MargineSuperiore = "20";
    s.Calibrazione.ImmagineFinale = "450";
    static_cast<CampiRilevamento &>(s.Captazione) = s.Calibrazione;
    EXPECT_EQ(s.Captazione.MargineSuperiore, "20");
    EXPECT_EQ(s.Captazione.ImmagineFinale, "450");
    EXPECT_EQ(s.Captazione.MargineInferiore, "-12");
    EXPECT_EQ(s.Captazione.fotogrammaTXT, "00000");
}
