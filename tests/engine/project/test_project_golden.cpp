// SPDX-License-Identifier: GPL-3.0-or-later
// Golden files of the project file and of the assembly. Each folder under
// golden/ is one case:
//   reader and writer: input.kvr (read into a fresh job), optional before.kvr
//   (read first, as an earlier job of the same run), frames.txt (frame
//   numbers to create; frame n is (n+1) x 1 pixels so the calls show which
//   one was loaded), fail_on.txt (a screen step that fails like a missing
//   frame); expected_state.txt (items, screen calls, progress, error) and
//   expected_written.kvr (the bytes written back from the state read).
//   assembly (marked by a file named "assembly" saying what it shows):
//   in1.kvr, in2.kvr, ... (none: no file chosen); expected.kvr or
//   expected_error.txt.
// KALVOR_UPDATE_GOLDEN=1 rewrites the expected files from the actual output.
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

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

using namespace kalvor;
using kalvor::testing::RecordingSteps;
using kalvor::testing::ScopedNumberFormat;
using kalvor::testing::TempDir;
namespace fs = std::filesystem;

namespace {

const std::string kGolden = std::string(KALVOR_SOURCE_DIR) + "/tests/engine/project/golden/";

bool updating()
{
    const char *v = std::getenv("KALVOR_UPDATE_GOLDEN");
    return v && std::string(v) == "1";
}

void writeBytes(const std::string &path, const std::string &bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string replaceAll(std::string text, const std::string &from, const std::string &to)
{
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

std::vector<std::string> casesWith(const std::string &marker)
{
    std::vector<std::string> out;
    for (const auto &e : fs::directory_iterator(kGolden))
        if (e.is_directory() && fs::exists(e.path() / marker))
            out.push_back(e.path().filename().string());
    std::sort(out.begin(), out.end());
    return out;
}

void expectGolden(const std::string &expectedPath, const std::string &actual)
{
    if (updating()) {
        writeBytes(expectedPath, actual);
        return;
    }
    ASSERT_TRUE(fs::exists(expectedPath)) << expectedPath;
    EXPECT_EQ(readFileBytes(expectedPath), actual) << "differs from " << expectedPath;
}

std::string caseName(const ::testing::TestParamInfo<std::string> &info)
{
    return info.param;
}

class ProjectGolden : public ::testing::TestWithParam<std::string>
{};

TEST_P(ProjectGolden, ReadsAndWritesAsExpected)
{
    const ScopedNumberFormat comma(NumberFormat::comma());
    const std::string src = kGolden + GetParam() + "/";
    TempDir dir;
    if (fs::exists(src + "frames.txt")) {
        TextList frames;
        frames.loadFromFile(src + "frames.txt");
        for (const auto &n : frames.lines())
            writePng(frameFileName(dir.path(), toInt(n)), RgbImage(toInt(n) + 1, 1));
    }

    StatoLavoro s(NumberFormat::comma());
    if (fs::exists(src + "before.kvr")) {
        fs::copy_file(src + "before.kvr", dir.file("prima.kvr"));
        RecordingSteps earlier(s);
        readProjectFile(dir.file("prima.kvr"), s, earlier);
    }

    fs::copy_file(src + "input.kvr", dir.file("lavoro.kvr"));
    RecordingSteps steps(s);
    if (fs::exists(src + "fail_on.txt")) {
        TextList f;
        f.loadFromFile(src + "fail_on.txt");
        steps.failOn = f.line(0);
    }
    std::vector<int> progress;
    std::string error = "none";
    try {
        readProjectFile(dir.file("lavoro.kvr"), s, steps, [&](int p) { progress.push_back(p); });
    } catch (const Error &e) {
        error = replaceAll(e.what(), dir.path(), "<cartella>/");
    }

    std::string actual = kalvor::testing::dumpProjectState(s, dir.path()) + "calls:\n";
    for (const auto &c : steps.calls)
        actual += "  " + c + "\n";
    actual += "progress:";
    for (int p : progress)
        actual += " " + std::to_string(p);
    actual += "\nerror: " + error + "\n";
    expectGolden(src + "expected_state.txt", actual);

    if (error == "none") {
        writeProjectFile(dir.file("scritto.kvr"), s);
        expectGolden(src + "expected_written.kvr", readFileBytes(dir.file("scritto.kvr")));
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, ProjectGolden, ::testing::ValuesIn(casesWith("input.kvr")), caseName);

class AssemblyGolden : public ::testing::TestWithParam<std::string>
{};

TEST_P(AssemblyGolden, AssemblesAsExpected)
{
    const std::string src = kGolden + GetParam() + "/";
    TempDir dir;
    std::vector<std::string> inputs;
    for (int i = 1; fs::exists(src + "in" + std::to_string(i) + ".kvr"); ++i)
        inputs.push_back(src + "in" + std::to_string(i) + ".kvr");
    const std::string out = dir.file("dati.kvr");
    std::string error;
    try {
        assembleProjectFiles(inputs, out);
    } catch (const Error &e) {
        error = e.what();
    }
    if (!error.empty() || fs::exists(src + "expected_error.txt")) {
        EXPECT_FALSE(fs::exists(out)) << "a failed assembly must write nothing";
        expectGolden(src + "expected_error.txt", error + "\n");
        return;
    }
    expectGolden(src + "expected.kvr", readFileBytes(out));
}

INSTANTIATE_TEST_SUITE_P(Cases, AssemblyGolden, ::testing::ValuesIn(casesWith("assembly")), caseName);

} // namespace
