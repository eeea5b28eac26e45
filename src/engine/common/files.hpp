// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace kalvor {

// The whole content of a file; FileError naming it when it cannot be read.
std::string readFileBytes(const std::string &path);

// Replaces the file at `path` by `bytes`. What is guaranteed:
// - whatever happens (an error, the program killed, a power loss once the
//   call has returned), `path` holds either its old content or the new
//   content whole, never a mixture, an empty or a half-written file;
// - when the call returns, the new content and its name are on the disk (the
//   file and its folder synced);
// - the file keeps its permissions (and group, where allowed); a new file gets
//   0666 less the umask;
// - a symbolic link is written through: the link stays, the file it points to
//   is replaced;
// - on a failure the temporary file is removed and FileError names the file
//   and says why (disk full, permission denied...); a temporary file left by
//   a killed save (".<name>.kalvor-tmp" beside the target) is reused, and so
//   removed, by the next save of the same file.
// Two saves of the same file at once each succeed or fail whole; the last one
// to rename wins.
void writeFileAtomically(const std::string &path, std::string_view bytes);

// For tests: false makes saves write under the temporary name from the start,
// as they do on file systems without unnamed files (FAT, some network ones).
void allowUnnamedTemporaryFiles(bool allowed);

// Checked before long work starts, so that its results are not lost at the
// end: the folder exists (created with its parents when missing) and takes
// new files. The folder ending with '/'; FileError saying why it cannot be
// used.
std::string prepareOutputFolder(const std::string &folder);

// Checked before long work starts: writeFileAtomically could replace `path`
// now (its folder exists and takes new files, it is no folder itself).
// FileError naming the file and saying why.
void checkOutputFile(const std::string &path);

// The folder part of a path including its final '/', or "" when there is none.
std::string folderOf(const std::string &path);

} // namespace kalvor
