// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/conferma.hpp"
#include "results/testi_risultati.hpp"
#include "state/record_veicolo.hpp"
#include "support/rilevamenti_casuali.hpp"
#include "support/scoped_number_format.hpp"

#include <gtest/gtest.h>

#include <random>

using namespace kalvor;

namespace {

void confronta(const StatoLavoro &s, bool correggi, const std::string &caso,
               const std::vector<bool> *tagliate = nullptr)
{
    const IngressoConferma in {s.CP,     s.GrigliaMetrica, s.TabellaTempiFotogrammi, s.NumeroFotogrammiEstratti,
                               correggi, tagliate};
    const auto righe = righeDaiRecord(s.Captazione.VeicoliTOT, s.CP, s.GrigliaMetrica);
    const TabelleConfermate veloce = confermaTabelle(righe, in);
    const TabelleConfermate semplice = confermaTabelleSemplice(righe, in);
    ASSERT_EQ(veloce.TabellaIstanti.size(), righe.size()) << caso;
    ASSERT_EQ(veloce.V1, semplice.V1) << caso;
    ASSERT_EQ(veloce.V2, semplice.V2) << caso;
    ASSERT_EQ(veloce.origine, semplice.origine) << caso;
    // The vehicle view written anew equals the one that takes the lines of the view of instants.
    const TextList temporali = testoDatiTemporali(veloce);
    ASSERT_EQ(testoDatiVeicolari(veloce, &temporali), testoDatiVeicolari(veloce)) << caso;
    for (std::size_t k = 0; k < righe.size(); ++k) {
        ASSERT_EQ(veloce.TabellaIstanti[k], semplice.TabellaIstanti[k]) << caso << " riga " << k;
        ASSERT_EQ(veloce.TabellaVeicoli[k], semplice.TabellaVeicoli[k]) << caso << " riga " << k;
    }
}

} // namespace

TEST(ConfermaDifferenziale, IndexedEqualsPlainOnOddRecordLists)
{
    kalvor::testing::ScopedNumberFormat comma {NumberFormat::comma()};
    for (std::uint32_t seme = 1; seme <= 400; ++seme) {
        const StatoLavoro s = kalvor::testing::rilevamentiDisordinati(static_cast<int>(seme % 60), seme);
        for (bool correggi : {false, true})
            confronta(s, correggi, "seme " + std::to_string(seme) + (correggi ? " con correzioni" : ""));
    }
}

TEST(ConfermaDifferenziale, IndexedEqualsPlainWithRecordsCutByTheBand)
{
    // Any rows may be marked cut, at a track's ends or inside it.
    kalvor::testing::ScopedNumberFormat comma {NumberFormat::comma()};
    std::mt19937 g(7);
    for (std::uint32_t seme = 1; seme <= 200; ++seme) {
        const StatoLavoro s = kalvor::testing::rilevamentiDisordinati(static_cast<int>(seme % 60), seme);
        std::vector<bool> tagliate;
        const unsigned quota = g() % 4; // none, a quarter, a half or three quarters of the rows
        for (std::size_t i = 0; i < findRecords(s.Captazione.VeicoliTOT).size(); ++i)
            tagliate.push_back(g() % 4 < quota);
        for (bool correggi : {false, true})
            confronta(s, correggi, "seme " + std::to_string(seme) + (correggi ? " con correzioni" : "") + ", tagliate",
                      &tagliate);
    }
}

TEST(ConfermaDifferenziale, IndexedEqualsPlainOnSurveys)
{
    kalvor::testing::ScopedNumberFormat comma {NumberFormat::comma()};
    for (std::uint32_t seme = 1; seme <= 4; ++seme) {
        const StatoLavoro s = kalvor::testing::rilevamentiOrdinati(400 * static_cast<int>(seme), seme);
        for (bool correggi : {false, true})
            confronta(s, correggi, "seme " + std::to_string(seme) + (correggi ? " con correzioni" : ""));
    }
}
