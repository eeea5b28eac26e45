// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Vehicles passing a reference section across the road (a position X), and
// the pairs of consecutive vehicles of an arc there: the time headway and the
// post-encroachment time. A vehicle's front and rear lie half its length ahead
// of and behind its sighted position, in its own direction of travel.

#include "analysis/traiettorie.hpp"

#include <optional>
#include <vector>

namespace kalvor {

struct PassaggioSezione
{
    double veicolo = 0.0;
    int arco = 0;
    double lunghezza = 0.0; // m
    double tempoFronte = 0.0; // s: the front reaches the section
    std::optional<double> tempoCoda; // s: the rear leaves it
    double velocita = 0.0; // km/h where the front reaches the section
};

// Every vehicle whose front reaches the section, by arc (1 then 2) and then by
// that time (vehicle number on a tie). Vehicles that never move along the road
// or never reach the section are left out.
std::vector<PassaggioSezione> passaggiSezione(const std::vector<Traiettoria> &traiettorie, double sezioneX);

struct CoppiaConsecutiva
{
    int arco = 0;
    std::size_t primo = 0; // the leader, an index into the passages
    std::size_t secondo = 0; // the follower
    double distanziamentoTemporale = 0.0; // s, front to front
    double distanziamentoSpaziale = 0.0; // m, time headway at the follower's speed
    std::optional<double> pet; // s, leader's rear leaving to follower's front arriving
};

// Each vehicle with the one before it on the same arc; the passages are
// ordered as passaggiSezione gives them.
std::vector<CoppiaConsecutiva> coppieConsecutive(const std::vector<PassaggioSezione> &passaggi);

} // namespace kalvor
