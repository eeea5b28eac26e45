// SPDX-License-Identifier: GPL-3.0-or-later
// The robust per-frame detection on frames of the generated 640x480 road
// scene (traffic, noise, light), already decoded: its plain version, its fast
// version, and the default detection for records alone, with the ratios.
// Also one scene frame decoded from PNG, the cost every frame of a run pays
// anyway, and the median background of the interval.
#include "detection/geometria_area.hpp"
#include "detection/rilevamento.hpp"
#include "detection/rilevamento_robusto.hpp"
#include "detection/rilevamento_robusto_riferimento.hpp"
#include "detection/sfondo_robusto.hpp"
#include "extraction/png_io.hpp"
#include "scene/road_scene.hpp"
#include "support/temp_dir.hpp"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <functional>
#include <vector>

using namespace kalvor;

namespace {

constexpr int kFotogrammi = 40;

struct Banco
{
    scene::RoadScene scena;
    StatoRilevamento det;
    MetricGrid griglia;
    std::vector<RgbImage> fotogrammi; // every fifth frame: 5 frames per second
};

const Banco &banco()
{
    static const Banco b = [] {
        scene::SceneOptions opzioni;
        opzioni.duration = 20.0;
        Banco k {scene::RoadScene(opzioni), {}, {}, {}};
        const auto &geo = k.scena.geometry();
        readDetectionParameters(CampiRilevamento {}, k.det);
        readAreaGeometry(geo.puntiRiferimento(), k.det);
        k.det.Profilo = ProfiloRilevamento::Robusto;
        k.det.AltezzaImmagine = geo.height;
        k.det.LarghezzaRiga = 3 * geo.width;
        k.det.MediaSfondo = robustBackgroundOf([&](int n) { return k.scena.frame(n); }, 0, 200);
        k.det.MatriceDifferenza.resize(geo.height, 3 * geo.width);
        k.det.GenerazioneSfondo = 1;
        k.griglia = geo.metricGrid();
        for (int i = 0; i < kFotogrammi; ++i)
            k.fotogrammi.push_back(k.scena.frame(5 * i));
        return k;
    }();
    return b;
}

// Thread CPU time: the machine may be shared, and other work must not count.
double adesso()
{
    timespec t {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) * 1e-6;
}

// Median CPU milliseconds per frame of `f` over the frames, in five rounds.
double millisecondi(const std::function<void(const RgbImage &, int)> &f)
{
    const Banco &b = banco();
    std::vector<double> t;
    for (int giro = 0; giro < 5; ++giro) {
        const double t0 = adesso();
        for (int i = 0; i < kFotogrammi; ++i)
            f(b.fotogrammi[static_cast<std::size_t>(i)], i);
        t.push_back((adesso() - t0) / kFotogrammi);
    }
    std::sort(t.begin(), t.end());
    return t[2];
}

double millisecondiPredefinito()
{
    static const double ms = [] {
        StatoRilevamento det = banco().det;
        DetectionWorkspace spazio;
        TextList att;
        return millisecondi([&](const RgbImage &f, int i) {
            IndividuaVeicoli(det, banco().griglia, f, 12, -12, i, 0.0, att, spazio, MaskWanted::RecordsOnly);
        });
    }();
    return ms;
}

double millisecondiRiferimento()
{
    static const double ms = [] {
        StatoRilevamento det = banco().det;
        TextList att;
        const double t0 = adesso();
        for (int i = 0; i < 4; ++i)
            riferimento::IndividuaVeicoliRobusto(det, banco().griglia, banco().fotogrammi[static_cast<std::size_t>(i)],
                                                 12, -12, i, 0.0, att);
        return (adesso() - t0) / 4;
    }();
    return ms;
}

} // namespace

static void BM_RobustoRiferimento(benchmark::State &state)
{
    StatoRilevamento det = banco().det;
    TextList att;
    int i = 0;
    for (auto _ : state) {
        riferimento::IndividuaVeicoliRobusto(det, banco().griglia, banco().fotogrammi[static_cast<std::size_t>(i)], 12,
                                             -12, i, 0.0, att);
        i = (i + 1) % kFotogrammi;
        benchmark::DoNotOptimize(att.count());
    }
}
BENCHMARK(BM_RobustoRiferimento)->Unit(benchmark::kMillisecond)->Iterations(4)->MeasureProcessCPUTime();

