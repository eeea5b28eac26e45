// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/files.hpp"

#include "common/errors.hpp"
#include "common/printable.hpp"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <mutex>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

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

namespace {

// Why a system call failed, in the user's words.
std::string reasonOf(int error)
{
    switch (error) {
    case ENOSPC:
        return "spazio su disco esaurito";
    case EDQUOT:
        return "quota del disco esaurita";
    case EACCES:
    case EPERM:
        return "permesso negato";
    case EROFS:
        return "il disco è di sola lettura";
    case ENOENT:
        return "la cartella non esiste";
    case ENOTDIR:
        return "una parte del percorso non è una cartella";
    case EISDIR:
        return "è una cartella";
    case EFBIG:
        return "file troppo grande";
    case ENAMETOOLONG:
        return "nome troppo lungo";
    case ELOOP:
        return "troppi collegamenti simbolici";
    case EIO:
        return "errore di lettura o scrittura del disco";
    default:
        return "errore del sistema n. " + std::to_string(error) + " (" + std::strerror(error) + ")";
    }
}

// A file that could not be read: what the user should check. A missing file
// is the common case, and for reading it is the file that is missing.
[[noreturn]] void throwReadError(const std::string &path, int error)
{
    const std::string why = error == ENOENT ? "il file non esiste" : reasonOf(error);
    throw FileError("Impossibile aprire il file \"" + printable(path) + "\": " + why + ".");
}

} // namespace

std::string readFileBytes(const std::string &path)
{
    // Without O_NONBLOCK opening a pipe would wait for a writer.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        throwReadError(path, errno);
    const FileDescriptor owner {fd};
    struct stat info
    {
    };
    if (::fstat(fd, &info) != 0)
        throwReadError(path, errno);
    if (S_ISDIR(info.st_mode))
        throwReadError(path, EISDIR);
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
            throwReadError(path, errno);
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

namespace {

[[noreturn]] void throwWriteError(const std::string &path, int error)
{
    throw FileError("Impossibile scrivere il file \"" + printable(path) + "\": " + reasonOf(error) + ".");
}

// The file a save must replace: the target itself, or for a symbolic link the
// file the link points to (followed link by link, so that a dangling link is
// written through too). The link stays a link.
std::string resolveLinks(const std::string &path)
{
    std::string current = path;
    for (int depth = 0; depth < 40; ++depth) {
        struct stat info
        {
        };
        if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            return current;
        std::string target(static_cast<std::size_t>(info.st_size > 0 ? info.st_size : 255) + 1, '\0');
        const ssize_t n = ::readlink(current.c_str(), target.data(), target.size());
        if (n < 0 || static_cast<std::size_t>(n) >= target.size())
            throwWriteError(path, n < 0 ? errno : ENAMETOOLONG);
        target.resize(static_cast<std::size_t>(n));
        current = target.front() == '/' ? target : folderOf(current) + target;
    }
    throwWriteError(path, ELOOP);
}

std::string baseNameOf(const std::string &path)
{
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The file being written, unnamed or under its temporary name; removed
// unless it has been renamed over the target, however a save ends.
struct TemporaryFile
{
    std::string path; // empty while the file has no name
    int fd = -1;
    bool renamed = false;
    ~TemporaryFile()
    {
        if (!path.empty() && !renamed)
            ::unlink(path.c_str());
        if (fd >= 0)
            ::close(fd);
    }
};

bool sameFile(const struct stat &a, const struct stat &b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Locks the file `fd` opened as `name` when nobody else holds it and the name
// still leads to it: a save renames or removes its file before it lets go.
bool lockIfAbandoned(int fd, const std::string &name)
{
    struct stat held
    {
    };
    struct stat named
    {
    };
    return ::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &held) == 0 && S_ISREG(held.st_mode)
        && ::lstat(name.c_str(), &named) == 0 && sameFile(named, held);
}

// Removes a temporary file a killed save left under `name`; false when a live
// save holds it.
bool removeIfAbandoned(const std::string &name)
{
    const int fd = ::open(name.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0)
        return errno == ENOENT;
    const FileDescriptor owner {fd};
    return lockIfAbandoned(fd, name) && ::unlink(name.c_str()) == 0;
}

// Another free name beside `own` for when a live save holds it.
std::string uniqueName(const std::string &own, int attempt)
{
    static std::atomic<unsigned> counter {0};
    return own + "-" + std::to_string(::getpid()) + "-" + std::to_string(counter++) + "-" + std::to_string(attempt);
}

// The target's own temporary name is ".<name>.kalvor-tmp" beside it. Where the
// file system allows, the content is written to an unnamed file that gets
// that name only for the instant before the rename, so that a killed save
// leaves nothing behind; elsewhere the file is written under that name. A save
// holds an exclusive lock on its file; a file under that name that nobody
// holds is what a killed save left, and the next save of the same target
// removes it. A name held by a live save, or too long, gives way to another.
std::string ownTemporaryName(const std::string &target)
{
    return folderOf(target) + "." + baseNameOf(target) + ".kalvor-tmp";
}

std::atomic<bool> g_unnamedAllowed {true};

bool openUnnamed(const std::string &target, TemporaryFile &tmp)
{
    static const bool procFds = ::access("/proc/self/fd", X_OK) == 0;
    if (!procFds || !g_unnamedAllowed.load())
        return false;
    const std::string folder = folderOf(target);
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    if (fd < 0)
        return false; // not supported here: a named file instead
    tmp.fd = fd;
    ::flock(fd, LOCK_EX);
    return true;
}

void openNamed(const std::string &target, TemporaryFile &tmp)
{
    const std::string own = ownTemporaryName(target);
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string name = attempt == 0 ? own : uniqueName(own, attempt);
        // Not through a link, and never waiting on a pipe of that name.
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0600);
        if (fd < 0) {
            if (errno == EEXIST || errno == ELOOP || errno == ENAMETOOLONG || errno == ENXIO)
                continue;
            throwWriteError(target, errno);
        }
        if (lockIfAbandoned(fd, name) && ::ftruncate(fd, 0) == 0) {
            tmp.path = name;
            tmp.fd = fd;
            return;
        }
        ::close(fd);
    }
    throwWriteError(target, EEXIST);
}

// Gives the unnamed file its temporary name, just before the rename.
void nameUnnamed(const std::string &target, TemporaryFile &tmp)
{
    const std::string own = ownTemporaryName(target);
    const std::string self = "/proc/self/fd/" + std::to_string(tmp.fd);
    bool cleared = false;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string name = attempt == 0 ? own : uniqueName(own, attempt);
        if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
            tmp.path = name;
            return;
        }
        const int error = errno;
        if (error != EEXIST && error != ENAMETOOLONG)
            throwWriteError(target, error);
        // Left by a save killed in the instant it had a name: removed, the name is tried once more.
        if (error == EEXIST && attempt == 0 && !cleared && removeIfAbandoned(own)) {
            cleared = true;
            attempt = -1;
        }
    }
    throwWriteError(target, EEXIST);
}

