// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The working memory of the robust detection's blob search, kept from frame
// to frame inside the detection workspace so that no frame allocates once
// the first has sized it. Nothing in it carries over from one frame to the
// next but its capacity.

#include <array>
#include <cstdint>
#include <vector>

namespace kalvor {

// A horizontal run of foreground pixels of the band: row, first and last column.
struct RunBanda
{
    int riga = 0;
    int x0 = 0;
    int x1 = 0;
};

struct RobustWorkspace
{
    std::vector<RunBanda> corse;
    std::vector<int> inizioRiga; // per band row and one past: index of its first run
    std::vector<int> padre; // union-find over runs
    std::vector<int> profondita; // per blob root: lowest pixel below the axis
    std::vector<int> primo, ultimo; // per blob root: column extent of its runs
    std::vector<int> conta; // per blob root: runs, then the start of its runs in `ordine`
    std::vector<int> ordine; // runs grouped by blob
    // Per pixel column + 1, difference arrays of one blob's pixels on or
    // above the axis row, below it, on it, and just below it.
    std::vector<int> sopra, sotto, suAsse, sottoAsse;
    std::vector<int> passato; // per row about the band: where the axis reaches it
    std::vector<std::uint64_t> apertura; // the mask's opening, before shadows are removed
    std::vector<std::uint64_t> verticale; // one row's vertical combination, a zero word either side
    std::array<int, 511> istogramma {}; // frame - background + 255
};

} // namespace kalvor
