// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The corrections of "Correggi" on TabellaVeicoli: ceilings on speed and
// distance, and the smoothing of the speeds of each vehicle.

#include "state/tabelle.hpp"

#include <cstddef>
#include <functional>
#include <utility>
#include <vector>

namespace kalvor {

// Rows from 1 on, in order: a speed above 150 km/h becomes the speed of the
// row before (as already corrected) plus 1.
void tettoVelocita(std::vector<RigaIstanti> &righe);

// Rows from 1 on, in order: a distance above 50 m becomes the distance of the
// row before.
void tettoDistanza(std::vector<RigaIstanti> &righe);

// One smoothing pass over the rows first..last of one vehicle: from its third
// row to the one before its last, a speed above both neighbours or below both
// becomes their mean, the earlier neighbour taken as already smoothed.
void levigaVelocitaVeicolo(std::vector<RigaIstanti> &righe, std::size_t first, std::size_t last);

// The rows first..last of one vehicle less the rows at either end for which
// `senzaVelocita` holds (records cut by the band: no speed of their own, so
// the smoothing must not compare a measured row with them). first..last
// unchanged without a predicate.
std::pair<std::size_t, std::size_t> rowsWithSpeed(std::size_t first, std::size_t last,
                                                  const std::function<bool(std::size_t)> &senzaVelocita);

// One smoothing pass over every vehicle number 0..NumeroVeicoli, each found
// by searching the first LunghezzaLista rows (grouped by number), trimmed by
// rowsWithSpeed.
void CorrezioneVelocita(std::vector<RigaIstanti> &TabellaVeicoli, long long NumeroVeicoli, int LunghezzaLista,
                        const std::function<bool(std::size_t)> &senzaVelocita = {});

} // namespace kalvor
