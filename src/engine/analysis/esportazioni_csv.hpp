// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Comma-separated exports for spreadsheets, R and pandas: UTF-8, a header row
// whose names carry their units, dot decimals (four at most, shortest form),
// arcs as "sup" and "inf", an empty field where a figure is undefined, CR LF
// line ends.

#include "analysis/analisi_traffico.hpp"
#include "state/tabelle.hpp"

#include <string>
#include <vector>

namespace kalvor {

// Every sighting of TabellaIstanti, in table order.
std::string csvTraiettorie(const std::vector<RigaIstanti> &istanti);

// The filled rows of TabellaVeicoli (sightings grouped by vehicle), in the
// same columns; the rows of zeros left for numbers that are not whole and not
// negative are not written.
std::string csvVeicoli(const std::vector<RigaIstanti> &veicoli, const std::vector<RigaIstanti> &istanti);

// The flow figures per arc and interval.
std::string csvFlussi(const AnalisiTraffico &a);

// Each pair of consecutive vehicles of an arc at the section.
std::string csvIndicatoriEstesi(const AnalisiTraffico &a);

} // namespace kalvor
