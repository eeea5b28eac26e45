// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The time-space diagram: time across, position along the road (X) up, one
// line per vehicle through its sightings, arc 1 in blue and arc 2 in red, the
// vehicle number at the end of its line.

#include "analysis/assi_grafico.hpp"
#include "analysis/traiettorie.hpp"

#include <vector>

namespace kalvor {

struct MarginiGrafico
{
    int sinistra = 80;
    int alto = 60;
    int destra = 50;
    int basso = 50;
};

// The plot area spans the time and X ranges of the sightings exactly (one unit
// around a range of zero width).
Grafico diagrammaSpazioTempo(const std::vector<Traiettoria> &traiettorie, int larghezza = 900, int altezza = 600,
                             const MarginiGrafico &margini = {});

// The colour of an arc's lines and bars.
Rgb coloreArco(int arco);

} // namespace kalvor
