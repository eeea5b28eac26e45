// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/errors.hpp"
#include "common/files.hpp"
#include "support/temp_dir.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

using namespace kalvor;
using kalvor::testing::TempDir;

TEST(Files, ReadsEveryByteOfAFile)
{
    TempDir dir;
    std::string big(700001, '\0');
    for (std::size_t i = 0; i < big.size(); ++i)
        big[i] = static_cast<char>(i * 7 + i / 251);
    const std::string cases[] = {"", "x", std::string("a\0b\r\n\x1a\xff", 7), big};
    for (const std::string &content : cases) {
        const std::string path = dir.file("f.bin");
        {
            std::ofstream out(path, std::ios::binary | std::ios::trunc);
            out.write(content.data(), static_cast<std::streamsize>(content.size()));
        }
        EXPECT_EQ(readFileBytes(path), content) << content.size() << " bytes";
    }
}

TEST(Files, ReadsFilesWhoseSizeIsNotKnownBeforehand)
{
    // The kernel reports size 0 for this file, yet it has content.
    const std::string status = readFileBytes("/proc/self/status");
    EXPECT_NE(status.find("Name:"), std::string::npos);
}

TEST(Files, AFileThatCannotBeReadSaysWhy)
{
    TempDir dir;
    struct Case
    {
        std::string path;
        std::string why;
    };
    const Case cases[] = {
        {dir.file("manca.txt"), "il file non esiste"},
        {dir.path(), "è una cartella"},
        {dir.file("manca/sotto.txt"), "il file non esiste"},
        {"/proc/self/status/x", "una parte del percorso non è una cartella"},
    };
    for (const Case &c : cases) {
        try {
            readFileBytes(c.path);
            ADD_FAILURE() << c.path;
        } catch (const FileError &e) {
            EXPECT_EQ(e.what(), "Impossibile aprire il file \"" + c.path + "\": " + c.why + ".");
        }
    }
}

TEST(Files, DevicesAndPipesAreRefusedNotReadForEver)
{
    // /dev/zero never ends (it used to end in bad_alloc); a pipe without a
    // writer used to block the open.
    TempDir dir;
    const std::string fifo = dir.file("tubo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const std::string &path : {std::string("/dev/zero"), fifo}) {
        try {
            readFileBytes(path);
            ADD_FAILURE() << path;
        } catch (const FileError &e) {
            EXPECT_EQ(e.what(), "Impossibile leggere \"" + path + "\": non è un file ordinario.");
        }
    }
}

namespace {

std::vector<std::string> namesIn(const std::string &folder)
{
    std::vector<std::string> names;
    for (const auto &e : std::filesystem::directory_iterator(folder))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

mode_t modeOf(const std::string &path)
{
    struct stat info
    {
    };
    EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
    return info.st_mode & 07777;
}

std::string writeError(const std::string &path, std::string_view bytes)
{
    try {
        writeFileAtomically(path, bytes);
    } catch (const FileError &e) {
        return e.what();
    }
    return "(nessun errore)";
}

} // namespace

// Every case with an unnamed temporary file and with a named one (file
// systems without unnamed files).
class AtomicWrite : public ::testing::TestWithParam<bool>
{
protected:
    void SetUp() override { allowUnnamedTemporaryFiles(GetParam()); }
    void TearDown() override { allowUnnamedTemporaryFiles(true); }
};

INSTANTIATE_TEST_SUITE_P(Temporary, AtomicWrite, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool> &info) { return info.param ? "Unnamed" : "Named"; });

TEST_P(AtomicWrite, ReplacesTheFileAndLeavesNothingBeside)
{
    TempDir dir;
    const std::string path = dir.file("lavoro.kvr");
    writeFileAtomically(path, "primo");
    writeFileAtomically(path, "secondo");
    EXPECT_EQ(readFileBytes(path), "secondo");
    EXPECT_EQ(namesIn(dir.path()), std::vector<std::string> {"lavoro.kvr"});
}

TEST_P(AtomicWrite, ASaveCleansUpWhatAKilledSaveLeft)
{
    TempDir dir;
    const std::string path = dir.file("lavoro.kvr");
    writeFileAtomically(path, "vecchio");
    writeFileAtomically(dir.file(".lavoro.kvr.kalvor-tmp"), std::string(100000, 'x'));
    writeFileAtomically(path, "nuovo");
    EXPECT_EQ(readFileBytes(path), "nuovo");
    EXPECT_EQ(namesIn(dir.path()), std::vector<std::string> {"lavoro.kvr"});
}

TEST_P(AtomicWrite, ASaveInProgressIsNotDisturbed)
{
    // Another save holds the temporary name: this one takes another name and
    // leaves that file alone.
    TempDir dir;
    const std::string path = dir.file("f.txt");
    const std::string held = dir.file(".f.txt.kalvor-tmp");
    writeFileAtomically(held, "in corso");
    const int fd = ::open(held.c_str(), O_RDWR);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::flock(fd, LOCK_EX), 0);
    writeFileAtomically(path, "mio");
    EXPECT_EQ(readFileBytes(path), "mio");
    EXPECT_EQ(readFileBytes(held), "in corso");
    EXPECT_EQ(namesIn(dir.path()), (std::vector<std::string> {".f.txt.kalvor-tmp", "f.txt"}));
    ::close(fd);
}

TEST_P(AtomicWrite, PermissionsAreKept)
{
    TempDir dir;
    for (const mode_t mode : {0600, 0640, 0444, 0755}) {
        const std::string path = dir.file("p" + std::to_string(mode));
        writeFileAtomically(path, "a");
        ASSERT_EQ(::chmod(path.c_str(), mode), 0);
        writeFileAtomically(path, "b");
        EXPECT_EQ(modeOf(path), mode);
        EXPECT_EQ(readFileBytes(path), "b");
    }
    const mode_t mask = ::umask(0);
    ::umask(mask);
    writeFileAtomically(dir.file("nuovo"), "c");
    EXPECT_EQ(modeOf(dir.file("nuovo")), 0666 & ~mask);
}

