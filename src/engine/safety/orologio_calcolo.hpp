// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The clock of the indicator computation's timing lines. The screens give the
// time of day and its text in the user's format; tests give fixed ones.

#include <cstdint>
#include <functional>
#include <string>

namespace kalvor {

struct OrologioCalcolo
{
    // Milliseconds since midnight.
    std::function<std::int64_t()> oraDelGiorno;
    // A time of day, or a duration shorter than a day, as hours, minutes and
    // seconds in the user's format.
    std::function<std::string(std::int64_t millisecondi)> testoOra;
};

// The machine's local time, written "HH:MM:SS".
OrologioCalcolo orologioDiSistema();

// "HH:MM:SS" of a time of day in milliseconds (seconds truncated).
std::string testoOraHMS(std::int64_t millisecondi);

// From one time of day to a later one, across midnight if need be.
std::int64_t tempoTrascorso(std::int64_t inizio, std::int64_t fine);

} // namespace kalvor
