// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/errors.hpp"
#include "common/files.hpp"
#include "common/text_list.hpp"
#include "safety/indicatori.hpp"
#include "safety/tabella_indicatori.hpp"
#include "state/stato_lavoro.hpp"
#include "support/scoped_number_format.hpp"
#include "support/temp_dir.hpp"

#include <gtest/gtest.h>

using namespace kalvor;

namespace {

const char *const kHeader
    = "veic\tVel\tX\tY\tArco\tSorp\tLveic\tdt\tveic\tVel\tX\tY\tArco\tSorp\tLveic\tdist\tDRAC\tMADR\tTTC";

RigaIstanti avvistamento(double veicolo, double tempo, double x, double y, double arco, double velocita, double lungh)
{
    RigaIstanti r;
    r.veicolo = veicolo;
    r.tempo = tempo;
    r.barX = x;
    r.barY = y;
    r.Arco = arco;
    r.corsia = arco;
    r.velocita = velocita;
    r.lungh = lungh;
    return r;
}

// Vehicle 1 at X 100 behind vehicle 2 at X 80 on the upper arc, then
// vehicle 7 alone at X 0 with speed 0, then vehicle 1 again.
StatoLavoro statoCalcolato()
{
    StatoLavoro stato;
    stato.TabellaIstanti
        = {avvistamento(1, 2, 100, 3, 1, 72, 4.2), avvistamento(2, 2, 80, 3, 1, 36, 5.1),
           avvistamento(7, 2.04, 0, 0.5, 1, 0, 3.75), avvistamento(1, 2.04, 99.123, 3, 1, 71.996, 4.2)};
    calcolaIndicatoriRiferimento(stato.TabellaIstanti, stato.TabellaIndicatori, stato.TabellaVeicoliVicini);
    return stato;
}

std::string withSep(std::string s, const NumberFormat &f)
{
    for (char &c : s)
        if (c == ',')
            c = f.decimalSeparator;
    return s;
}

} // namespace

TEST(TabellaIndicatori, WholeTableInBothSeparators)
{
    for (const NumberFormat &f : {NumberFormat::comma(), NumberFormat::dot()}) {
        StatoLavoro stato = statoCalcolato();
        MostraTabellaCompleta(stato, f);
        const std::vector<std::string> expected {
            "Tabella INDICATORI DI SICUREZZA",
            kHeader,
            withSep("1\t72\t100\t3\t1\t0\t4,2\t2\t2\t36\t80\t3\t1\t0\t5,1\t20\t2,5\t3,3\t2", f),
            // No vehicle ahead: the empty-for-0 columns are empty, the others "0".
            withSep("2\t36\t80\t3\t1\t0\t5,1\t2\t0\t0\t\t\t0\t0\t0\t0\t0\t3,3\t0", f),
            // X 0 empty, speed 0 as "0", values below 1 without a leading 0.
            withSep("7\t0\t\t,5\t1\t0\t3,75\t2,04\t0\t0\t\t\t0\t0\t0\t0\t0\t3,3\t0", f),
            // Vehicle 7 ahead at X 0: its X empty, its speed "0"; d = 99.154, DRAC 2.017, TTC 4.958.
            withSep("1\t72\t99,12\t3\t1\t0\t4,2\t2,04\t7\t0\t\t,5\t1\t0\t3,75\t99,15\t2,02\t3,3\t4,96", f),
        };
        EXPECT_EQ(stato.IndicatoriSicurezza.Tabella.lines(), expected);
    }
}

TEST(TabellaIndicatori, OneVehicle)
{
    kalvor::testing::ScopedNumberFormat comma(NumberFormat::comma());
    struct Case
    {
        std::string typed;
        std::vector<std::string> lines;
    };
    const std::string row1a = "1\t72\t100\t3\t1\t0\t4,2\t2\t2\t36\t80\t3\t1\t0\t5,1\t20\t2,5\t3,3\t2";
    const std::string row1b = "1\t72\t99,12\t3\t1\t0\t4,2\t2,04\t7\t0\t\t,5\t1\t0\t3,75\t99,15\t2,02\t3,3\t4,96";
    const Case cases[] = {
        {"1", {"Tabella INDICATORI DI SICUREZZA veicolo : 1", kHeader, row1a, row1b}},
        // The title repeats the text as typed; the selection takes its value.
        {"001", {"Tabella INDICATORI DI SICUREZZA veicolo : 001", kHeader, row1a, row1b}},
        {" +1", {"Tabella INDICATORI DI SICUREZZA veicolo :  +1", kHeader, row1a, row1b}},
        {"5", {"Tabella INDICATORI DI SICUREZZA veicolo : 5", kHeader}},
        {"-1", {"Tabella INDICATORI DI SICUREZZA veicolo : -1", kHeader}},
    };
    for (const Case &c : cases) {
        StatoLavoro stato = statoCalcolato();
        stato.IndicatoriSicurezza.VeicoloTXT = c.typed;
        MostraTabellaVeicolo(stato);
        EXPECT_EQ(stato.IndicatoriSicurezza.Tabella.lines(), c.lines) << c.typed;
    }
}

TEST(TabellaIndicatori, NotAnIntegerLeavesTheTextAreaAsItWas)
{
    for (const char *typed : {"", "1,5", "uno", "1 "}) {
        StatoLavoro stato = statoCalcolato();
        stato.IndicatoriSicurezza.Tabella = {"Inizio calcolo", "10:00:00"};
        stato.IndicatoriSicurezza.VeicoloTXT = typed;
        EXPECT_THROW(MostraTabellaVeicolo(stato), ConversionError) << typed;
        EXPECT_EQ(stato.IndicatoriSicurezza.Tabella, (TextList {"Inizio calcolo", "10:00:00"}));
    }
}

TEST(TabellaIndicatori, BeforeAnyComputationTitleAndHeaderOnly)
{
    StatoLavoro stato;
    MostraTabellaCompleta(stato);
    EXPECT_EQ(stato.IndicatoriSicurezza.Tabella, (TextList {"Tabella INDICATORI DI SICUREZZA", kHeader}));
}

TEST(TabellaIndicatori, SavedAsWindows1252WithCrLfAndNoBom)
{
    kalvor::testing::TempDir dir;
    const std::string path = dir.file("Indicatori.txt");
    StatoLavoro stato = statoCalcolato();
    MostraTabellaVeicolo(stato, NumberFormat::comma());
    stato.IndicatoriSicurezza.Tabella.append("città");
    SalvaTabellaIndicatori(stato.IndicatoriSicurezza.Tabella, path);
    const std::string expected = std::string("Tabella INDICATORI DI SICUREZZA veicolo : 0\r\n") + kHeader
        + "\r\n"
          "citt\xe0\r\n";
    EXPECT_EQ(readFileBytes(path), expected);

    // A file that cannot be written is an error and leaves the earlier one whole.
    stato.IndicatoriSicurezza.Tabella.append(
        "\xe2\x82\xac\xe2\x80\xa6 \xf0\x9f\x9a\x97"); // a car: not in the code page
    EXPECT_THROW(SalvaTabellaIndicatori(stato.IndicatoriSicurezza.Tabella, path), ConversionError);
    EXPECT_EQ(readFileBytes(path), expected);
    EXPECT_THROW(SalvaTabellaIndicatori(stato.IndicatoriSicurezza.Tabella, dir.file("no/such/folder.txt")), Error);
}
