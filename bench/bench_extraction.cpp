// SPDX-License-Identifier: GPL-3.0-or-later
// Frame extraction: PNG settings, decoding, and the plain against the
// pipelined extraction of a synthetic H.264 road video. The extraction pair
// prints both and their ratio; run `kalvor-bench --benchmark_filter=Extract`.
#include "extraction/batch_extraction.hpp"
#include "extraction/extractor.hpp"
#include "extraction/png_io.hpp"
#include "extraction/video_decoder.hpp"
#include "scene/road_scene.hpp"
#include "scene/video_writer.hpp"
#include "support/temp_dir.hpp"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <memory>

namespace {

using namespace kalvor;

// One 10 s, 640 x 480, 25 fps H.264 road video shared by the benchmarks.
struct BenchVideo
{
    testing::TempDir dir;
    std::string path = dir.file("road.mp4");
    RgbImage decodedFrame;
    BenchVideo()
    {
        scene::SceneOptions o;
        o.duration = 10;
        scene::VideoSettings v;
        v.codec = scene::VideoCodec::H264;
        v.quality = 18;
        scene::encodeScene(scene::RoadScene(o), path, v);
        VideoDecoder d(path);
        decodedFrame = d.frameAt(5.0)->image;
    }
};

BenchVideo &video()
{
    static BenchVideo v;
    return v;
}

void BM_PngEncode_ZlibDefaults(benchmark::State &state)
{
    const RgbImage &img = video().decodedFrame;
    const PngSettings defaults {6, false, false};
    std::size_t bytes = 0;
    for (auto _ : state)
        bytes = encodePng(img, defaults).size();
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_PngEncode_ZlibDefaults)->Unit(benchmark::kMillisecond);

void encodeWith(benchmark::State &state, const PngSettings &settings)
{
    const RgbImage &img = video().decodedFrame;
    std::size_t bytes = 0;
    for (auto _ : state)
        bytes = encodePng(img, settings).size();
    state.counters["bytes"] = static_cast<double>(bytes);
}

// What extracted frames use: level 1, SUB, run-length strategy.
void BM_PngEncode_FrameSettings(benchmark::State &state)
{
    encodeWith(state, extractedFramePngSettings());
}
BENCHMARK(BM_PngEncode_FrameSettings)->Unit(benchmark::kMillisecond);

// The same with the run-length strategy: a little faster, much larger on decoded video.
void BM_PngEncode_Level1SubRle(benchmark::State &state)
{
    encodeWith(state, PngSettings {1, true, true});
}
BENCHMARK(BM_PngEncode_Level1SubRle)->Unit(benchmark::kMillisecond);

void BM_DecodeAllFrames(benchmark::State &state)
{
    for (auto _ : state) {
        VideoDecoder d(video().path);
        int n = 0;
        while (d.peekTime()) {
            d.skip();
            ++n;
        }
        benchmark::DoNotOptimize(n);
    }
}
BENCHMARK(BM_DecodeAllFrames)->Unit(benchmark::kMillisecond);

double extractOnce(bool pipelined)
{
    testing::TempDir out;
    BatchRequest r;
    r.video = video().path;
    r.folder = out.path();
    r.pipelined = pipelined;
    return extractFrames(r).wallSeconds;
}

double g_plain = 0;
double g_pipelined = 0;

void BM_Extract_Plain(benchmark::State &state)
{
    for (auto _ : state)
        g_plain = extractOnce(false);
}
BENCHMARK(BM_Extract_Plain)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_Extract_Pipelined(benchmark::State &state)
{
    for (auto _ : state)
        g_pipelined = extractOnce(true);
    if (g_pipelined > 0)
        state.counters["plain_over_pipelined"] = g_plain / g_pipelined;
    std::printf("extraction of 10 s at step 0.2: plain %.3f s, pipelined %.3f s, ratio %.2f\n", g_plain, g_pipelined,
                g_pipelined > 0 ? g_plain / g_pipelined : 0.0);
}
BENCHMARK(BM_Extract_Pipelined)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
