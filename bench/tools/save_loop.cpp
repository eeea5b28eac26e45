// SPDX-License-Identifier: GPL-3.0-or-later
// `kalvor-save-loop save FILE MB`: saves FILE over and over with
// writeFileAtomically, each version MB megabytes filled with its own number,
// until killed; `kalvor-save-loop once FILE MB` saves it once.
// `kalvor-save-loop check FILE MB`: exit 0 when FILE is one version whole
// (right length, one number throughout), 1 otherwise. With
// KALVOR_SAVE_NAMED=1 in the environment, saves use named temporary files
// as on file systems without unnamed ones.
#include "common/errors.hpp"
#include "common/files.hpp"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::string version(unsigned n, std::size_t size)
{
    std::string bytes(size, static_cast<char>('A' + n % 26));
    const std::string head = "versione " + std::to_string(n) + "\n";
    bytes.replace(0, head.size(), head);
    return bytes;
}

bool isWholeVersion(const std::string &bytes, std::size_t size)
{
    unsigned n = 0;
    if (bytes.size() != size || std::sscanf(bytes.c_str(), "versione %u\n", &n) != 1)
        return false;
    return bytes == version(n, size);
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 4)
        return 2;
    const std::string mode = argv[1];
    const std::string path = argv[2];
    const std::size_t size = static_cast<std::size_t>(std::atof(argv[3]) * 1024 * 1024);
    if (const char *named = std::getenv("KALVOR_SAVE_NAMED"); named && std::string(named) == "1")
        kalvor::allowUnnamedTemporaryFiles(false);
    try {
        if (mode == "check")
            return isWholeVersion(kalvor::readFileBytes(path), size) ? 0 : 1;
        if (mode == "once") {
            kalvor::writeFileAtomically(path, version(0, size));
            return 0;
        }
        for (unsigned n = 1;; ++n)
            kalvor::writeFileAtomically(path, version(n, size));
    } catch (const kalvor::Error &e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
}
