// SPDX-License-Identifier: GPL-3.0-or-later
// The detection profiles in the project file: the trailing section only for a
// job that leaves the default, every pair of profiles read back as written,
// a bad word refused by the reader and named by the job check; the words
// themselves.
#include "common/errors.hpp"
#include "project/job_confirmation.hpp"
#include "project/profile_text.hpp"
#include "project/project_labels.hpp"
#include "project/project_numbers.hpp"
#include "project/project_reader.hpp"
#include "project/project_writer.hpp"
#include "recording_steps.hpp"
#include "support/scoped_number_format.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

using namespace kalvor;
using kalvor::testing::RecordingSteps;
using kalvor::testing::ScopedNumberFormat;

namespace {

constexpr auto kDef = ProfiloRilevamento::Predefinito;
constexpr auto kRob = ProfiloRilevamento::Robusto;

// A job the reader can take without frames: no capture section would need
// one, so the capture is left out by dropping its lines.
StatoLavoro jobWith(ProfiloRilevamento calibrazione, ProfiloRilevamento captazione)
{
    StatoLavoro s(NumberFormat::comma());
    s.Calibrazione.Profilo = calibrazione;
    s.Captazione.Profilo = captazione;
    return s;
}

std::vector<std::string> tail(const TextList &text, std::size_t n)
{
    const auto &l = text.lines();
    return {l.end() - static_cast<std::ptrdiff_t>(std::min(n, l.size())), l.end()};
}

// The file's lines with the capture section's header renamed, so that the
// reader skips it (its step would load the current frame).
TextList withoutCaptureStep(TextList text)
{
    for (auto &l : text.lines())
        if (l == project::kCaptazione)
            l = "---CAPTAZIONE SALTATA---";
    return text;
}

} // namespace

TEST(ProjectProfiles, SectionWrittenOnlyWhenAScreenLeavesTheDefault)
{
    struct Case
    {
        ProfiloRilevamento calibrazione;
        ProfiloRilevamento captazione;
        std::vector<std::string> last; // the last five lines of the file
    };
    const std::vector<Case> cases = {
        {kDef, kDef, {}},
        {kRob, kDef, {"---PROFILO RILEVAMENTO---", "Calibrazione", "robusto", "Captazione", "predefinito"}},
        {kDef, kRob, {"---PROFILO RILEVAMENTO---", "Calibrazione", "predefinito", "Captazione", "robusto"}},
        {kRob, kRob, {"---PROFILO RILEVAMENTO---", "Calibrazione", "robusto", "Captazione", "robusto"}},
    };
    const TextList plain = projectFileLines(jobWith(kDef, kDef));
    for (const auto &c : cases) {
        SCOPED_TRACE(profileText(c.calibrazione) + "/" + profileText(c.captazione));
        const TextList text = projectFileLines(jobWith(c.calibrazione, c.captazione));
        if (c.last.empty()) {
            EXPECT_EQ(text.lines(), plain.lines());
            continue;
        }
        // The default job's lines, then the section.
        ASSERT_EQ(text.count(), plain.count() + 5);
        EXPECT_TRUE(std::equal(plain.lines().begin(), plain.lines().end(), text.lines().begin()));
        EXPECT_EQ(tail(text, 5), c.last);
    }
}

TEST(ProjectProfiles, EveryPairReadsBackAsWrittenOverAnyEarlierJob)
{
    const ScopedNumberFormat comma(NumberFormat::comma());
    const ProfiloRilevamento all[] = {kDef, kRob};
    for (const auto calibrazione : all)
        for (const auto captazione : all)
            for (const auto earlier : all) {
                SCOPED_TRACE(profileText(calibrazione) + "/" + profileText(captazione) + " over "
                             + profileText(earlier));
                StatoLavoro back = jobWith(earlier, earlier);
                RecordingSteps steps(back);
                readProjectLines(withoutCaptureStep(projectFileLines(jobWith(calibrazione, captazione))), back, steps);
                EXPECT_EQ(back.Calibrazione.Profilo, calibrazione);
                // The capture's step did not run: it keeps the earlier job's.
                EXPECT_EQ(back.Captazione.Profilo, earlier);
            }
}

TEST(ProjectProfiles, ReaderRefusesABadWordBeforeAnythingChanges)
{
    struct Case
    {
        const char *calibrazione;
        const char *captazione;
        const char *item;
        const char *quoted;
    };
    const std::vector<Case> cases = {
        {"veloce", "robusto", "Calibrazione.Profilo", "'veloce'"},
        {"robusto", "Robusto", "Captazione.Profilo", "'Robusto'"},
        {"robusto ", "robusto", "Calibrazione.Profilo", "'robusto '"},
        {"", "predefinito", "Calibrazione.Profilo", "''"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.quoted);
        TextList text = projectFileLines(jobWith(kRob, kRob));
        const int n = text.count();
        text.setLine(n - 3, c.calibrazione);
        text.setLine(n - 1, c.captazione);
        const int bad = std::string(c.item) == "Calibrazione.Profilo" ? n - 2 : n;

        StatoLavoro s(NumberFormat::comma());
        s.Riferimenti.luogo = "prima";
        RecordingSteps steps(s);
        try {
            readProjectLines(withoutCaptureStep(text), s, steps);
            ADD_FAILURE() << "accepted";
        } catch (const ConversionError &e) {
            EXPECT_EQ(std::string(e.what()),
                      "Riga " + std::to_string(bad) + " (" + c.item + "): " + c.quoted
                          + " non è un profilo di rilevamento: le parole ammesse sono \"predefinito\" e \"robusto\".");
        }
        EXPECT_EQ(s.Riferimenti.luogo, "prima");
        EXPECT_TRUE(steps.calls.empty());

        // The job check names the same line among the numbers' problems.
        const auto problems = checkProjectNumbers(text, NumberFormat::comma());
        ASSERT_EQ(problems.size(), 1u) << problemsText(problems);
        EXPECT_EQ(problems[0].item, "riga " + std::to_string(bad) + " (" + c.item + ")");
        EXPECT_EQ(problems[0].message.rfind(std::string(c.quoted) + " non è un profilo di rilevamento", 0), 0u)
            << problems[0].message;
    }
}

TEST(ProjectProfiles, OnlyTheTwoExactWordsAreProfiles)
{
    const std::vector<std::pair<std::string, std::optional<ProfiloRilevamento>>> cases = {
        {"predefinito", kDef},    {"robusto", kRob},       {"ROBUSTO", std::nullopt},
        {"robust", std::nullopt}, {"vuota", std::nullopt}, {"", std::nullopt},
    };
    for (const auto &[text, expected] : cases) {
        SCOPED_TRACE(text);
        if (expected) {
            EXPECT_EQ(profileFromText(text), *expected);
            EXPECT_EQ(profileText(*expected), text);
        } else {
            EXPECT_THROW(profileFromText(text), ConversionError);
        }
    }
}
