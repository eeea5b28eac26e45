// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace kalvor {

// The whole content of a file; FileError naming it when it cannot be read.
std::string readFileBytes(const std::string &path);

// Writes the bytes to a temporary file in the target's folder and renames it
// over the target, so a failure never leaves a half-written file in place of a
// good one. FileError naming the target on any failure; the temporary file is
// removed then.
void writeFileAtomically(const std::string &path, std::string_view bytes);

// The folder part of a path including its final '/', or "" when there is none.
std::string folderOf(const std::string &path);

} // namespace kalvor
