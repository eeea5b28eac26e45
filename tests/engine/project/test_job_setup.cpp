// SPDX-License-Identifier: GPL-3.0-or-later
// A job described by values: confirmed as the screens confirm it, written,
// and read back by the program's reader with every item in place; and every
// refusal, one per broken item, with its message.
#include "common/errors.hpp"
#include "extraction/frame_file.hpp"
#include "extraction/png_io.hpp"
#include "project/headless_project_steps.hpp"
#include "project/job_check.hpp"
#include "project/job_confirmation.hpp"
#include "project/job_setup.hpp"
#include "project/project_numbers.hpp"
#include "project/project_reader.hpp"
#include "project/project_writer.hpp"
#include "support/scoped_number_format.hpp"
#include "support/temp_dir.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>

using namespace kalvor;
using kalvor::testing::ScopedNumberFormat;
using kalvor::testing::TempDir;

namespace {

constexpr int kWidth = 160;
constexpr int kHeight = 120;

void writeFrames(const TempDir &dir, int count)
{
    for (int n = 0; n < count; ++n)
        writePng(frameFileName(dir.path(), n), RgbImage(kWidth, kHeight));
}

// Six frames, three reference points, the axis given right to left.
JobSetup sixFrameSetup()
{
    JobSetup j;
    j.luogo = "Via Roma";
    j.elaboratore = "Anna";
    j.dataelaborazione = "09/12/2026";
    j.step = 0.2;
    for (int n = 0; n < 6; ++n) {
        j.frames.push_back(n);
        j.times.push_back(0.2 * n);
    }
    j.direction = ReadingDirection::Origine0480;
    j.points = {{20, 100}, {80, 60}, {140, 20}};
    j.distances = {12.5, 10.25};
    j.referenceFrame = 1;
    j.areaFrame = 2;
    j.area = {{150, 70}, {10, 60}, {30, 40}, {30, 90}};
    j.calibration.ImmagineIniziale = "0";
    j.calibration.ImmagineFinale = "5";
    j.capture.ImmagineIniziale = "1";
    j.capture.ImmagineFinale = "4";
    j.capture.LunghezzaMinTXT = "2,5";
    return j;
}

std::vector<std::string> lines(const TextList &l)
{
    return l.lines();
}

} // namespace

TEST(JobSetup, ConfirmedWrittenAndReadBackWithEveryItemInPlace)
{
    const ScopedNumberFormat comma(NumberFormat::comma());
    TempDir dir;
    writeFrames(dir, 6);
    StatoLavoro job = jobState(sixFrameSetup());
    job.Estrattore.Cartella = dir.path();
    ASSERT_EQ(problemsText(confirmJob(job, kWidth, kHeight)), "");
    writeProjectFile(dir.file("lavoro.kvr"), job);

    StatoLavoro s;
    HeadlessProjectSteps steps(s);
    readProjectFile(dir.file("lavoro.kvr"), s, steps);
    EXPECT_EQ(s.Riferimenti.luogo, "Via Roma");
    EXPECT_EQ(s.Riferimenti.elaboratore, "Anna");
    EXPECT_EQ(s.Riferimenti.dataelaborazione, "09/12/2026");
    EXPECT_EQ(s.Estrattore.step, "0,2");
    EXPECT_EQ(lines(s.Estrattore.ListaFotogrammi), (std::vector<std::string> {"0", "1", "2", "3", "4", "5"}));
    EXPECT_EQ(lines(s.Estrattore.ListaTempi), (std::vector<std::string> {"0", "0,2", "0,4", "0,6", "0,8", "1"}));
    EXPECT_TRUE(s.SceltaVersoLetture.Origine0480);
    EXPECT_FALSE(s.SceltaVersoLetture.Origine00 || s.SceltaVersoLetture.Origine640480
                 || s.SceltaVersoLetture.Origine6400 || s.SceltaVersoLetture.usoGPS);
    EXPECT_EQ(s.Prospettiva.FotogrammaIniziale, "1");
    EXPECT_EQ(lines(s.Prospettiva.coordinataXPixelP), (std::vector<std::string> {"20", "80", "140"}));
    EXPECT_EQ(lines(s.Prospettiva.coordinataYPixelP), (std::vector<std::string> {"100", "60", "20"}));
    EXPECT_EQ(lines(s.Prospettiva.DistanzeRealiP), (std::vector<std::string> {"12,5", "10,25"}));
    EXPECT_EQ(s.AreaCaptazione.FotogrammaIniziale, "2");
    // P1 and P2 swapped as the area screen's confirmation swaps them.
    EXPECT_EQ(lines(s.AreaCaptazione.PuntiRiferimento),
              (std::vector<std::string> {"60", "10", "70", "150", "40", "30", "90", "30"}));
    EXPECT_EQ(s.Calibrazione.ImmagineIniziale, "0");
    EXPECT_EQ(s.Calibrazione.ImmagineFinale, "5");
    EXPECT_EQ(s.Calibrazione.MargineSuperiore, "12");
    EXPECT_EQ(s.Captazione.ImmagineIniziale, "1");
    EXPECT_EQ(s.Captazione.ImmagineFinale, "4");
    EXPECT_EQ(s.Captazione.LunghezzaMinTXT, "2,5");
    EXPECT_EQ(s.Captazione.MargineInferiore, "-15");
    EXPECT_EQ(s.CP.NumeroFotogrammiMedia, 4);
    EXPECT_EQ(steps.referenceFrame().width, kWidth);

    // The job read back confirms again with nothing left to change.
    const auto area = lines(s.AreaCaptazione.PuntiRiferimento);
    EXPECT_TRUE(confirmJob(s, kWidth, kHeight).empty());
    EXPECT_EQ(lines(s.AreaCaptazione.PuntiRiferimento), area);
}

