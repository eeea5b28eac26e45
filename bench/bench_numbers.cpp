// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/numbers.hpp"

#include <benchmark/benchmark.h>

// Records and project files write millions of fixed-point texts.
static void BM_FixedTextRoundTrip(benchmark::State &state)
{
    const kalvor::NumberFormat f = kalvor::NumberFormat::comma();
    double v = 12.345678;
    for (auto _ : state) {
        const std::string s = kalvor::fixedText(v, f);
        benchmark::DoNotOptimize(kalvor::toDecimal(s, f));
        v += 0.0137;
    }
}
BENCHMARK(BM_FixedTextRoundTrip);
