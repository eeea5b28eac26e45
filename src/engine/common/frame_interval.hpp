// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A closed interval of frame numbers first..last. Frame numbers come from
// typed texts and may be anywhere in the int range, so the count and every
// position are computed in 64 bits: no combination of two frame numbers
// overflows, and a loop over the interval ends even when last is INT_MAX.

#include <cstdint>

namespace kalvor {

struct FrameInterval
{
    int first = 0;
    int last = -1;

    // Frames in the interval, 0 when last precedes first (at most 2^32).
    std::int64_t count() const { return last < first ? 0 : std::int64_t {last} - first + 1; }
    bool empty() const { return last < first; }
    // Frame first + i, for 0 <= i < count().
    int at(std::int64_t i) const { return static_cast<int>(first + i); }
};

} // namespace kalvor
