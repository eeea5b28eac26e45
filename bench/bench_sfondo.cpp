// SPDX-License-Identifier: GPL-3.0-or-later
// The background of 201 frames of 640x480 read from PNG files: the program's
// computation (decoding on two threads) against the plain one-at-a-time mean,
// and one frame decoded by the program's own reader against libpng.
// Frames of the generated road scene, written with the program's PNG settings.
#include "common/files.hpp"
#include "detection/sfondo.hpp"
#include "extraction/frame_file.hpp"
#include "extraction/png_io.hpp"
#include "scene/road_scene.hpp"
#include "support/temp_dir.hpp"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <vector>

using namespace kalvor;

namespace {

const testing::TempDir &cartellaFotogrammi()
{
    static const std::unique_ptr<testing::TempDir> dir = [] {
        auto d = std::make_unique<testing::TempDir>();
        const scene::RoadScene scena; // 640 x 480, sensor noise, traffic
        scene::writeScenePngs(scena, d->path(), 0, 201);
        return d;
    }();
    return *dir;
}

} // namespace

static void BM_MediaSfondo201(benchmark::State &state)
{
    const std::string cartella = cartellaFotogrammi().path();
    CampiRilevamento campi; // 0 to 200
    const TextList punti {"230", "20", "250", "620", "170", "0", "290", "0"};
    StatoRilevamento det;
    for (auto _ : state)
        computeBackground(det, campi, punti, cartella, BackgroundFor::Calibrazione);
    benchmark::DoNotOptimize(det.MediaSfondo.data.data());
}
BENCHMARK(BM_MediaSfondo201)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3)->UseRealTime();

static void BM_MediaSfondo201Riferimento(benchmark::State &state)
{
    const std::string cartella = cartellaFotogrammi().path();
    for (auto _ : state)
        benchmark::DoNotOptimize(referenceBackgroundMean(cartella, "0", 0, 200).data.data());
}
BENCHMARK(BM_MediaSfondo201Riferimento)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3)->UseRealTime();

namespace {

RgbImage leggiConLibpng(const std::string &nome)
{
    return decodePngWithLibpng(readFileBytes(nome), nome);
}

// Median of a few libpng reads of the same frame, for the ratio.
double millisecondiLibpng(const std::string &nome)
{
    std::vector<double> t;
    for (int i = 0; i < 15; ++i) {
        const auto t0 = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(leggiConLibpng(nome).pixels.data());
        t.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count());
    }
    std::sort(t.begin(), t.end());
    return t[t.size() / 2];
}

} // namespace

// One frame file read and decoded as the program does (own reader), with
// libpng's time on the same file and the ratio libpng / own.
static void BM_DecodificaPng640x480(benchmark::State &state)
{
    const std::string nome = frameFileName(cartellaFotogrammi().path(), 100);
    const auto t0 = std::chrono::steady_clock::now();
    for (auto _ : state)
        benchmark::DoNotOptimize(readPng(nome).pixels.data());
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count()
        / static_cast<double>(state.iterations());
    const double riferimento = millisecondiLibpng(nome);
    state.counters["libpng_ms"] = riferimento;
    state.counters["rapporto"] = riferimento / ms;
}
BENCHMARK(BM_DecodificaPng640x480)->Unit(benchmark::kMillisecond);

static void BM_DecodificaPng640x480Libpng(benchmark::State &state)
{
    const std::string nome = frameFileName(cartellaFotogrammi().path(), 100);
    for (auto _ : state)
        benchmark::DoNotOptimize(leggiConLibpng(nome).pixels.data());
}
BENCHMARK(BM_DecodificaPng640x480Libpng)->Unit(benchmark::kMillisecond);
