// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/run_analysis.hpp"
#include "common/errors.hpp"
#include "common/files.hpp"
#include "support/scoped_number_format.hpp"
#include "support/temp_dir.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

using namespace kalvor;
using namespace kalvor::cli;
using kalvor::testing::TempDir;

namespace {

RigaIstanti avvistamento(double veicolo, int arco, double tempo, double x, double velocita, double lungh)
{
    RigaIstanti r;
    r.veicolo = veicolo;
    r.barX = x;
    r.barY = arco == 1 ? 1.75 : -1.75;
    r.corsia = arco;
    r.lungh = lungh;
    r.tempo = tempo;
    r.velocita = velocita;
    r.fotogr = tempo * 10;
    r.Arco = arco;
    return r;
}

// Vehicles 1 and 2 of arc 2 pass the section X = 12 with their fronts at
// 0.5 s and 1.7 s (headway 1.2 s); the rear of 1 leaves it at 0.7 s (PET
// 1.0 s). Vehicle 3 of arc 1 passes alone. The area's axis runs from the
// pixel (row 0, column 0) at X = 4 m to (row 1, column 3) at X = 20 m.
StatoLavoro statoEsempio()
{
    StatoLavoro s;
    s.TabellaIstanti = {
        avvistamento(1, 2, 0.0, 0.0, 0.0, 4.0),   avvistamento(3, 1, 0.2, 30.0, 0.0, 4.0),
        avvistamento(1, 2, 0.5, 10.0, 72.0, 4.0), avvistamento(3, 1, 0.6, 20.0, 90.0, 4.0),
        avvistamento(1, 2, 1.0, 20.0, 72.0, 4.0), avvistamento(2, 2, 1.0, 0.0, 0.0, 6.0),
        avvistamento(3, 1, 1.0, 10.0, 90.0, 4.0), avvistamento(2, 2, 1.5, 5.0, 36.0, 6.0),
        avvistamento(2, 2, 2.0, 15.0, 72.0, 6.0),
    };
    for (double v : {1.0, 2.0, 3.0})
        for (const RigaIstanti &r : s.TabellaIstanti)
            if (r.veicolo == v)
                s.TabellaVeicoli.push_back(r);
    s.AreaCaptazione.PuntiRiferimento = {"0", "0", "1", "3", "5", "0", "9", "0"};
    s.GrigliaMetrica.resize(2, 4);
    s.GrigliaMetrica.at(0, 0, 0) = 4.0;
    s.GrigliaMetrica.at(1, 3, 0) = 20.0;
    return s;
}

} // namespace

TEST(RunAnalysis, WritesEveryFileThatPythonReadsBack)
{
    // The user's separator is a comma; the files keep dots.
    kalvor::testing::ScopedNumberFormat virgola(NumberFormat::comma());
    TempDir dir;
    const std::string cartella = dir.file("analisi/nuova");
    OpzioniRunAnalisi opzioni;
    opzioni.durataIntervallo = 1.5;
    const auto scritti = runAnalysis(statoEsempio(), cartella, opzioni);
    ASSERT_EQ(scritti.size(), 7u);
    for (const std::string &f : scritti)
        EXPECT_TRUE(std::filesystem::is_regular_file(f)) << f;

    const std::string comando
        = std::string("/usr/bin/python3 ") + KALVOR_SOURCE_DIR + "/tests/cli/check_analysis_files.py " + cartella;
    EXPECT_EQ(std::system(comando.c_str()), 0) << comando;
}

TEST(RunAnalysis, AFolderThatCannotBeMadeIsAFileErrorAndNothingIsWritten)
{
    TempDir dir;
    writeFileAtomically(dir.file("occupato"), "x");
    EXPECT_THROW(runAnalysis(statoEsempio(), dir.file("occupato/sotto")), FileError);
    EXPECT_EQ(readFileBytes(dir.file("occupato")), "x");
}

TEST(RunAnalysis, IntervalOption)
{
    kalvor::testing::ScopedNumberFormat virgola(NumberFormat::comma());
    struct Caso
    {
        std::vector<std::string> args;
        bool letta;
        double durata;
        std::size_t dopo;
    };
    const Caso casi[] = {
        {{"--intervallo", "30"}, true, 30.0, 1},
        {{"--intervallo", "2,5"}, true, 2.5, 1},
        {{"--out", "x"}, false, 60.0, 0},
    };
    for (const Caso &c : casi) {
        OpzioniRunAnalisi o;
        std::size_t i = 0;
        EXPECT_EQ(leggiOpzioneIntervallo(c.args, i, o), c.letta);
        EXPECT_EQ(o.durataIntervallo, c.durata);
        EXPECT_EQ(i, c.dopo);
    }
    const std::vector<std::vector<std::string>> errati {
        {"--intervallo"}, {"--intervallo", "0"}, {"--intervallo", "-5"}, {"--intervallo", "2.5"}};
    for (const auto &args : errati) {
        OpzioniRunAnalisi o;
        std::size_t i = 0;
        EXPECT_THROW(leggiOpzioneIntervallo(args, i, o), Error) << args.back();
    }
}

TEST(RunAnalysis, AJobWithoutSightingsGivesFilesWithTheirHeadersOnly)
{
    TempDir dir;
    const auto scritti = runAnalysis(StatoLavoro {}, dir.path());
    ASSERT_EQ(scritti.size(), 7u);
    EXPECT_EQ(readFileBytes(dir.file("traiettorie.csv")),
              "vehicle,lane,arc,frame,time_s,x_m,y_m,speed_kmh,length_m,distance_m,out_of_arc\r\n");
    EXPECT_EQ(readFileBytes(dir.file("indicatori_estesi.csv")).find('\n') + 1,
              readFileBytes(dir.file("indicatori_estesi.csv")).size());
    // One interval per arc with no time observed: no flow to give.
    const std::string flussi = readFileBytes(dir.file("flussi.csv"));
    EXPECT_NE(flussi.find("\r\nsup,0,60,0,0,,,,,,,\r\ninf,0,60,0,0,,,,,,,\r\n"), std::string::npos) << flussi;
    EXPECT_NE(readFileBytes(dir.file("velocita_sup.svg")).find("nessun veicolo"), std::string::npos);
}
