// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The detection profile read from a text someone wrote: a project file's
// line or a command-line value. Only the two exact words are profiles, so
// that a typing error is refused instead of running the default unnoticed.

#include "state/profilo_rilevamento.hpp"

#include <string>
#include <string_view>

namespace kalvor {

// ConversionError quoting the text and listing the two words.
ProfiloRilevamento profileFromText(std::string_view text);

// "predefinito" or "robusto", for messages and summaries.
std::string profileText(ProfiloRilevamento profilo);

} // namespace kalvor
