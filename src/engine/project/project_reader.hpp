// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The project file reader. Values are taken by position from their section
// header; headers are searched from line 5 to the end in any order, and a
// repeated header runs its step again. Blocks are read from a given line to
// the end of the file, so a repeated block label appends twice. Reading stops
// at the first failure with a kalvor::Error; every item set before keeps its
// new value. The detection profiles of the optional trailing section are
// looked up first (a bad word refuses the file before anything changes) and
// set with their screen's section; without the section they are the default.

#include "common/text_list.hpp"
#include "project/project_screen_steps.hpp"
#include "state/stato_lavoro.hpp"

#include <functional>
#include <string>

namespace kalvor {

// Progress of the reading in percent: 5 after the general data, then 10, 20,
// 40, 60, 80 and 100 after the sections that set them.
using ProjectProgress = std::function<void(int percent)>;

// Reads a project file already split into lines (the main screen's `testo`).
// `Estrattore.Cartella` must already be the folder of the file: the frames
// named by the file are looked up there.
void readProjectLines(const TextList &testo, StatoLavoro &stato, ProjectScreenSteps &steps,
                      const ProjectProgress &progress = {});

// Loads the file (encoding by byte-order mark, otherwise Windows-1252; CR, LF
// and CR LF end a line), sets `Estrattore.Cartella` to the file's folder and
// reads it. FileError when the file cannot be read and RefusalError when it is
// not a project file (an image, an empty or unrelated text): nothing changed then.
void readProjectFile(const std::string &path, StatoLavoro &stato, ProjectScreenSteps &steps,
                     const ProjectProgress &progress = {});

// Reads the blocks labelled `label` into `list` from line `start` to the end
// of the file: after every line equal to the label, the lines up to the next
// line equal to `end` (or to the end of the file). The list is not cleared.
void readBlock(const TextList &testo, int start, const char *label, const char *end, TextList &list);

} // namespace kalvor
