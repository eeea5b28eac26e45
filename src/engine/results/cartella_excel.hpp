// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The per-vehicle table as a spreadsheet workbook (Office Open XML, .xlsx),
// written whole by the program: the worksheet keeps the program's own layout
// (header in row 1, row 2 empty, the sightings with a speed from row 3, the
// credit one row after an empty one), numbers as numeric cells with a dot,
// the arcs and the credit as inline strings.

#include "state/tabelle.hpp"

#include <string>
#include <vector>

namespace kalvor {

struct StatoLavoro;

inline constexpr const char *creditoExcel = "Kalvor - Realizzato da Gruppo Kalvor di ingegneria del traffico";

// The worksheet part: one line per element, each ended by CR LF.
std::string foglioExcel(const std::vector<RigaIstanti> &tabellaVeicoli);

// The shared strings part: the headers of columns 0 to 8.
std::string stringheCondiviseExcel();

// The bytes of the whole workbook (a ZIP archive).
std::string cartellaExcel(const std::vector<RigaIstanti> &tabellaVeicoli);

// Writes the workbook of the rows into the file, whole or not at all.
void scriviCartellaExcel(const std::vector<RigaIstanti> &tabellaVeicoli, const std::string &percorso);

// "Esporta Excel 2007": TabellaVeicoli into the chosen file. Refused before
// any confirmation of the capture.
void EsportaDati(const StatoLavoro &stato, const std::string &percorso);

} // namespace kalvor