TEST(JobSetup, EveryRefusalNamesItsItemAndLeavesTheOthersConfirmed)
{
    const ScopedNumberFormat comma(NumberFormat::comma());
    struct Case
    {
        const char *what;
        // Breaks the setup, or the job made from it.
        std::function<void(JobSetup &, StatoLavoro *)> breakIt;
        const char *item;
        const char *message;
    };
    const std::vector<Case> cases = {
        {"no frames", [](JobSetup &j, StatoLavoro *) { j.frames.clear(), j.times.clear(); }, "Estrattore",
         "nessun fotogramma estratto"},
        {"a time that is no number",
         [](JobSetup &, StatoLavoro *s) {
             if (s)
                 s->Estrattore.ListaTempi.setLine(2, "0.4");
         },
         "Estrattore", "'0.4'"},
        {"no reference point", [](JobSetup &j, StatoLavoro *) { j.points.clear(), j.distances.clear(); }, "Prospettiva",
         "Nessun punto di riferimento"},
        {"reference point outside",
         [](JobSetup &j, StatoLavoro *) {
             j.points[2] = {160, 20};
         },
         "Prospettiva", "fuori dal fotogramma"},
        {"one distance too few", [](JobSetup &j, StatoLavoro *) { j.distances.pop_back(); }, "Prospettiva",
         "servono 2"},
        {"reference frame not extracted", [](JobSetup &j, StatoLavoro *) { j.referenceFrame = 6; }, "Prospettiva",
         "il fotogramma iniziale 6 non è fra i fotogrammi estratti (0–5)"},
        {"three area points", [](JobSetup &j, StatoLavoro *) { j.area.pop_back(); }, "AreaCaptazione",
         "Servono quattro punti"},
        {"area point outside",
         [](JobSetup &j, StatoLavoro *) {
             j.area[3] = {30, 120};
         },
         "AreaCaptazione", "è fuori dal fotogramma (160 × 120 pixel)"},
        {"vertical axis", [](JobSetup &j, StatoLavoro *) { j.area[1].x = 150; }, "AreaCaptazione",
         "stessa colonna 150"},
        {"calibration beyond the frames", [](JobSetup &j, StatoLavoro *) { j.calibration.ImmagineFinale = "200"; },
         "Calibrazione", "l'intervallo 0–200 esce dai fotogrammi estratti (0–5): manca il fotogramma 6"},
        {"capture reversed", [](JobSetup &j, StatoLavoro *) { j.capture.ImmagineFinale = "0"; }, "Captazione",
         "l'immagine finale 0 precede l'immagine iniziale 1"},
        {"a parameter that is no number", [](JobSetup &j, StatoLavoro *) { j.calibration.AreaVeicoloTXT = "4.5"; },
         "Calibrazione", "'4.5'"},
        {"a margin that is no integer", [](JobSetup &j, StatoLavoro *) { j.capture.MargineSuperiore = "1,5"; },
         "Captazione", "'1,5'"},
        {"a frame file missing",
         [](JobSetup &, StatoLavoro *s) {
             if (s)
                 std::filesystem::remove(frameFileName(s->Estrattore.Cartella, 3));
         },
         "Calibrazione", "manca il file del fotogramma 3"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        writeFrames(dir, 6);
        JobSetup setup = sixFrameSetup();
        c.breakIt(setup, nullptr);
        StatoLavoro job = jobState(setup);
        job.Estrattore.Cartella = dir.path();
        c.breakIt(setup, &job);
        const auto problems = confirmJob(job, kWidth, kHeight);
        ASSERT_GE(problems.size(), 1u);
        EXPECT_EQ(problems[0].item, c.item);
        EXPECT_NE(problems[0].message.find(c.message), std::string::npos) << problems[0].message;
        // A missing file falls in both intervals; every other fault is one item's.
        if (std::string(c.what) != "a frame file missing") {
            EXPECT_EQ(problems.size(), 1u) << problemsText(problems);
        }
        EXPECT_THROW(requireConfirmedJob(job, kWidth, kHeight), RefusalError);
    }
}

TEST(ProjectNumbers, AValueThatDoesNotConvertNamesLineItemAndText)
{
    const ScopedNumberFormat comma(NumberFormat::comma());
    StatoLavoro job = jobState(sixFrameSetup());
    job.Prospettiva.DistanzeRealiP.setLine(1, "10,2,5");
    job.Captazione.MargineSuperiore = "15.";
    const TextList text = projectFileLines(job);
    const auto problems = checkProjectNumbers(text, NumberFormat::comma());
    ASSERT_EQ(problems.size(), 2u) << problemsText(problems);
    const int distance
        = 1 + static_cast<int>(std::find(text.lines().begin(), text.lines().end(), "10,2,5") - text.lines().begin());
    EXPECT_EQ(problems[0].item, "riga " + std::to_string(distance) + " (Prospettiva.DistanzeRealiP)");
    EXPECT_EQ(problems[0].message, "'10,2,5' non è un valore decimale valido.");
    EXPECT_EQ(text.line(distance - 1), "10,2,5");
    EXPECT_NE(problems[1].item.find("(Captazione.MargineSuperiore)"), std::string::npos);
    EXPECT_NE(problems[1].message.find("'15.'"), std::string::npos);
}

TEST(ProjectNumbers, AListSavedAsVuotaSaysItsValuesAreGone)
{
    const ScopedNumberFormat comma(NumberFormat::comma());
    StatoLavoro job = jobState(sixFrameSetup());
    job.AreaCaptazione.PuntiRiferimento = {"vuota"};
    const auto problems = checkProjectNumbers(projectFileLines(job), NumberFormat::comma());
    ASSERT_EQ(problems.size(), 1u) << problemsText(problems);
    EXPECT_NE(problems[0].item.find("(AreaCaptazione.PuntiRiferimento)"), std::string::npos);
    EXPECT_NE(problems[0].message.find("vanno indicati di nuovo"), std::string::npos) << problems[0].message;
}

TEST(ProjectNumbers, AFileOfTheOtherSeparatorSaysSoAndHowToOpenIt)
{
    struct Case
    {
        const char *what;
        NumberFormat written;
        NumberFormat locale;
        const char *stray; // one distance replaced by this text, or null
        std::size_t problems; // 0: none
        const char *hint; // in the last problem, or null for no hint
    };
    const std::vector<Case> cases = {
        {"dot file, comma locale", NumberFormat::dot(), NumberFormat::comma(), nullptr, 2, "LC_NUMERIC=C.UTF-8"},
        {"comma file, dot locale", NumberFormat::comma(), NumberFormat::dot(), nullptr, 2, "LC_NUMERIC=it_IT.UTF-8"},
        {"same separator", NumberFormat::comma(), NumberFormat::comma(), nullptr, 0, nullptr},
        // One stray dot among commas is a typing error, not the file's format.
        {"one stray dot", NumberFormat::comma(), NumberFormat::comma(), "10.25", 1, nullptr},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        TextList text;
        {
            const ScopedNumberFormat written(c.written);
            StatoLavoro job = jobState(sixFrameSetup());
            job.Captazione.LunghezzaMinTXT = fixedText(2.5);
            if (c.stray)
                job.Prospettiva.DistanzeRealiP.setLine(1, c.stray);
            text = projectFileLines(job);
        }
        const auto problems = checkProjectNumbers(text, c.locale);
        ASSERT_EQ(problems.size(), c.problems) << problemsText(problems);
        if (c.problems == 0)
            continue;
        EXPECT_EQ(problems.back().item == "file", c.hint != nullptr) << problemsText(problems);
        if (c.hint) {
            EXPECT_NE(problems.back().message.find(c.hint), std::string::npos) << problems.back().message;
            // The example is the first decimal of the file, the extraction step.
            EXPECT_NE(problems[0].item.find("(Estrattore.step)"), std::string::npos);
            EXPECT_NE(problems.back().message.find("altri"), std::string::npos);
        }
    }
}

TEST(JobCheck, OpeningHeadlessSwapsTheAreaOrNamesTheItem)
{
    const ScopedNumberFormat comma(NumberFormat::comma());
    TempDir dir;
    writeFrames(dir, 6);
    // Written as the user gave it: the axis right to left, no confirmation.
    StatoLavoro job = jobState(sixFrameSetup());
    writeProjectFile(dir.file("lavoro.kvr"), job);
    StatoLavoro s;
    const JobFileCheck check = checkJobFile(dir.file("lavoro.kvr"), s);
    EXPECT_EQ(problemsText(check.problems), "");
    EXPECT_EQ(check.frameWidth, kWidth);
    EXPECT_EQ(lines(s.AreaCaptazione.PuntiRiferimento),
              (std::vector<std::string> {"60", "10", "70", "150", "40", "30", "90", "30"}));

    // The skeleton of an extraction: intervals 0 to 200 over six frames.
    job.Calibrazione.ImmagineFinale = "200";
    job.Captazione.ImmagineFinale = "200";
    writeProjectFile(dir.file("scheletro.kvr"), job);
    StatoLavoro t;
    const JobFileCheck skeleton = checkJobFile(dir.file("scheletro.kvr"), t);
    EXPECT_EQ(problemsText(skeleton.problems),
              "Calibrazione: l'intervallo 0–200 esce dai fotogrammi estratti (0–5): manca il fotogramma 6.\n"
              "Captazione: l'intervallo 1–200 esce dai fotogrammi estratti (0–5): manca il fotogramma 6.\n");
}
