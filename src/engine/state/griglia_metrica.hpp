// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The type of GrigliaMetrica. For every pixel (row, column) of the frame view its metric x (element 0,
// along the picture) and y (element 1), in metres. H rows by W columns by 2
// doubles in one contiguous block; never holds inf or NaN.

#include <vector>

namespace kalvor {

struct MetricGrid
{
    int rows = 0; // H
    int cols = 0; // W
    std::vector<double> data;

    void resize(int h, int w)
    {
        rows = h;
        cols = w;
        data.assign(static_cast<std::size_t>(h) * static_cast<std::size_t>(w) * 2, 0.0);
    }
    double &at(int r, int c, int k)
    {
        return data[(static_cast<std::size_t>(r) * static_cast<std::size_t>(cols) + static_cast<std::size_t>(c)) * 2
                    + static_cast<std::size_t>(k)];
    }
    double at(int r, int c, int k) const
    {
        return data[(static_cast<std::size_t>(r) * static_cast<std::size_t>(cols) + static_cast<std::size_t>(c)) * 2
                    + static_cast<std::size_t>(k)];
    }
    bool empty() const { return data.empty(); }
    bool contains(int r, int c) const { return r >= 0 && c >= 0 && r < rows && c < cols; }
};

} // namespace kalvor
