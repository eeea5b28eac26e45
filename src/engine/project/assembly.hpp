// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Assembly of the project files of consecutive intervals into one: the
// sections of the first file up to its vehicle blocks, empty current and
// previous vehicle lists, the "Veicoli Totali" records of every file in the
// given order (numbers kept as they are), the first file's detection profile
// section when it has one, and the frame range of both detection sections set
// to F .. F + 10, F being the first calibration start frame.

#include "common/text_list.hpp"

#include <string>
#include <vector>

namespace kalvor {

// The assembled file from the files' lines. With no file the result is the
// single line "---fine t". ConversionError when the value after the first
// "Immagine iniziale" is not an integer.
TextList assembleProjects(const std::vector<TextList> &files);

// Reads every input (encoding by byte-order mark), assembles them and writes
// the result as a project file (Windows-1252, CR LF, whole or not at all).
// Nothing is written when any input cannot be read or the assembly fails.
void assembleProjectFiles(const std::vector<std::string> &inputs, const std::string &output);

} // namespace kalvor
