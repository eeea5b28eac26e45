// SPDX-License-Identifier: GPL-3.0-or-later
// Saving and reopening a long capture: "Veicoli Totali" with 100,000 records
// (900,000 lines). Goal: under one second each.
#include "extraction/frame_file.hpp"
#include "extraction/png_io.hpp"
#include "project/project_reader.hpp"
#include "project/project_writer.hpp"
#include "state/record_veicolo.hpp"
#include "support/temp_dir.hpp"

#include <benchmark/benchmark.h>

namespace {

constexpr int kRecords = 100000;

struct NoScreens : kalvor::ProjectScreenSteps
{
    void AzzeraSenzaRichieste() override {}
    void DisegnaPunti() override {}
    void AzzeraDatiClick() override {}
    void disegnaElementi() override {}
    void CalcolaMediaClick() override {}
    void setBarraElaborazione(int) override {}
    void showCaptureFrame(const kalvor::RgbImage &) override {}
    void drawCaptureOverlays() override {}
};

kalvor::StatoLavoro longCapture()
{
    const kalvor::NumberFormat comma = kalvor::NumberFormat::comma();
    kalvor::StatoLavoro s(comma);
    for (int i = 0; i < kRecords; ++i) {
        const int frame = i / 4;
        kalvor::appendRecord(s.Captazione.VeicoliTOT,
                             kalvor::makeRecord(std::to_string(i / 20), i % 2 ? "sup" : "inf", 3 * (i % 600),
                                                3 * (i % 600) + 120, 4.25 + (i % 7) * 0.1375, 7.5 + (i % 11) * 0.0625,
                                                frame, frame * 0.2));
    }
    s.Captazione.veicoliAtt = s.Captazione.VeicoliTOT;
    s.Captazione.veicoliAtt.lines().resize(36);
    s.Captazione.veicoliPrec = s.Captazione.veicoliAtt;
    return s;
}

void BM_WriteProjectFile(benchmark::State &state)
{
    const kalvor::StatoLavoro s = longCapture();
    const kalvor::testing::TempDir dir;
    for (auto _ : state)
        kalvor::writeProjectFile(dir.file("lavoro.kvr"), s);
    state.counters["lines"] = static_cast<double>(s.Captazione.VeicoliTOT.count());
}
BENCHMARK(BM_WriteProjectFile)->Unit(benchmark::kMillisecond)->Iterations(5)->Repetitions(3)->ReportAggregatesOnly(true);

void BM_ReadProjectFile(benchmark::State &state)
{
    const kalvor::testing::TempDir dir;
    kalvor::writeProjectFile(dir.file("lavoro.kvr"), longCapture());
    kalvor::writePng(kalvor::frameFileName(dir.path(), 0), kalvor::RgbImage(640, 480));
    NoScreens screens;
    for (auto _ : state) {
        kalvor::StatoLavoro s(kalvor::NumberFormat::comma());
        kalvor::readProjectFile(dir.file("lavoro.kvr"), s, screens);
        benchmark::DoNotOptimize(s.Captazione.VeicoliTOT.count());
    }
}
BENCHMARK(BM_ReadProjectFile)->Unit(benchmark::kMillisecond)->Iterations(5)->Repetitions(3)->ReportAggregatesOnly(true);

} // namespace
