// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Capture jobs with many sightings for the result tables: the job of
// lavoroRisultati with VeicoliTOT and the frame times filled.

#include "state/stato_lavoro.hpp"

#include <cstdint>

namespace kalvor::testing {

// A survey as a capture leaves it: frame after frame (0.2 s apart), vehicles
// entering one after another, each seen in about 25 frames, moving 4 to 10
// metres a frame, in "sup" or "inf", now and then in the other arc.
StatoLavoro rilevamentiOrdinati(int avvistamenti, std::uint32_t seme);

// A short list of everything a list of records can hold: numbers repeated
// out of order, non-integer and negative numbers, the same record twice,
// frames with no time or two times, times standing still, odd arc texts,
// jumps that trip the ceilings.
StatoLavoro rilevamentiDisordinati(int avvistamenti, std::uint32_t seme);

} // namespace kalvor::testing
