// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The project file writer: seven sections in a fixed order, every value the
// exact text of its item, then the detection profiles of the calibration and
// the capture when either is not the default:
//   ---PROFILO RILEVAMENTO---
//   Calibrazione
//   robusto
//   Captazione
//   predefinito
// Block rules:
// - the frame and time lists, the reference lists and the area points are
//   written with all their lines (an empty list writes none);
// - the GPS lists are written as their own blocks only when they hold lines;
// - a vehicle list of five lines or fewer holds no record and writes none.

#include "common/text_list.hpp"
#include "state/stato_lavoro.hpp"

#include <string>

namespace kalvor {

// The lines of the project file of the job, in order (the writer's `testo`).
// RefusalError naming the item when a value holds a line break, since it
// would shift every later value of the file.
TextList projectFileLines(const StatoLavoro &stato);

// Writes the job's project file: Windows-1252 without BOM, CR LF after every
// line, written whole or not at all. ConversionError for a character that
// Windows-1252 cannot hold, FileError when the file cannot be written.
void writeProjectFile(const std::string &path, const StatoLavoro &stato);

} // namespace kalvor
