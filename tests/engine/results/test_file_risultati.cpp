// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/errors.hpp"
#include "common/files.hpp"
#include "results/conferma.hpp"
#include "results/file_risultati.hpp"
#include "results/valutazione.hpp"
#include "support/lavoro_risultati.hpp"
#include "support/scoped_number_format.hpp"
#include "support/temp_dir.hpp"

#include <gtest/gtest.h>

using namespace kalvor;

TEST(FileRisultati, TheFiveTextsAsTheScreenShowsThem)
{
    kalvor::testing::ScopedNumberFormat comma {NumberFormat::comma()};
    StatoLavoro s = kalvor::testing::lavoroRisultati();
    kalvor::testing::tempiFotogrammi(s, {{10, 0.4}, {11, 0.44}, {12, 0.5}});
    s.NumeroFotogrammiEstratti = 2;
    kalvor::testing::aggiungiAvvistamento(s, "0", "inf", 100, "4", 10);
    kalvor::testing::aggiungiAvvistamento(s, "0", "inf", 102, "4", 11);
    ConfermaClick(s, false);
    ValutazioneDatiClick(s);

    const kalvor::testing::TempDir dir;
    scriviFileRisultati(s, dir.path());
    EXPECT_EQ(readFileBytes(dir.file("tempi.txt")), "10\t0,4\r\n11\t0,44\r\n");
    const std::string istanti = readFileBytes(dir.file("istanti.txt"));
    EXPECT_EQ(istanti.substr(0, 30), "veicolo\tbar. X\tbar. Y\tcorsia\tl");
    EXPECT_NE(istanti.find("velocit\xE0"), std::string::npos); // Windows-1252
    for (const auto &[file, list] : {std::pair {"istanti.txt", &s.Risultati.ContenitoreDatiTemporali},
                                     std::pair {"veicoli.txt", &s.Risultati.ContenitoreDatiVeicolari},
                                     std::pair {"valutazione.txt", &s.Risultati.ValutazioniTXT},
                                     std::pair {"rilevamenti.txt", &s.Captazione.VeicoliTOT}}) {
        TextList letta;
        letta.loadFromFile(dir.file(file));
        EXPECT_EQ(letta, *list) << file;
    }
    EXPECT_EQ(s.Risultati.ContenitoreDatiVeicolari.line(1), "0\t102\t100\tinf\t4\t,44\t180\t2\t11\t2\t0");
    EXPECT_THROW(scriviFileRisultati(s, dir.file("manca/")), FileError);
}
