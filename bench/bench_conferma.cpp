// SPDX-License-Identifier: GPL-3.0-or-later
// The confirmation of a capture: the whole of it (records read, tables,
// texts) with the indexed tables, on 1,000 to 100,000 sightings, beside the
// plain quadratic tables on 500 to 2,000, and the ratio of the two tables
// alone on 2,000 sightings. Surveys as a capture leaves them, "Correggi" on.
#include "results/conferma.hpp"
#include "results/testi_risultati.hpp"
#include "support/rilevamenti_casuali.hpp"

#include <benchmark/benchmark.h>

#include <chrono>
#include <map>

using namespace kalvor;

namespace {

const StatoLavoro &rilevamenti(int n)
{
    static std::map<int, StatoLavoro> cache;
    auto it = cache.find(n);
    if (it == cache.end()) {
        setCurrentNumberFormat(NumberFormat::comma());
        it = cache.emplace(n, kalvor::testing::rilevamentiOrdinati(n, 7)).first;
    }
    return it->second;
}

IngressoConferma ingresso(const StatoLavoro &s)
{
    return IngressoConferma {s.CP, s.GrigliaMetrica, s.TabellaTempiFotogrammi, s.NumeroFotogrammiEstratti, true};
}

double secondi(const std::chrono::steady_clock::time_point &da)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - da).count();
}

} // namespace

static void BM_Conferma(benchmark::State &state)
{
    StatoLavoro s = rilevamenti(static_cast<int>(state.range(0)));
    for (auto _ : state)
        ConfermaClick(s, true);
    benchmark::DoNotOptimize(s.TabellaIstanti.data());
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_Conferma)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();

static void BM_ConfermaTabelle(benchmark::State &state)
{
    const StatoLavoro &s = rilevamenti(static_cast<int>(state.range(0)));
    const auto righe = righeDaiRecord(s.Captazione.VeicoliTOT, s.CP, s.GrigliaMetrica);
    for (auto _ : state)
        benchmark::DoNotOptimize(confermaTabelle(righe, ingresso(s)).V1);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ConfermaTabelle)
    ->Arg(500)
    ->Arg(1000)
    ->Arg(2000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

static void BM_ConfermaTabelleSemplice(benchmark::State &state)
{
    const StatoLavoro &s = rilevamenti(static_cast<int>(state.range(0)));
    const auto righe = righeDaiRecord(s.Captazione.VeicoliTOT, s.CP, s.GrigliaMetrica);
    for (auto _ : state)
        benchmark::DoNotOptimize(confermaTabelleSemplice(righe, ingresso(s)).V1);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ConfermaTabelleSemplice)->Arg(500)->Arg(1000)->Arg(2000)->Unit(benchmark::kMillisecond)->UseRealTime();

// Both tables on the same 2,000 sightings, the plain time over the indexed one.
static void BM_ConfermaRapporto2000(benchmark::State &state)
{
    const StatoLavoro &s = rilevamenti(2000);
    const auto righe = righeDaiRecord(s.Captazione.VeicoliTOT, s.CP, s.GrigliaMetrica);
    double veloce = 0.0;
    double semplice = 0.0;
    for (auto _ : state) {
        auto t0 = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(confermaTabelle(righe, ingresso(s)).V1);
        veloce += secondi(t0);
        t0 = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(confermaTabelleSemplice(righe, ingresso(s)).V1);
        semplice += secondi(t0);
    }
    state.counters["veloce_ms"] = 1000.0 * veloce / static_cast<double>(state.iterations());
    state.counters["semplice_ms"] = 1000.0 * semplice / static_cast<double>(state.iterations());
    state.counters["rapporto"] = semplice / veloce;
}
BENCHMARK(BM_ConfermaRapporto2000)->Unit(benchmark::kMillisecond)->UseRealTime();

// The parts of the whole: the records read into rows, and the two texts.
static void BM_ConfermaLetturaRecord(benchmark::State &state)
{
    const StatoLavoro &s = rilevamenti(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(righeDaiRecord(s.Captazione.VeicoliTOT, s.CP, s.GrigliaMetrica).data());
}
BENCHMARK(BM_ConfermaLetturaRecord)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();

static void BM_ConfermaTesti(benchmark::State &state)
{
    const StatoLavoro &s = rilevamenti(static_cast<int>(state.range(0)));
    const TabelleConfermate t
        = confermaTabelle(righeDaiRecord(s.Captazione.VeicoliTOT, s.CP, s.GrigliaMetrica), ingresso(s));
    for (auto _ : state) {
        const TextList temporali = testoDatiTemporali(t);
        benchmark::DoNotOptimize(testoDatiVeicolari(t, &temporali).count());
    }
}
BENCHMARK(BM_ConfermaTesti)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();
