// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/errors.hpp"
#include "common/files.hpp"
#include "support/temp_dir.hpp"

#include <gtest/gtest.h>

#include <fstream>
#include <sys/stat.h>

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

TEST(Files, MissingFilesAndFoldersAreErrors)
{
    TempDir dir;
    EXPECT_THROW(readFileBytes(dir.file("manca.txt")), FileError);
    EXPECT_THROW(readFileBytes(dir.path()), FileError);
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
