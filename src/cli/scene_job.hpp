// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scene/road_scene.hpp"
#include "state/stato_lavoro.hpp"

namespace kalvor::cli {

// The job of a generated scene, frames 0..ultimo taken one in `passo`, with
// its metric grid, frame times and capture background (the mean of the first
// 201 frames, or their robust background), as "Calc. Media" leaves it with
// the capture screen's profile: what the accuracy commands capture.
StatoLavoro lavoroDellaScena(const scene::RoadScene &scena, int passo, int ultimo, ProfiloRilevamento profilo);

} // namespace kalvor::cli
