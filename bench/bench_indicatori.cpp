// SPDX-License-Identifier: GPL-3.0-or-later
#include "safety/indicatori.hpp"

#include <benchmark/benchmark.h>

#include <chrono>
#include <random>

namespace {

// A survey as the confirmation writes it: ten vehicles per instant, chronological.
std::vector<kalvor::RigaIstanti> survey(int sightings)
{
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> x(0.0, 120.0);
    std::vector<kalvor::RigaIstanti> rows(static_cast<std::size_t>(sightings));
    for (int k = 0; k < sightings; ++k) {
        kalvor::RigaIstanti &r = rows[static_cast<std::size_t>(k)];
        r.veicolo = k % 37;
        r.tempo = (k / 10) * 0.2;
        r.barX = x(rng);
        r.barY = k % 2 ? 3.0 : -3.0;
        r.Arco = 1.0 + k % 2;
        r.sorp = k % 11 == 0 ? 1.0 : 0.0;
        r.velocita = 30.0 + k % 50;
        r.lungh = 4.5;
    }
    return rows;
}

double millisecondsOf(void (*compute)(const std::vector<kalvor::RigaIstanti> &, std::vector<kalvor::RigaIndicatori> &,
                                      std::vector<kalvor::RigaVicini> &),
                      const std::vector<kalvor::RigaIstanti> &rows)
{
    std::vector<kalvor::RigaIndicatori> out;
    std::vector<kalvor::RigaVicini> near;
    const auto t0 = std::chrono::steady_clock::now();
    compute(rows, out, near);
    benchmark::DoNotOptimize(out.data());
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
}

} // namespace

// The indexed walk on 100,000 sightings (must stay well under 0.1 s).
static void BM_Indicatori100000(benchmark::State &state)
{
    const auto rows = survey(100000);
    std::vector<kalvor::RigaIndicatori> out;
    std::vector<kalvor::RigaVicini> near;
    for (auto _ : state) {
        kalvor::calcolaIndicatoriIndicizzato(rows, out, near);
        benchmark::DoNotOptimize(out.data());
    }
}
BENCHMARK(BM_Indicatori100000)->Unit(benchmark::kMillisecond)->Repetitions(3)->UseRealTime();

// Both walks on 10,000 sightings (the plain one is quadratic) and their ratio.
static void BM_Indicatori10000Rapporto(benchmark::State &state)
{
    const auto rows = survey(10000);
    for (auto _ : state) {
        const double plain = millisecondsOf(kalvor::calcolaIndicatoriRiferimento, rows);
        const double indexed = millisecondsOf(kalvor::calcolaIndicatoriIndicizzato, rows);
        state.counters["semplice_ms"] = plain;
        state.counters["indicizzato_ms"] = indexed;
        state.counters["rapporto"] = plain / indexed;
    }
}
BENCHMARK(BM_Indicatori10000Rapporto)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3)->UseRealTime();
