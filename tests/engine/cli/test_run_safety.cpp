// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/run_safety.hpp"
#include "common/files.hpp"
#include "results/cartella_excel.hpp"
#include "state/stato_lavoro.hpp"
#include "support/scoped_number_format.hpp"
#include "support/temp_dir.hpp"

#include <gtest/gtest.h>

using namespace kalvor;

TEST(RunSafetyStage, WritesTheIndicatorTableAndTheWorkbook)
{
    kalvor::testing::ScopedNumberFormat comma(NumberFormat::comma());
    StatoLavoro s;
    RigaIstanti a;
    a.veicolo = 1;
    a.barX = 100;
    a.corsia = 1;
    a.Arco = 1;
    a.tempo = 2;
    a.velocita = 72;
    a.lungh = 4.5;
    RigaIstanti b = a;
    b.veicolo = 2;
    b.barX = 80;
    b.velocita = 36;
    s.TabellaIstanti = {a, b};
    s.TabellaVeicoli = {a, b};

    kalvor::testing::TempDir dir;
    std::string folder = dir.path();
    folder.pop_back(); // without the final separator
    cli::runSafetyStage(s, folder);
    EXPECT_EQ(readFileBytes(dir.file("indicatori.txt")),
              "Tabella INDICATORI DI SICUREZZA\r\n"
              "veic\tVel\tX\tY\tArco\tSorp\tLveic\tdt\tveic\tVel\tX\tY\tArco\tSorp\tLveic\tdist\tDRAC\tMADR\tTTC\r\n"
              "1\t72\t100\t\t1\t0\t4,5\t2\t2\t36\t80\t\t1\t0\t4,5\t20\t2,5\t3,3\t2\r\n"
              "2\t36\t80\t\t1\t0\t4,5\t2\t0\t0\t\t\t0\t0\t0\t0\t0\t3,3\t0\r\n");
    EXPECT_EQ(readFileBytes(dir.file("veicoli.xlsx")), cartellaExcel(s.TabellaVeicoli));
}
