// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Traffic flow per arc and time interval at the reference section. Intervals
// are [k L, (k + 1) L) for whole k, L the interval length, from the one holding
// the first sighting to the one holding the last; only the observed part of an
// interval counts in its duration. A vehicle counts in the interval where its
// front reaches the section; a headway counts with its follower.

#include "analysis/passaggi.hpp"

#include <optional>
#include <vector>

namespace kalvor {

struct FlussoIntervallo
{
    int arco = 0;
    double inizio = 0.0; // s, nominal start of the interval
    double fine = 0.0; // s, nominal end
    double durata = 0.0; // s observed within it
    int veicoli = 0;
    std::optional<double> flusso; // veh/h
    std::optional<double> velocitaMedia; // km/h, arithmetic mean of the speeds at the section
    std::optional<double> velocita85; // km/h, 85th percentile of the same speeds
    std::optional<double> velocitaSpazio; // km/h, their harmonic mean
    std::optional<double> distanziamentoTemporale; // s, mean
    std::optional<double> distanziamentoSpaziale; // m, mean
    std::optional<double> densita; // veh/km: flow over the harmonic mean speed
};

// The time span of the sightings.
struct FinestraOsservazione
{
    double inizio = 0.0; // s
    double fine = 0.0; // s
};

// RefusalError when the interval length is not positive or would give more
// than a million intervals.
std::vector<FlussoIntervallo> flussiPerIntervallo(const std::vector<PassaggioSezione> &passaggi,
                                                  const std::vector<CoppiaConsecutiva> &coppie,
                                                  FinestraOsservazione finestra, double durataIntervallo);

// The same figures for the whole observation, one per arc (1 then 2).
std::vector<FlussoIntervallo> flussiComplessivi(const std::vector<PassaggioSezione> &passaggi,
                                                const std::vector<CoppiaConsecutiva> &coppie,
                                                FinestraOsservazione finestra);

} // namespace kalvor
