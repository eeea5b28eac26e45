// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "state/stato_lavoro.hpp"

#include <string>

namespace kalvor::testing {

// Every item the project file touches, one per line ("item: value"; a list
// as "item: n" followed by its lines, each after "| "), for golden files.
// `folder` is written as "<cartella>/" where it starts Estrattore.Cartella.
std::string dumpProjectState(const StatoLavoro &stato, const std::string &folder = {});

} // namespace kalvor::testing
