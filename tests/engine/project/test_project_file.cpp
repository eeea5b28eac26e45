// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/errors.hpp"
#include "common/files.hpp"
#include "extraction/frame_file.hpp"
#include "extraction/png_io.hpp"
#include "project/assembly.hpp"
#include "project/project_reader.hpp"
#include "project/project_writer.hpp"
#include "recording_steps.hpp"
#include "state_dump.hpp"
#include "support/scoped_number_format.hpp"
#include "support/temp_dir.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace kalvor;
using kalvor::testing::RecordingSteps;
using kalvor::testing::ScopedNumberFormat;
using kalvor::testing::TempDir;

namespace {

void writeBytes(const std::string &path, const std::string &bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

TextList numbered(const std::string &prefix, int n)
{
    TextList l;
    for (int i = 0; i < n; ++i)
        l.append(prefix + std::to_string(i));
    return l;
}

// A job in which every saved item holds a value of its own.
StatoLavoro fullJob(const NumberFormat &f)
{
    const std::string sep(1, f.decimalSeparator);
    StatoLavoro s(f);
    s.Riferimenti = {"Ponte sul Po", "Anna Rossi", "16/11/2010"};
    s.Estrattore.step = "0" + sep + "5";
    s.Estrattore.ListaFotogrammi = {"0", "1", "2"};
    s.Estrattore.ListaTempi = {"0", "0" + sep + "5", "1"};
    s.SceltaVersoLetture.Origine6400 = true;
    s.SceltaVersoLetture.usoGPS = true;
    s.Prospettiva.FotogrammaIniziale = "2";
    s.Prospettiva.coordinataXPixelP = {"10", "200", "400"};
    s.Prospettiva.coordinataYPixelP = {"300", "290", "280"};
    s.Prospettiva.DistanzeRealiP = {"12" + sep + "5", "20"};
    s.Prospettiva.coordinataX_GPSp = {"100", "112" + sep + "5", "132"};
    s.Prospettiva.coordinataY_GPSp = {"7", "7" + sep + "25", "7" + sep + "5"};
    s.AreaCaptazione.FotogrammaIniziale = "1";
    s.AreaCaptazione.PuntiRiferimento = {"240", "20", "230", "620", "200", "300", "280", "300"};
    s.Calibrazione.ImmagineIniziale = "3";
    s.Calibrazione.ImmagineFinale = "33";
    s.Calibrazione.VeicoloIniziale = "7";
    s.Calibrazione.VariazionePosTXT = "40";
    s.Calibrazione.LunghezzaMinTXT = "1" + sep + "5";
    s.Calibrazione.AreaVeicoloTXT = "3";
    s.Calibrazione.MargineSuperiore = "11";
    s.Calibrazione.MargineInferiore = "-11";
    s.Captazione.ImmagineIniziale = "4";
    s.Captazione.ImmagineFinale = "44";
    s.Captazione.VeicoloIniziale = "8";
    s.Captazione.VariazionePosTXT = "41";
    s.Captazione.LunghezzaMinTXT = "2" + sep + "5";
    s.Captazione.AreaVeicoloTXT = "3" + sep + "25";
    s.Captazione.MargineSuperiore = "16";
    s.Captazione.MargineInferiore = "-16";
    s.Captazione.fotogrammaTXT = "2";
    s.CP.FotogrammaAttuale = 2;
    s.Captazione.NumeroVeicoliTXT = "11";
    s.Captazione.veicoliAtt = numbered("a", 9);
    s.Captazione.veicoliPrec = numbered("p", 18);
    s.Captazione.VeicoliTOT = numbered("t", 27);
    return s;
}

std::vector<std::string> lines(const TextList &l)
{
    return l.lines();
}

} // namespace

TEST(ProjectFile, EverySavedItemSurvivesASaveInBothSeparators)
{
    for (const auto &f : {NumberFormat::comma(), NumberFormat::dot()}) {
        const ScopedNumberFormat scoped(f);
        TempDir dir;
        writePng(frameFileName(dir.path(), 2), RgbImage(3, 2));
        const StatoLavoro saved = fullJob(f);
        writeProjectFile(dir.file("lavoro.kvr"), saved);

        StatoLavoro back(f);
        RecordingSteps steps(back);
        readProjectFile(dir.file("lavoro.kvr"), back, steps);
        // The folder is the file's own; the counter holds the next number.
        EXPECT_EQ(back.Estrattore.Cartella, dir.path());
        EXPECT_EQ(back.CP.NumeroVeicolo, 12);
        StatoLavoro expected = saved;
        expected.Estrattore.Cartella = dir.path();
        expected.CP.NumeroVeicolo = 12;
        EXPECT_EQ(kalvor::testing::dumpProjectState(back), kalvor::testing::dumpProjectState(expected));
    }
}

TEST(ProjectFile, CurrentFrameIsWrittenFromTheCounterNotTheCaption)
{
    StatoLavoro s(NumberFormat::comma());
    s.Captazione.fotogrammaTXT = "00000";
    s.CP.FotogrammaAttuale = 42;
    const auto l = lines(projectFileLines(s));
    const auto at = std::find(l.begin(), l.end(), "Fotogramma");
    ASSERT_NE(at, l.end());
    EXPECT_EQ(*(at + 1), "42");
}

TEST(ProjectFile, OriginLinesFollowTheSetMarks)
{
    struct Case
    {
        bool o00, o640480, o0480, o6400;
        std::vector<std::string> expected; // lines between "verso" and "usato gps"
    };
    const Case cases[] = {
        {false, false, false, false, {}},        {true, false, false, false, {"00"}},
        {false, true, false, false, {"640480"}}, {false, false, true, false, {"0480"}},
        {false, false, false, true, {"6400"}},   {true, true, true, true, {"00", "0480", "6400", "640480"}},
    };
    for (const auto &c : cases) {
        StatoLavoro s(NumberFormat::comma());
        s.SceltaVersoLetture = {c.o00, c.o640480, c.o0480, c.o6400, false};
        const auto l = lines(projectFileLines(s));
        const auto verso = std::find(l.begin(), l.end(), "verso");
        const auto gps = std::find(l.begin(), l.end(), "usato gps");
        ASSERT_TRUE(verso != l.end() && gps != l.end());
        EXPECT_EQ(std::vector<std::string>(verso + 1, gps), c.expected);
        EXPECT_EQ(*(gps + 1), "no");
    }
}

TEST(ProjectFile, BlockRulesByListLength)
{
    struct Case
    {
        int n;
        int referenceLinesWritten;
        int vehicleLinesWritten;
    };
    // Reference lists keep every line; a vehicle list needs six lines or more.
    const Case cases[] = {{0, 0, 0}, {1, 1, 0}, {5, 5, 0}, {6, 6, 6}, {9, 9, 9}};
    for (const auto &c : cases) {
        StatoLavoro s(NumberFormat::comma());
        s.Prospettiva.coordinataXPixelP = numbered("x", c.n);
        s.Prospettiva.DistanzeRealiP = numbered("d", c.n);
        s.AreaCaptazione.PuntiRiferimento = numbered("c", c.n);
        s.Captazione.veicoliAtt = numbered("a", c.n);
        s.Captazione.VeicoliTOT = numbered("t", c.n);
        const auto l = lines(projectFileLines(s));
        const auto count = [&](const char *label, const char *end) {
            const auto b = std::find(l.begin(), l.end(), label);
            const auto e = std::find(b, l.end(), end);
            return static_cast<int>(e - b) - 1;
        };
        EXPECT_EQ(count("Coordinata X Pixel", "---fine X"), c.referenceLinesWritten) << c.n;
        EXPECT_EQ(count("Distanze Reali", "---fine d"), c.referenceLinesWritten) << c.n;
        EXPECT_EQ(count("Coordinate", "---fine c"), c.referenceLinesWritten) << c.n;
        EXPECT_EQ(count("Veicoli Attuali", "---fine a"), c.vehicleLinesWritten) << c.n;
        EXPECT_EQ(count("Veicoli Totali", "---fine t"), c.vehicleLinesWritten) << c.n;
        EXPECT_EQ(l.back(), "---fine t");
        // GPS blocks only when they hold lines.
        EXPECT_EQ(std::find(l.begin(), l.end(), "Coordinata X GPS"), l.end());
    }
}

TEST(ProjectFile, FailedSaveLeavesTheOldFile)
{
    TempDir dir;
    const std::string path = dir.file("lavoro.kvr");
    writeBytes(path, "vecchio\r\n");
    struct Case
    {
        const char *what;
        void (*spoil)(StatoLavoro &);
    };
    const Case cases[] = {
        {"line break in a field", [](StatoLavoro &s) { s.Riferimenti.luogo = "Roma\r\nNapoli"; }},
        {"line break in a list line", [](StatoLavoro &s) { s.Captazione.VeicoliTOT = numbered("t\n", 9); }},
        {"character outside Windows-1252", [](StatoLavoro &s) { s.Riferimenti.elaboratore = "Ωmega"; }},
    };
    for (const auto &c : cases) {
        StatoLavoro s(NumberFormat::comma());
        c.spoil(s);
        EXPECT_THROW(writeProjectFile(path, s), Error) << c.what;
        EXPECT_EQ(readFileBytes(path), "vecchio\r\n") << c.what;
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1) << "no temporary file left";
}

TEST(ProjectFile, UnreadableFileChangesNothing)
{
    StatoLavoro s(NumberFormat::comma());
    s.Estrattore.Cartella = "/frames/";
    RecordingSteps steps(s);
    std::vector<int> progress;
    EXPECT_THROW(readProjectFile("/nonexistent/lavoro.kvr", s, steps, [&](int p) { progress.push_back(p); }),
                 FileError);
    EXPECT_EQ(s.Estrattore.Cartella, "/frames/");
    EXPECT_TRUE(steps.calls.empty());
    EXPECT_TRUE(progress.empty());
}

TEST(ProjectFile, FilesThatAreNotJobsAreRefusedBeforeAnythingChanges)
{
    TempDir dir;
    writePng(dir.file("foto.png"), RgbImage(4, 3));
    const std::string png = readFileBytes(dir.file("foto.png"));
    const struct
    {
        const char *name;
        std::string bytes;
        const char *why;
    } cases[] = {
        {"foto.kvr", png, "contiene byte"},
        {"vuoto.kvr", "", "il file è vuoto"},
        {"righe_vuote.kvr", "\r\n\r\n\r\n", "il file è vuoto"},
        {"appunti.txt", "Lista della spesa\r\npane\r\nlatte\r\nuova\r\nburro\r\nmiele\r\nsale\r\n",
         "non contiene l'intestazione"},
        {"binario.kvr", "---DATI GENERALI---\r\n" + std::string("ab\0cd", 5) + "\r\n", "contiene byte"},
        {"utf16.kvr",
         std::string("\xFF\xFE"
                     "a\0b\0",
                     6),
         "non contiene l'intestazione"},
    };
    for (const auto &c : cases) {
        writeBytes(dir.file(c.name), c.bytes);
        StatoLavoro s(NumberFormat::comma());
        s.Estrattore.Cartella = "/frames/";
        s.Riferimenti.luogo = "Verona";
        RecordingSteps steps(s);
        std::vector<int> progress;
        try {
            readProjectFile(dir.file(c.name), s, steps, [&](int p) { progress.push_back(p); });
            ADD_FAILURE() << c.name << " was read";
        } catch (const RefusalError &e) {
            const std::string what = e.what();
            EXPECT_EQ(what.rfind(std::string("«") + c.name + "» non è un file dati KALVOR: ", 0), 0u) << what;
            EXPECT_NE(what.find(c.why), std::string::npos) << what;
        }
        EXPECT_EQ(s.Estrattore.Cartella, "/frames/") << c.name;
        EXPECT_EQ(s.Riferimenti.luogo, "Verona") << c.name;
        EXPECT_TRUE(steps.calls.empty()) << c.name;
        EXPECT_TRUE(progress.empty()) << c.name;
    }
}

TEST(ProjectFile, HandEditedFileWithAHeaderFurtherDownIsStillAJob)
{
    TempDir dir;
    writeBytes(dir.file("a_mano.kvr"),
               "dati\r\n\r\nRoma\r\n\r\nAnna\r\n\r\n1/1/2020\r\n---CALIBRAZIONE---\r\n"
               "x\r\n10\r\n");
    StatoLavoro s(NumberFormat::comma());
    RecordingSteps steps(s);
    EXPECT_THROW(readProjectFile(dir.file("a_mano.kvr"), s, steps), ListIndexError); // cut short, but read
    EXPECT_EQ(s.Riferimenti.luogo, "Roma");
    EXPECT_EQ(s.Calibrazione.ImmagineIniziale, "10");
}

TEST(ProjectFile, LastVehicleNumberAtTheIntegerLimitIsRefused)
{
    TempDir dir;
    writePng(frameFileName(dir.path(), 0), RgbImage(1, 1));
    StatoLavoro s(NumberFormat::comma());
    s.Captazione.NumeroVeicoliTXT = "2147483647";
    writeProjectFile(dir.file("lavoro.kvr"), s);
    StatoLavoro back(NumberFormat::comma());
    RecordingSteps steps(back);
    EXPECT_THROW(readProjectFile(dir.file("lavoro.kvr"), back, steps), ConversionError);
    EXPECT_EQ(back.Captazione.NumeroVeicoliTXT, "2147483647");
}

TEST(ProjectFile, BlockReading)
{
    const TextList file = {"A", "1", "2", "fine", "x", "A", "3", "fine", "A"};
    struct Case
    {
        int start;
        const char *label;
        const char *end;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {0, "A", "fine", {"1", "2", "3"}}, // every label to the end; a label on the last line adds nothing
        {1, "A", "fine", {"3"}}, // only labels from the start line
        {0,
         "A",
         "nessuna",
         {"1", "2", "fine", "x", "A", "3", "fine", "A", "3", "fine", "A"}}, // no end: to the end of the file
        {0, "1", "2", {}},
        {20, "A", "fine", {}},
        {0, "a", "fine", {}}, // labels are compared exactly
    };
    for (const auto &c : cases) {
        TextList got = {"prima"};
        readBlock(file, c.start, c.label, c.end, got);
        std::vector<std::string> expected = {"prima"};
        expected.insert(expected.end(), c.expected.begin(), c.expected.end());
        EXPECT_EQ(got.lines(), expected) << c.start << " " << c.label << " " << c.end;
    }
}

TEST(Assembly, MissingInputWritesNothing)
{
    TempDir dir;
    StatoLavoro s(NumberFormat::comma());
    writeProjectFile(dir.file("uno.kvr"), s);
    EXPECT_THROW(assembleProjectFiles({dir.file("uno.kvr"), dir.file("manca.kvr")}, dir.file("dati.kvr")), FileError);
    EXPECT_FALSE(std::filesystem::exists(dir.file("dati.kvr")));
}

TEST(Assembly, AssembledJobReadsBackWithAllRecords)
{
    TempDir dir;
    writePng(frameFileName(dir.path(), 2), RgbImage(1, 1));
    StatoLavoro a = fullJob(NumberFormat::comma());
    StatoLavoro b = fullJob(NumberFormat::comma());
    b.Captazione.VeicoliTOT = numbered("u", 18);
    writeProjectFile(dir.file("a.kvr"), a);
    writeProjectFile(dir.file("b.kvr"), b);
    assembleProjectFiles({dir.file("a.kvr"), dir.file("b.kvr")}, dir.file("dati.kvr"));

    StatoLavoro back(NumberFormat::comma());
    RecordingSteps steps(back);
    readProjectFile(dir.file("dati.kvr"), back, steps);
    TextList expected = a.Captazione.VeicoliTOT;
    for (const auto &l : b.Captazione.VeicoliTOT.lines())
        expected.append(l);
    EXPECT_EQ(back.Captazione.VeicoliTOT, expected);
    EXPECT_TRUE(back.Captazione.veicoliAtt.empty());
    EXPECT_TRUE(back.Captazione.veicoliPrec.empty());
    EXPECT_EQ(back.Calibrazione.ImmagineIniziale, "3");
    EXPECT_EQ(back.Calibrazione.ImmagineFinale, "13");
    EXPECT_EQ(back.Captazione.ImmagineIniziale, "3");
    EXPECT_EQ(back.Captazione.ImmagineFinale, "13");
}
