// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/text_list.hpp"

#include <string>

namespace kalvor {

// Refuses (RefusalError, Italian message naming `displayName`) a text that no
// project file can be: an empty file, a line holding a control character
// (images and other binary files), or a file with no section header where the
// format puts one (line 0, or any line from 5 on). Called before the reader
// changes anything.
void checkProjectText(const TextList &testo, const std::string &displayName);

} // namespace kalvor