void writeAll(int fd, std::string_view bytes, const std::string &target)
{
    const char *p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t w = ::write(fd, p, left);
        if (w < 0) {
            if (errno == EINTR)
                continue;
            throwWriteError(target, errno);
        }
        p += w;
        left -= static_cast<std::size_t>(w);
    }
}

// The mode of the file being replaced, or the usual mode of a new file.
void keepPermissions(int fd, const std::string &target)
{
    struct stat old
    {
    };
    if (::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode)) {
        // The group may be kept where the user belongs to it; a failure here is no reason to lose the save.
        if (::fchown(fd, static_cast<uid_t>(-1), old.st_gid) != 0) { }
        if (::fchmod(fd, old.st_mode & 07777) != 0)
            throwWriteError(target, errno);
    } else if (::fchmod(fd, 0666 & ~g_umask) != 0) {
        throwWriteError(target, errno);
    }
}

void syncFolder(const std::string &folder, const std::string &target)
{
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        throwWriteError(target, errno);
    const FileDescriptor owner {fd};
    if (::fsync(fd) != 0 && errno != EINVAL)
        throwWriteError(target, errno);
}

// A write past the file size limit raises SIGXFSZ, which would end the
// program between two steps of a save: ignored, the write fails with EFBIG.
void ignoreFileSizeSignal()
{
    static std::once_flag once;
    std::call_once(once, [] {
        struct sigaction current
        {
        };
        if (::sigaction(SIGXFSZ, nullptr, &current) == 0 && current.sa_handler == SIG_DFL)
            ::signal(SIGXFSZ, SIG_IGN);
    });
}

} // namespace

void writeFileAtomically(const std::string &path, std::string_view bytes)
{
    ignoreFileSizeSignal();
    const std::string target = resolveLinks(path);
    TemporaryFile tmp;
    const bool unnamed = openUnnamed(target, tmp);
    if (!unnamed) {
        openNamed(target, tmp);
    } else {
        // A file a killed save of this target left under its name goes now.
        removeIfAbandoned(ownTemporaryName(target));
    }
    writeAll(tmp.fd, bytes, target);
    keepPermissions(tmp.fd, target);
    if (::fsync(tmp.fd) != 0)
        throwWriteError(target, errno);
    if (unnamed)
        nameUnnamed(target, tmp);
    if (::rename(tmp.path.c_str(), target.c_str()) != 0)
        throwWriteError(target, errno);
    tmp.renamed = true;
    // The lock is released after the rename, never before.
    ::close(tmp.fd);
    tmp.fd = -1;
    syncFolder(folderOf(target), target);
}

namespace {

// 0 when a new file can be made in `folder` (tried, then removed), else why not.
int folderRefusal(const std::string &folder)
{
    struct stat info
    {
    };
    if (::stat(folder.empty() ? "." : folder.c_str(), &info) != 0)
        return errno;
    if (!S_ISDIR(info.st_mode))
        return ENOTDIR;
    std::string probe = folder + ".kalvor-prova-XXXXXX";
    const int fd = ::mkostemp(probe.data(), O_CLOEXEC);
    if (fd < 0)
        return errno;
    ::close(fd);
    ::unlink(probe.c_str());
    return 0;
}

} // namespace

void allowUnnamedTemporaryFiles(bool allowed)
{
    g_unnamedAllowed = allowed;
}

std::string prepareOutputFolder(const std::string &folder)
{
    std::string out = folder.empty() ? "./" : folder;
    if (out.back() != '/')
        out += '/';
    struct stat info
    {
    };
    if (::stat(out.substr(0, out.size() - 1).c_str(), &info) == 0 && !S_ISDIR(info.st_mode))
        throw FileError("Impossibile usare la cartella \"" + printable(folder)
                        + "\": esiste già un file con quel nome.");
    std::error_code ec;
    std::filesystem::create_directories(out, ec);
    const int error = ec ? ec.value() : folderRefusal(out);
    if (error != 0)
        throw FileError("Impossibile usare la cartella \"" + printable(folder) + "\": " + reasonOf(error) + ".");
    return out;
}

void checkOutputFile(const std::string &path)
{
    const std::string target = resolveLinks(path);
    struct stat info
    {
    };
    if (::stat(target.c_str(), &info) == 0 && S_ISDIR(info.st_mode))
        throwWriteError(path, EISDIR);
    if (const int error = folderRefusal(folderOf(target)))
        throwWriteError(path, error == ENOTDIR ? ENOENT : error);
}

} // namespace kalvor
