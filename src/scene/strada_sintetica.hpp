// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A plain synthetic road for detection tests and benchmarks: a textured grey
// background and frames with solid boxes (vehicles) and a little noise.

#include "common/rgb_image.hpp"
#include "state/griglia_metrica.hpp"

#include <cstdint>
#include <vector>

namespace kalvor::scene {

struct Scatola
{
    int x = 0; // left pixel column
    int y = 0; // top pixel row
    int larghezza = 0;
    int altezza = 0;
    std::uint8_t r = 200, g = 30, b = 30;
};

RgbImage sfondoStrada(int larghezza, int altezza, std::uint32_t seme);

// The background with the boxes painted on it and noise of +-rumore per byte.
RgbImage fotogrammaStrada(const RgbImage &sfondo, const std::vector<Scatola> &scatole, int rumore, std::uint32_t seme);

// X = passo x column, Y = passo x row.
MetricGrid grigliaUniforme(int larghezza, int altezza, double passo);

} // namespace kalvor::scene
