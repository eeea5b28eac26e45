// SPDX-License-Identifier: GPL-3.0-or-later
#include "capture/sovrapposizioni_captazione.hpp"

#include <stdexcept>

namespace kalvor {

void DisegnaContornoVeicoli(const StatoLavoro &, SessioneCaptazione &, bool, Rgb)
{
    throw std::logic_error("not implemented");
}

void DisegnaVeicoliVirtualiClick(StatoLavoro &, SessioneCaptazione &)
{
    throw std::logic_error("not implemented");
}

} // namespace kalvor
