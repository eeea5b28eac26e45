// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/files.hpp"

#include "common/errors.hpp"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace kalvor {

namespace {

// Read once before any thread starts: umask can only be read by setting it.
mode_t readUmask()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

const mode_t g_umask = readUmask();

} // namespace

std::string readFileBytes(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw FileError("Impossibile aprire il file \"" + path + "\".");
    std::ostringstream ss;
    ss << in.rdbuf();
    if (in.bad())
        throw FileError("Errore di lettura del file \"" + path + "\".");
    return std::move(ss).str();
}

std::string folderOf(const std::string &path)
{
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

void writeFileAtomically(const std::string &path, std::string_view bytes)
{
    std::string pattern = folderOf(path) + ".kalvor-tmp-XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = mkstemp(name.data());
    if (fd < 0)
        throw FileError("Impossibile scrivere il file \"" + path + "\".");
    const std::string tmp(name.data());
    const char *p = bytes.data();
    std::size_t left = bytes.size();
    bool ok = true;
    while (left > 0) {
        const ssize_t w = ::write(fd, p, left);
        if (w < 0) {
            if (errno == EINTR)
                continue;
            ok = false;
            break;
        }
        p += w;
        left -= static_cast<std::size_t>(w);
    }
    // The file is private to mkstemp's caller; give it the usual permissions.
    if (ok)
        ok = ::fchmod(fd, 0666 & ~g_umask) == 0;
    if (::close(fd) != 0)
        ok = false;
    if (ok && std::rename(tmp.c_str(), path.c_str()) != 0)
        ok = false;
    if (!ok) {
        std::remove(tmp.c_str());
        throw FileError("Impossibile scrivere il file \"" + path + "\".");
    }
}

} // namespace kalvor
