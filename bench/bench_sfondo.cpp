// SPDX-License-Identifier: GPL-3.0-or-later
// The background of 201 frames of 640x480 read from PNG files: the program's
// computation (decoding on two threads) against the plain one-at-a-time mean.
// Frames of the generated road scene, written with the program's PNG settings.
#include "detection/sfondo.hpp"
#include "extraction/frame_file.hpp"
#include "extraction/png_io.hpp"
#include "support/road_scene.hpp"
#include "support/temp_dir.hpp"

#include <benchmark/benchmark.h>

#include <memory>

using namespace kalvor;

namespace {

const testing::TempDir &cartellaFotogrammi()
{
    static const std::unique_ptr<testing::TempDir> dir = [] {
        auto d = std::make_unique<testing::TempDir>();
        const testing::RoadScene scena; // 640 x 480, sensor noise, traffic
        testing::writeScenePngs(scena, d->path(), 0, 201);
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
        CalcolaMediaSfondo(det, campi, punti, cartella, GemelloSfondo::Calibrazione);
    benchmark::DoNotOptimize(det.MediaSfondo.data.data());
}
BENCHMARK(BM_MediaSfondo201)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3)->UseRealTime();

static void BM_MediaSfondo201Riferimento(benchmark::State &state)
{
    const std::string cartella = cartellaFotogrammi().path();
    for (auto _ : state)
        benchmark::DoNotOptimize(mediaSfondoRiferimento(cartella, "0", 0, 200).data.data());
}
BENCHMARK(BM_MediaSfondo201Riferimento)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3)->UseRealTime();

static void BM_DecodificaPng640x480(benchmark::State &state)
{
    const std::string nome = frameFileName(cartellaFotogrammi().path(), 100);
    for (auto _ : state)
        benchmark::DoNotOptimize(readPng(nome).pixels.data());
}
BENCHMARK(BM_DecodificaPng640x480)->Unit(benchmark::kMillisecond);
