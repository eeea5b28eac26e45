// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The reading direction chosen on SceltaVersoLetture: from which corner the
// measured points start. At most one of the four marks is ticked; none ticked
// reads as Origine00.

#include "state/stato_lavoro.hpp"

#include <string>

namespace kalvor {

enum class ReadingDirection { Origine00, Origine640480, Origine0480, Origine6400 };

// The ticked direction; none ticked (or, against the invariant, several) gives
// the first ticked in the order 00, 640480, 0480, 6400, and Origine00 for none.
ReadingDirection readingDirection(const StatoSceltaVersoLetture &scelta);

// Ticks the direction's mark and unticks the other three; usoGPS is left alone.
void chooseReadingDirection(StatoSceltaVersoLetture &scelta, ReadingDirection direction);

// Unticks the four direction marks; usoGPS is left alone.
void clearReadingDirection(StatoSceltaVersoLetture &scelta);

// Runs that start on the right side are reversed so that points run left to right.
bool isReversed(ReadingDirection direction);

// Roads drawn upwards put the metric origin at the bottom-left corner (0, H-1).
bool isBottomOrigin(ReadingDirection direction);

// The project-file code: "00", "640480", "0480", "6400".
std::string directionCode(ReadingDirection direction);

// ConversionError for any other text.
ReadingDirection directionFromCode(const std::string &code);

} // namespace kalvor
