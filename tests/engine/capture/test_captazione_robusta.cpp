// SPDX-License-Identifier: GPL-3.0-or-later
// The capture's frame advance under the robust profile: its numbering, and
// its memory rebuilt from the lists after a reopening or a hand edit.
#include "capture/avanzamento.hpp"
#include "capture/modifica_manuale.hpp"
#include "fixture_captazione.hpp"
#include "state/record_veicolo.hpp"

#include <gtest/gtest.h>

#include <map>
#include <set>

using namespace kalvor;
using kalvor::testing::CaptazioneTest;

namespace {

// Per arc, the numbers its records carry in a list.
std::map<std::string, std::set<std::string>> numeriPerArco(const TextList &l)
{
    std::map<std::string, std::set<std::string>> n;
    for (const int i : findRecords(l))
        n[recordField(l, i, OffArco)].insert(recordField(l, i, OffNumero));
    return n;
}

using PerArco = std::map<std::string, std::set<std::string>>;

} // namespace

TEST_F(CaptazioneTest, ProfiloRobustoInsegueIDueVeicoli)
{
    stato.Captazione.Profilo = ProfiloRilevamento::Robusto;
    avvia();
    for (int n = 1; n <= 12; ++n)
        AvanzaFotogrammaClick(stato, sessione);
    EXPECT_EQ(stato.CP.Profilo, ProfiloRilevamento::Robusto);
    // Frame 8 has no vehicle and frame 6 no time: each vehicle keeps one number.
    EXPECT_EQ(numeriPerArco(stato.Captazione.VeicoliTOT), (PerArco {{"inf", {"0"}}, {"sup", {"1"}}}));
    EXPECT_EQ(fotogrammi(stato.Captazione.VeicoliTOT).size(), 16U);
    EXPECT_EQ(numeri(stato.Captazione.veicoliAtt), (std::vector<std::string> {"0", "1"}));
    EXPECT_EQ(stato.CP.NumeroVeicolo, 2);
    EXPECT_EQ(stato.Captazione.NumeroVeicoliTXT, "1");
    EXPECT_TRUE(sessione.inseguimento.pronto);
    EXPECT_EQ(sessione.inseguimento.ultimoFotogramma, 12);
}

TEST_F(CaptazioneTest, ProfiloRobustoRiapertoEModificatoAMano)
{
    stato.Captazione.Profilo = ProfiloRilevamento::Robusto;
    avvia();
    for (int n = 1; n <= 5; ++n)
        AvanzaFotogrammaClick(stato, sessione);
    ASSERT_EQ(numeri(stato.Captazione.veicoliAtt), (std::vector<std::string> {"0", "1"}));

    // The job reopened: a session whose tracker remembers nothing.
    sessione.inseguimento = RobustTracker {};
    AvanzaFotogrammaClick(stato, sessione);
    EXPECT_EQ(numeri(stato.Captazione.veicoliAtt), (std::vector<std::string> {"0", "1"}));

    // The lower vehicle renumbered 9 by hand on frame 6: it keeps 9 through
    // the empty frame 8, the upper one keeps 1; no new number is given.
    apriModificaVeicolo(stato, sessione.veicoliVirtuali[0]);
    ASSERT_EQ(stato.ModificaVeicolo.NumeroVeicoloAttuale, "0");
    stato.ModificaVeicolo.NumeroVeicolo = "9";
    CambiaNumeroVeicoloClick(stato, sessione);
    for (int n = 7; n <= 12; ++n)
        AvanzaFotogrammaClick(stato, sessione);
    TextList dopo;
    for (const int i : findRecords(stato.Captazione.VeicoliTOT))
        if (toInt(recordField(stato.Captazione.VeicoliTOT, i, OffFotogramma)) >= 6)
            appendRecord(dopo, readRecord(stato.Captazione.VeicoliTOT, i));
    EXPECT_EQ(numeriPerArco(dopo), (PerArco {{"inf", {"9"}}, {"sup", {"1"}}}));
    EXPECT_EQ(numeri(stato.Captazione.veicoliAtt), (std::vector<std::string> {"9", "1"}));
    EXPECT_EQ(stato.CP.NumeroVeicolo, 2);
}

TEST_F(CaptazioneTest, ProfiloRobustoDopoUnPassoIndietro)
{
    // Back from frame 7 to 6 and forward again: the same numbers as going straight on.
    stato.Captazione.Profilo = ProfiloRilevamento::Robusto;
    avvia();
    for (int n = 1; n <= 7; ++n)
        AvanzaFotogrammaClick(stato, sessione);
    FotogrammaPrecedenteClick(stato, sessione);
    for (int n = 7; n <= 12; ++n)
        AvanzaFotogrammaClick(stato, sessione);
    EXPECT_EQ(numeriPerArco(stato.Captazione.VeicoliTOT), (PerArco {{"inf", {"0"}}, {"sup", {"1"}}}));
    EXPECT_EQ(fotogrammi(stato.Captazione.VeicoliTOT).size(), 16U);
    EXPECT_EQ(stato.CP.NumeroVeicolo, 2);
}
