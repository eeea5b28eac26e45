// SPDX-License-Identifier: GPL-3.0-or-later
// One 640x480 frame through the plain and the packed detection pipelines, the
// frame already decoded; the production benchmark also reports the ratio.
#include "detection/rilevamento.hpp"
#include "detection/rilevamento_riferimento.hpp"
#include "scene/strada_sintetica.hpp"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <vector>

using namespace kalvor;

namespace {

struct Scena
{
    StatoRilevamento det;
    MetricGrid griglia;
    RgbImage frame;
};

const Scena &scena()
{
    static const Scena s = [] {
        Scena k;
        const RgbImage sfondo = scene::sfondoStrada(640, 480, 1);
        k.det.AltezzaImmagine = 480;
        k.det.LarghezzaRiga = 1920;
        k.det.MediaSfondo.resize(480, 1920);
        std::copy(sfondo.pixels.begin(), sfondo.pixels.end(), k.det.MediaSfondo.data.begin());
        k.det.MatriceDifferenza.resize(480, 1920);
        k.det.GenerazioneSfondo = 1;
        k.det.RigaArea1 = 230;
        k.det.ColonnaArea1 = 3 * 20;
        k.det.RigaArea2 = 250;
        k.det.ColonnaArea2 = 3 * 620;
        k.det.DislivelloArea = 120;
        k.det.SogliaConteggio = 1;
        k.det.LunghezzaMin = 2;
        k.det.AreaVeicolo = 4;
        k.griglia = scene::grigliaUniforme(640, 480, 0.05);
        k.frame = scene::fotogrammaStrada(
            sfondo, {{100, 190, 90, 40}, {300, 200, 60, 35, 20, 20, 200}, {420, 250, 110, 45, 240, 240, 240}}, 4, 2);
        return k;
    }();
    return s;
}

double millisecondiRiferimento()
{
    static const double ms = [] {
        Scena k = scena();
        TextList att;
        std::vector<double> t;
        for (int i = 0; i < 3; ++i) {
            const auto t0 = std::chrono::steady_clock::now();
            riferimento::IndividuaVeicoli(k.det, k.griglia, k.frame, 12, -12, 1, 0.0, att);
            t.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count());
        }
        std::sort(t.begin(), t.end());
        return t[1];
    }();
    return ms;
}

} // namespace

static void BM_RilevamentoRiferimento(benchmark::State &state)
{
    Scena k = scena();
    TextList att;
    for (auto _ : state) {
        riferimento::IndividuaVeicoli(k.det, k.griglia, k.frame, 12, -12, 1, 0.0, att);
        benchmark::DoNotOptimize(att.count());
    }
    state.counters["veicoli"] = att.count() / 9;
}
BENCHMARK(BM_RilevamentoRiferimento)->Unit(benchmark::kMillisecond)->Iterations(10);

// Args: the instructions (0 the best of the processor, 1 at most AVX2, 2
// none) and what the caller needs (0 records and the whole mask, as the
// calibration run that shows it; 1 the records alone).
static void BM_RilevamentoProduzione(benchmark::State &state)
{
    setVectorInstructions(static_cast<VectorInstructions>(state.range(0)));
    const auto richiesta = state.range(1) == 0 ? MaskWanted::Whole : MaskWanted::RecordsOnly;
    Scena k = scena();
    TextList att;
    DetectionWorkspace spazio;
    IndividuaVeicoli(k.det, k.griglia, k.frame, 12, -12, 1, 0.0, att, spazio, richiesta); // builds the workspace
    const auto t0 = std::chrono::steady_clock::now();
    for (auto _ : state) {
        IndividuaVeicoli(k.det, k.griglia, k.frame, 12, -12, 1, 0.0, att, spazio, richiesta);
        benchmark::DoNotOptimize(att.count());
    }
    const double msPerFotogramma
        = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count()
        / static_cast<double>(state.iterations());
    setVectorInstructions(VectorInstructions::Best);
    state.counters["veicoli"] = att.count() / 9;
    const double ms = millisecondiRiferimento();
    state.counters["riferimento_ms"] = ms;
    state.counters["rapporto"] = ms / msPerFotogramma;
}
BENCHMARK(BM_RilevamentoProduzione)
    ->ArgNames({"istruzioni", "solo_record"})
    ->ArgsProduct({{0, 1, 2}, {0, 1}})
    ->Unit(benchmark::kMillisecond);
