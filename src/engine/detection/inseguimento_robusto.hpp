// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Numbering of the robust profile: each record takes the number of the
// vehicle whose position, predicted from its own speed and the time between
// frames, it continues.

namespace kalvor {

// What the robust numbering remembers between frames of one run.
struct RobustTracker
{
};

} // namespace kalvor
