// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A rows-by-columns table of signed 32-bit integers in one block (rows of
// equal length), used for the background mean and the detection mask.

#include <cstdint>
#include <vector>

namespace kalvor {

struct MatriceInteri
{
    int rows = 0;
    int cols = 0;
    std::vector<std::int32_t> data;

    void resize(int r, int c)
    {
        rows = r;
        cols = c;
        data.assign(static_cast<std::size_t>(r) * static_cast<std::size_t>(c), 0);
    }
    std::int32_t &at(int r, int c)
    {
        return data[static_cast<std::size_t>(r) * static_cast<std::size_t>(cols) + static_cast<std::size_t>(c)];
    }
    std::int32_t at(int r, int c) const
    {
        return data[static_cast<std::size_t>(r) * static_cast<std::size_t>(cols) + static_cast<std::size_t>(c)];
    }
    bool empty() const { return data.empty(); }
};

} // namespace kalvor
