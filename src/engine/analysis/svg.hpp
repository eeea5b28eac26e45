// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A chart as a standalone SVG document (UTF-8), white background, the
// primitives in drawing order with the same pixel coordinates.

#include "analysis/assi_grafico.hpp"

#include <string>

namespace kalvor {

std::string svgDiGrafico(const Grafico &g);

} // namespace kalvor