// Args: what the caller needs (0 records and the whole mask, 1 the records alone).
static void BM_RobustoVeloce(benchmark::State &state)
{
    const auto richiesta = state.range(0) == 0 ? MaskWanted::Whole : MaskWanted::RecordsOnly;
    StatoRilevamento det = banco().det;
    DetectionWorkspace spazio;
    TextList att;
    long long record = 0;
    int i = 0;
    for (auto _ : state) {
        IndividuaVeicoliRobusto(det, banco().griglia, banco().fotogrammi[static_cast<std::size_t>(i)], 12, -12, i, 0.0,
                                att, spazio, richiesta);
        i = (i + 1) % kFotogrammi;
        record += att.count() / 9;
        benchmark::DoNotOptimize(att.count());
    }
    const double ms = millisecondi([&](const RgbImage &f, int n) {
        IndividuaVeicoliRobusto(det, banco().griglia, f, 12, -12, n, 0.0, att, spazio, richiesta);
    });
    state.counters["record_per_fotogramma"] = static_cast<double>(record) / static_cast<double>(state.iterations());
    state.counters["robusto_ms"] = ms;
    state.counters["predefinito_solo_record_ms"] = millisecondiPredefinito();
    state.counters["robusto_su_predefinito"] = ms / millisecondiPredefinito();
    state.counters["riferimento_ms"] = millisecondiRiferimento();
    state.counters["riferimento_su_robusto"] = millisecondiRiferimento() / ms;
}
BENCHMARK(BM_RobustoVeloce)->ArgNames({"solo_record"})->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

static void BM_PredefinitoSoloRecord(benchmark::State &state)
{
    StatoRilevamento det = banco().det;
    DetectionWorkspace spazio;
    TextList att;
    int i = 0;
    for (auto _ : state) {
        IndividuaVeicoli(det, banco().griglia, banco().fotogrammi[static_cast<std::size_t>(i)], 12, -12, i, 0.0, att,
                         spazio, MaskWanted::RecordsOnly);
        i = (i + 1) % kFotogrammi;
        benchmark::DoNotOptimize(att.count());
    }
}
BENCHMARK(BM_PredefinitoSoloRecord)->Unit(benchmark::kMillisecond);

// One scene frame decoded from its PNG file, as every frame of a run is.
static void BM_DecodificaFotogrammaScena(benchmark::State &state)
{
    const testing::TempDir dir;
    writePng(dir.file("f.png"), banco().fotogrammi[3]);
    for (auto _ : state) {
        const RgbImage img = readPng(dir.file("f.png"));
        benchmark::DoNotOptimize(img.pixels.data());
    }
}
BENCHMARK(BM_DecodificaFotogrammaScena)->Unit(benchmark::kMillisecond);

// The median background of frames 0..200 (31 sampled), frames in memory.
static void BM_SfondoMediano(benchmark::State &state)
{
    const auto &scena = banco().scena;
    std::vector<RgbImage> campioni;
    for (int i = 0; i < 31; ++i)
        campioni.push_back(scena.frame(backgroundSampleFrame(0, 200, 31, i)));
    for (auto _ : state) {
        const MatriceInteri m = medianOfFrames(campioni);
        benchmark::DoNotOptimize(m.data.data());
    }
}
BENCHMARK(BM_SfondoMediano)->Unit(benchmark::kMillisecond);

// The leveled pixel median the robust background takes, against its plain
// reference (sorting each pixel's sums), on the same 31 frames.
static void BM_SfondoMedianoPerPixel(benchmark::State &state)
{
    const auto &scena = banco().scena;
    std::vector<RgbImage> campioni;
    for (int i = 0; i < 31; ++i)
        campioni.push_back(scena.frame(backgroundSampleFrame(0, 200, 31, i)));
    double veloce = 0.0;
    double piano = 0.0;
    int volte = 0;
    for (auto _ : state) {
        auto t0 = std::chrono::steady_clock::now();
        const MatriceInteri m = pixelMedianOfFrames(campioni);
        auto t1 = std::chrono::steady_clock::now();
        const MatriceInteri r = riferimento::pixelMedianOfFrames(campioni);
        auto t2 = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(m.data.data());
        benchmark::DoNotOptimize(r.data.data());
        veloce += std::chrono::duration<double>(t1 - t0).count();
        piano += std::chrono::duration<double>(t2 - t1).count();
        ++volte;
        auto copia = campioni;
        const MatriceInteri livellato = leveledMedianOfFrames(copia);
        benchmark::DoNotOptimize(livellato.data.data());
    }
    state.counters["ms_veloce"] = 1000.0 * veloce / volte;
    state.counters["ms_riferimento"] = 1000.0 * piano / volte;
    state.counters["rapporto"] = veloce > 0.0 ? piano / veloce : 0.0;
}
BENCHMARK(BM_SfondoMedianoPerPixel)->Unit(benchmark::kMillisecond)->Iterations(3);
