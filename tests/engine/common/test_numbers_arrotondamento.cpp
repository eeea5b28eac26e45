// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/errors.hpp"
#include "common/numbers.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

using namespace kalvor;

TEST(ArrotondamentoQuattroDecimali, QuickPathEqualsTheDecimalDigits)
{
    std::mt19937_64 rng(12345);
    std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
    std::uniform_int_distribution<int> esponente(-9, 13);
    std::uniform_int_distribution<long long> intero(-2000000000LL, 2000000000LL);
    std::uniform_int_distribution<int> decimali(0, 9);
    for (int i = 0; i < 400000; ++i) {
        double v = 0.0;
        switch (i % 4) {
        case 0: // any magnitude
            v = mantissa(rng) * std::pow(10.0, esponente(rng));
            break;
        case 1: // a decimal text's value, ties at the fifth decimal included
            v = static_cast<double>(intero(rng)) / std::pow(10.0, decimali(rng));
            break;
        case 2: // computed like the tables' speeds
            v = static_cast<double>(intero(rng) % 100000) / 1000.0 / (0.04 * (1 + i % 7)) * 3.6;
            break;
        default: // exactly on or next to a half unit
            v = (static_cast<double>(intero(rng) % 10000000) + 0.5) / 10000.0;
            v = i % 3 == 0 ? v : std::nextafter(v, i % 3 == 1 ? 1e300 : -1e300);
            break;
        }
        ASSERT_EQ(roundToFixed4(v), roundToFixed4Reference(v)) << std::hexfloat << v;
    }
    const double cases[] = {0.00005, 0.00015, -0.00025, 1.00005, 922337203685.47, 5e-324, -0.0};
    for (double v : cases)
        EXPECT_EQ(roundToFixed4(v), roundToFixed4Reference(v)) << v;
    EXPECT_EQ(roundToFixed4(0.00005), 0);
    EXPECT_EQ(roundToFixed4(0.00015), 2);
    EXPECT_THROW(roundToFixed4(1e300), ArithmeticError);
}