TEST_P(AtomicWrite, ALinkIsWrittenThrough)
{
    TempDir dir;
    std::filesystem::create_directory(dir.file("altrove"));
    const std::string real = dir.file("altrove/vero.kvr");
    writeFileAtomically(real, "vecchio");
    struct Case
    {
        std::string link, pointsTo, target;
    };
    const Case cases[] = {{dir.file("assoluto.kvr"), real, real},
                          {dir.file("relativo.kvr"), "altrove/vero.kvr", real},
                          {dir.file("catena.kvr"), "relativo.kvr", real},
                          {dir.file("pendente.kvr"), "altrove/nuovo.kvr", dir.file("altrove/nuovo.kvr")}};
    for (const Case &c : cases) {
        std::filesystem::create_symlink(c.pointsTo, c.link);
        writeFileAtomically(c.link, "via " + c.link);
        EXPECT_TRUE(std::filesystem::is_symlink(c.link)) << c.link;
        EXPECT_EQ(readFileBytes(c.target), "via " + c.link);
    }
    EXPECT_EQ(namesIn(dir.file("altrove")), (std::vector<std::string> {"nuovo.kvr", "vero.kvr"}));
}

TEST_P(AtomicWrite, FailuresSayWhyAndLeaveNoTemporaryFile)
{
    TempDir dir;
    EXPECT_EQ(writeError(dir.file("manca/f.txt"), "x"),
              "Impossibile scrivere il file \"" + dir.file("manca/f.txt") + "\": la cartella non esiste.");
    std::filesystem::create_directory(dir.file("f.txt"));
    EXPECT_EQ(writeError(dir.file("f.txt"), "x"),
              "Impossibile scrivere il file \"" + dir.file("f.txt") + "\": è una cartella.");
    EXPECT_EQ(namesIn(dir.path()), std::vector<std::string> {"f.txt"});
    if (::geteuid() != 0) {
        std::filesystem::create_directory(dir.file("chiusa"));
        ASSERT_EQ(::chmod(dir.file("chiusa").c_str(), 0555), 0);
        EXPECT_EQ(writeError(dir.file("chiusa/f.txt"), "x"),
                  "Impossibile scrivere il file \"" + dir.file("chiusa/f.txt") + "\": permesso negato.");
        ::chmod(dir.file("chiusa").c_str(), 0755);
    }
}

TEST_P(AtomicWrite, TheFileSizeLimitIsAnErrorNotASignal)
{
    // Past RLIMIT_FSIZE the kernel sends SIGXFSZ, which used to end the
    // program with the temporary file left behind. Checked in a child process,
    // whose limit does not touch the other tests.
    TempDir dir;
    const std::string path = dir.file("grande.bin");
    writeFileAtomically(path, "vecchio");
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const rlimit limit {4096, 4096};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        const std::string message = writeError(path, std::string(10000, 'x'));
        ::_exit(message == "Impossibile scrivere il file \"" + path + "\": file troppo grande." ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_EQ(readFileBytes(path), "vecchio");
    EXPECT_EQ(namesIn(dir.path()), std::vector<std::string> {"grande.bin"});
}

TEST(OutputChecks, FoldersAndFilesAreCheckedBeforeTheWork)
{
    TempDir dir;
    writeFileAtomically(dir.file("file"), "x");
    EXPECT_EQ(prepareOutputFolder(dir.file("nuova/sotto")), dir.file("nuova/sotto/"));
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("nuova/sotto")));
    EXPECT_EQ(prepareOutputFolder(dir.path()), dir.path());
    EXPECT_EQ(prepareOutputFolder(""), "./");
    EXPECT_EQ(namesIn(dir.file("nuova/sotto")), std::vector<std::string> {});

    struct Case
    {
        std::string folder, message;
    };
    const Case folders[] = {
        {dir.file("file"),
         "Impossibile usare la cartella \"" + dir.file("file") + "\": esiste già un file con quel nome."},
        {dir.file("file/"),
         "Impossibile usare la cartella \"" + dir.file("file/") + "\": esiste già un file con quel nome."},
        {dir.file("file/sotto"),
         "Impossibile usare la cartella \"" + dir.file("file/sotto")
             + "\": una parte del percorso non è una cartella."},
    };
    for (const Case &c : folders) {
        try {
            prepareOutputFolder(c.folder);
            ADD_FAILURE() << c.folder;
        } catch (const FileError &e) {
            EXPECT_EQ(e.what(), c.message);
        }
    }

    const Case files[] = {
        {dir.file("nuova"), "Impossibile scrivere il file \"" + dir.file("nuova") + "\": è una cartella."},
        {dir.file("manca/f.kvr"),
         "Impossibile scrivere il file \"" + dir.file("manca/f.kvr") + "\": la cartella non esiste."},
        {dir.file("file/f.kvr"),
         "Impossibile scrivere il file \"" + dir.file("file/f.kvr") + "\": la cartella non esiste."},
    };
    for (const Case &c : files) {
        try {
            checkOutputFile(c.folder);
            ADD_FAILURE() << c.folder;
        } catch (const FileError &e) {
            EXPECT_EQ(e.what(), c.message);
        }
    }
    checkOutputFile(dir.file("file"));
    checkOutputFile(dir.file("nuovo.kvr"));
    EXPECT_FALSE(std::filesystem::exists(dir.file("nuovo.kvr")));
}
