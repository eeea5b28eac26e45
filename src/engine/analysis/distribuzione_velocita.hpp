// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The speed distribution of one arc: a histogram of the speeds at the
// reference section in classes of 5 km/h ([0, 5), [5, 10), ...), with the
// mean and the 85th percentile marked by vertical lines.

#include "analysis/assi_grafico.hpp"
#include "analysis/diagramma_spazio_tempo.hpp"

#include <vector>

namespace kalvor {

inline constexpr double ampiezzaClasseVelocita = 5.0; // km/h

struct ClasseVelocita
{
    double da = 0.0; // km/h, included
    double a = 0.0; // km/h, excluded
    int veicoli = 0;
    bool operator==(const ClasseVelocita &) const = default;
};

// Every class from the lowest to the highest speed, empty ones included.
std::vector<ClasseVelocita> classiVelocita(const std::vector<double> &velocita);

Grafico distribuzioneVelocita(const std::vector<double> &velocita, int arco, int larghezza = 900, int altezza = 600,
                              const MarginiGrafico &margini = {});

} // namespace kalvor
