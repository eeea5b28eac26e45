// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The example job of the demo (resources/esempio/esempio.kvr): the work a user
// would do on the reference, area and calibration screens for the standard
// synthetic road scene, with the frame lists of its extraction.

#include "scene/road_scene.hpp"
#include "state/stato_lavoro.hpp"

namespace kalvor::testing {

struct ExampleJobOptions
{
    double duration = 20.0; // s of video
    int fps = 25;
    double step = 0.2; // extraction interval, s
};

// Reference points and distances of the scene with the origin at the top-left
// corner and no GPS, the examination area along the road axis, detection
// parameters suited to the scene, both detection intervals over every frame,
// and the frames an extraction every `step` seconds numbers from 0. Texts in
// the given number format.
StatoLavoro exampleJob(const scene::SceneGeometry &geometry, const ExampleJobOptions &options,
                       const NumberFormat &format);

} // namespace kalvor::testing
