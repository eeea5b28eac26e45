// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scene/road_scene.hpp"
#include "state/stato_lavoro.hpp"

namespace kalvor::cli {

// The job of a generated scene, frames 0..ultimo taken one in `passo`, with
// its metric grid, frame times and capture background, as "Calc. Media"
// leaves it: what the accuracy commands capture.
StatoLavoro lavoroDellaScena(const scene::RoadScene &scena, int passo, int ultimo);

} // namespace kalvor::cli
