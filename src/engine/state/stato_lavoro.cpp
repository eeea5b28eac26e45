// SPDX-License-Identifier: GPL-3.0-or-later
#include "state/stato_lavoro.hpp"

namespace kalvor {

StatoLavoro::StatoLavoro(const NumberFormat &format)
{
    // The only decimal initial text; written with the user's separator so a
    // locale with a dot gets a usable default.
    Estrattore.step = initialDecimalText("0.2", format);
}

} // namespace kalvor
