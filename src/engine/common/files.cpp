// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/files.hpp"

#include "common/errors.hpp"
#include "common/printable.hpp"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
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

struct FileDescriptor
{
    int fd;
    ~FileDescriptor() { ::close(fd); }
};

} // namespace

std::string readFileBytes(const std::string &path)
{
    // Without O_NONBLOCK opening a pipe would wait for a writer.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        throw FileError("Impossibile aprire il file \"" + printable(path) + "\".");
    const FileDescriptor owner {fd};
    struct stat info
    {
    };
    if (::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode))
        throw FileError("Impossibile aprire il file \"" + printable(path) + "\".");
    // A device or a pipe may never end (/dev/zero): only regular files are read.
    if (!S_ISREG(info.st_mode))
        throw FileError("Impossibile leggere \"" + printable(path) + "\": non è un file ordinario.");
    // Frames are read by the hundred: one buffer of the file's size, filled in
    // place; a file that grows meanwhile goes on in pieces.
    std::string bytes(info.st_size > 0 ? static_cast<std::size_t>(info.st_size) : 0, '\0');
    std::size_t filled = 0;
    char piece[65536];
    for (;;) {
        const bool inPlace = filled < bytes.size();
        char *to = inPlace ? bytes.data() + filled : piece;
        const std::size_t room = inPlace ? bytes.size() - filled : sizeof piece;
        const ssize_t n = ::read(fd, to, room);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            throw FileError("Errore di lettura del file \"" + printable(path) + "\".");
        if (n == 0)
            break;
        if (inPlace)
            filled += static_cast<std::size_t>(n);
        else {
            bytes.resize(filled);
            bytes.append(piece, static_cast<std::size_t>(n));
            filled = bytes.size();
        }
    }
    bytes.resize(filled);
    return bytes;
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
        throw FileError("Impossibile scrivere il file \"" + printable(path) + "\".");
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
        throw FileError("Impossibile scrivere il file \"" + printable(path) + "\".");
    }
}

} // namespace kalvor
