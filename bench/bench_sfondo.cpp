// SPDX-License-Identifier: GPL-3.0-or-later
// The background of 201 frames of 640x480 read from PNG files: the program's
// computation (decoding on two threads) against the plain one-at-a-time mean.
#include "detection/sfondo.hpp"
#include "extraction/frame_file.hpp"
#include "extraction/png_io.hpp"
#include "support/strada_sintetica.hpp"
#include "support/temp_dir.hpp"

#include <benchmark/benchmark.h>

#include <memory>

using namespace kalvor;

namespace {

const testing::TempDir &cartellaFotogrammi()
{
    static const std::unique_ptr<testing::TempDir> dir = [] {
        auto d = std::make_unique<testing::TempDir>();
        const RgbImage sfondo = testing::sfondoStrada(640, 480, 3);
        for (int n = 0; n <= 200; ++n) {
            const int x = (n * 7) % 700 - 60;
            const RgbImage f = testing::fotogrammaStrada(
                sfondo, {{x, 190, 90, 40}, {600 - x, 260, 70, 38, 20, 20, 200}}, 3, static_cast<std::uint32_t>(n));
            writePng(frameFileName(d->path(), n), f);
        }
        return d;
    }();
    return *dir;
}

} // namespace

static void BM_MediaSfondo201(benchmark::State &state)
{
    const std::string cartella = cartellaFotogrammi().path();
    CampiRilevamento campi; // 0 to 200
    const TextList punti{"230", "20", "250", "620", "170", "0", "290", "0"};
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
