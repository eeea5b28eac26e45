// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Vehicle trajectories read from the confirmed sightings: one per vehicle of
// arc 1 or 2, its sightings in time order. Positions between two sightings
// are taken on the straight line joining them.

#include "state/tabelle.hpp"

#include <optional>
#include <vector>

namespace kalvor {

struct PuntoTraiettoria
{
    double tempo = 0.0; // s
    double x = 0.0; // m along the road
    double velocita = 0.0; // km/h since the previous sighting
    bool operator==(const PuntoTraiettoria &) const = default;
};

struct Traiettoria
{
    double veicolo = 0.0;
    int arco = 0; // the vehicle's majority arc: 1 or 2
    double lunghezza = 0.0; // m, mean over its sightings
    std::vector<PuntoTraiettoria> punti; // by time, then table order
};

// Trajectories of every vehicle with a majority arc (rows whose "Arco" is 1
// or 2), by vehicle number.
std::vector<Traiettoria> raggruppaTraiettorie(const std::vector<RigaIstanti> &istanti);

// +1 when the vehicle ends at a larger X than it starts, -1 at a smaller one,
// 0 when it ends where it starts.
int versoDiMarcia(const Traiettoria &t);

// A vehicle's first passage through a position, on its trajectory.
struct Passaggio
{
    double tempo = 0.0; // s
    double velocita = 0.0; // km/h of the stretch that holds the position
};

// The first time the trajectory's X reaches x, interpolated between the two
// sightings around it; none when it never does. Stretches of zero duration
// (the same instant twice) are skipped.
std::optional<Passaggio> passaggioPer(const Traiettoria &t, double x);

} // namespace kalvor
