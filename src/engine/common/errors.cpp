// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/errors.hpp"

namespace kalvor {

double checkedDivide(double dividend, double divisor)
{
    if (divisor == 0.0)
        throw ArithmeticError("Divisione per zero.");
    return dividend / divisor;
}

} // namespace kalvor
