// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/errors.hpp"
#include "common/files.hpp"
#include "common/text_list.hpp"
#include "support/temp_dir.hpp"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace kalvor;
using kalvor::testing::TempDir;

namespace {

void writeBytes(const std::string &path, const std::string &bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

} // namespace

TEST(TextList, Operations)
{
    TextList l;
    EXPECT_EQ(l.count(), 0);
    l.append("veicolo");
    l.append("12");
    EXPECT_EQ(l.count(), 2);
    EXPECT_EQ(l.line(1), "12");
    l.setLine(1, "13");
    EXPECT_EQ(l.line(1), "13");
    EXPECT_THROW(l.line(2), ListIndexError);
    EXPECT_THROW(l.line(-1), ListIndexError);
    EXPECT_THROW(l.setLine(2, "x"), ListIndexError);
    l.clear();
    EXPECT_EQ(l.count(), 0);
    EXPECT_THROW(l.line(0), ListIndexError);
}

TEST(TextList, TextSplitsAtEveryLineEnd)
{
    struct Case
    {
        const char *text;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\n", {"a"}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\nb\n", {"a", "b"}},
        {"a\rb\r", {"a", "b"}},
        {"a\rb\nc\r\nd", {"a", "b", "c", "d"}},
        {"\r\n", {""}},
        {"a\r\n\r\nb", {"a", "", "b"}},
        {"a\n\r", {"a", ""}}, // LF then CR: two line ends
        {"\n\n", {"", ""}},
    };
    for (const auto &c : cases) {
        TextList l;
        l.setText(c.text);
        EXPECT_EQ(l.lines(), c.lines) << c.text;
    }
}

TEST(TextList, TextRoundTripKeepsEmptyLines)
{
    const TextList lists[]
        = {TextList {}, TextList {""}, TextList {"a", ""}, TextList {"", "", "x"}, TextList {"1", "2"}};
    for (const auto &l : lists) {
        TextList copy;
        copy.setText(l.text());
        EXPECT_EQ(copy, l);
    }
    EXPECT_EQ((TextList {"a", "b"}).text(), "a\r\nb\r\n");
}

TEST(TextList, LoadsEveryEncodingAndLineEnd)
{
    TempDir dir;
    struct Case
    {
        std::string bytes;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        // Windows-1252 without BOM: à è é ò ù € and the undefined 0x81.
        {"citt\xE0\r\nperch\xE9\r\n\x80 5\r\n\x81", {"città", "perché", "€ 5", "\xC2\x81"}},
        {"\xEF\xBB\xBF"
         "citt\xC3\xA0\nok",
         {"città", "ok"}},
        {"\xFF\xFE" + std::string("c\0i\0t\0t\0\xE0\0\r\0\n\0\xAC\x20", 16), {"città", "€"}},
        {"\xFE\xFF" + std::string("\0c\0i\0t\0t\0\xE0\0\r\0x", 14), {"città", "x"}},
        {"\xFF\xFE" + std::string("\x3D\xD8\x00\xDE", 4), {"\xF0\x9F\x98\x80"}}, // surrogate pair
        {"a\rb\rc", {"a", "b", "c"}},
        {"", {}},
    };
    int k = 0;
    for (const auto &c : cases) {
        const std::string path = dir.file("in" + std::to_string(k++) + ".txt");
        writeBytes(path, c.bytes);
        TextList l;
        l.loadFromFile(path);
        EXPECT_EQ(l.lines(), c.lines) << path;
    }
}

TEST(TextList, SavesWindows1252WithCrLf)
{
    TempDir dir;
    TextList l {"città", "perché €", "", "ŠŽ"};
    l.saveToFile(dir.file("out.txt"));
    EXPECT_EQ(readFileBytes(dir.file("out.txt")), "citt\xE0\r\nperch\xE9 \x80\r\n\r\n\x8A\x8E\r\n");
    TextList back;
    back.loadFromFile(dir.file("out.txt"));
    EXPECT_EQ(back, l);
}

TEST(TextList, UnencodableCharacterIsAnErrorAndWritesNothing)
{
    TempDir dir;
    TextList good {"prima"};
    good.saveToFile(dir.file("f.txt"));
    TextList l {"Αθήνα"};
    try {
        l.saveToFile(dir.file("f.txt"));
        FAIL();
    } catch (const ConversionError &e) {
        EXPECT_NE(std::string(e.what()).find("Α"), std::string::npos) << e.what();
    }
    EXPECT_EQ(readFileBytes(dir.file("f.txt")), "prima\r\n");
}

TEST(TextList, FailedSaveLeavesTheOldFileIntact)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root ignores folder permissions";
    TempDir dir;
    const std::string path = dir.file("lavoro.kvr");
    TextList {"vecchio"}.saveToFile(path);
    ASSERT_EQ(chmod(dir.path().c_str(), 0555), 0);
    EXPECT_THROW(TextList {"nuovo"}.saveToFile(path), FileError);
    chmod(dir.path().c_str(), 0755);
    EXPECT_EQ(readFileBytes(path), "vecchio\r\n");
}

TEST(TextList, FailedWriteNamesTheFileAndLeavesNoTemporary)
{
    TempDir dir;
    const std::string path = dir.path() + "manca/lavoro.kvr";
    try {
        TextList {"x"}.saveToFile(path);
        FAIL();
    } catch (const FileError &e) {
        EXPECT_NE(std::string(e.what()).find(path), std::string::npos);
    }
    // A target that is a folder: rename fails after the temporary was written.
    const std::string folderTarget = dir.file("cartella");
    ASSERT_EQ(mkdir(folderTarget.c_str(), 0755), 0);
    ASSERT_EQ(mkdir((folderTarget + "/x").c_str(), 0755), 0);
    EXPECT_THROW(TextList {"x"}.saveToFile(folderTarget), FileError);
    int entries = 0;
    for (const auto &e : std::filesystem::directory_iterator(dir.path())) {
        (void)e;
        ++entries;
    }
    EXPECT_EQ(entries, 1) << "a temporary file was left behind";
}

TEST(TextList, LoadingAMissingFileNamesIt)
{
    TextList l {"resta"};
    try {
        l.loadFromFile("/nonexistent/lista.txt");
        FAIL();
    } catch (const FileError &e) {
        EXPECT_NE(std::string(e.what()).find("/nonexistent/lista.txt"), std::string::npos);
    }
    EXPECT_EQ(l, TextList {"resta"});
}

TEST(TextList, SaveInterruptedByAFullDiskLeavesTheOldFileIntact)
{
    // A file-size limit makes the write fail part way, even for root.
    TempDir dir;
    const std::string path = dir.file("lavoro.kvr");
    TextList {"vecchio"}.saveToFile(path);
    TextList big;
    for (int i = 0; i < 10000; ++i)
        big.append("riga " + std::to_string(i));
    struct rlimit saved
    {
    };
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    EXPECT_THROW(big.saveToFile(path), FileError);
    setrlimit(RLIMIT_FSIZE, &saved);
    signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(readFileBytes(path), "vecchio\r\n");
    int entries = 0;
    for (const auto &e : std::filesystem::directory_iterator(dir.path())) {
        (void)e;
        ++entries;
    }
    EXPECT_EQ(entries, 1);
}
