// SPDX-License-Identifier: GPL-3.0-or-later
// The capture's frame advance on 640x480 frame files of the standard scene
// (100 frames, the example job's area and parameters):
//   Captazione/ciclo     the loop of `kalvor-cli run`: frames decoded ahead on
//                        both cores, every advance to the end of the interval;
//                        counter fps (frames per second)
//   Captazione/clic      one click as the screen makes it, frame file read in
//                        the click (ciclo:0) or read ahead while the previous
//                        click's frame is shown (the screen's default):
//                        clicks back to back (ciclo:2), or 100 ms apart as a
//                        person's are, the pauses not counted (ciclo:3);
//                        counter ms_per_clic
// each with the packed detection (riferimento:0) and the plain one
// (riferimento:1); the packed runs report `rapporto`, the plain run's time
// over theirs. `cpu_ms` is the processor time of all the program's threads per
// frame (decoding included), which a loaded machine does not inflate as it
// does the wall time. Run: kalvor-bench --benchmark_filter=Captazione
#include "capture/avanzamento.hpp"
#include "common/frame_interval.hpp"
#include "common/numbers.hpp"
#include "detection/geometria_area.hpp"
#include "extraction/frame_file.hpp"
#include "extraction/ordered_frame_reader.hpp"
#include "extraction/png_io.hpp"
#include "project/headless_project_steps.hpp"
#include "scene/road_scene.hpp"
#include "scene/strada_sintetica.hpp"
#include "support/temp_dir.hpp"

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <chrono>
#include <map>
#include <memory>
#include <thread>

using namespace kalvor;

namespace {

constexpr int kUltimo = 99;

struct Lavoro
{
    testing::TempDir dir;
    StatoLavoro stato;
};

// The frames on disk and a job started on them, made once.
const Lavoro &lavoro()
{
    static const std::unique_ptr<Lavoro> l = [] {
        auto k = std::make_unique<Lavoro>();
        scene::SceneOptions o;
        o.duration = 4.0;
        const scene::RoadScene scena(o);
        scene::writeScenePngs(scena, k->dir.path(), 0, kUltimo + 1);
        StatoLavoro &s = k->stato;
        s.Estrattore.Cartella = k->dir.path();
        s.AreaCaptazione.PuntiRiferimento = scena.geometry().puntiRiferimento();
        s.Captazione.ImmagineFinale = intText(kUltimo);
        s.Captazione.VeicoloIniziale = intText(1);
        s.GrigliaMetrica = scene::grigliaUniforme(640, 480, scena.geometry().metresPerPixel);
        for (int n = 0; n <= kUltimo; ++n)
            s.TabellaTempiFotogrammi.push_back({static_cast<double>(n), scena.frameTime(n)});
        SessioneCaptazione sessione;
        CalcolaMediaCaptazione(s, sessione);
        return k;
    }();
    return *l;
}

double secondiProcessore()
{
    rusage u {};
    getrusage(RUSAGE_SELF, &u);
    const auto s
        = [](const timeval &t) { return static_cast<double>(t.tv_sec) + 1e-6 * static_cast<double>(t.tv_usec); };
    return s(u.ru_utime) + s(u.ru_stime);
}

struct Tempi
{
    double parete = 0;
    double processore = 0;
};

// Wall and processor seconds for one pass over frames 1..kUltimo.
Tempi passata(bool riferimento, int modo)
{
    StatoLavoro s = lavoro().stato;
    SessioneCaptazione ses;
    ses.avviata = true;
    ses.rilevamentoRiferimento = riferimento;
    ses.anticipa = modo >= 2;
    std::unique_ptr<OrderedFrameReader> lettore;
    if (modo == 1) {
        const std::string cartella = s.Estrattore.Cartella;
        lettore = std::make_unique<OrderedFrameReader>(
            [cartella](int n) { return readPng(frameFileName(cartella, n)); }, FrameInterval {1, kUltimo});
        ses.sorgente = [&](int, const std::string &) { return lettore->next(); };
    }
    Tempi t;
    const double c0 = secondiProcessore();
    if (modo == 3) {
        for (;;) {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            const auto t0 = std::chrono::steady_clock::now();
            const bool fine = AvanzaFotogrammaClick(s, ses).fotogrammiFiniti;
            t.parete += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
            if (fine)
                break;
        }
    } else {
        const auto t0 = std::chrono::steady_clock::now();
        while (!AvanzaFotogrammaClick(s, ses).fotogrammiFiniti) { }
        t.parete = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    }
    lettore.reset();
    t.processore = secondiProcessore() - c0;
    benchmark::DoNotOptimize(s.Captazione.VeicoliTOT.count());
    return t;
}

std::map<std::pair<bool, int>, double> &plain()
{
    static std::map<std::pair<bool, int>, double> m;
    return m;
}

} // namespace

// Args: riferimento (0 packed, 1 plain detection), ciclo (1 the batch loop
// with frames decoded ahead on two threads, 0 one click reading its own file,
// 2 clicks with the next file read ahead, 3 the same 100 ms apart).
static void BM_Captazione(benchmark::State &state)
{
    const bool riferimento = state.range(0) == 1;
    const int modo = static_cast<int>(state.range(1));
    const bool ciclo = modo == 1;
    lavoro();
    double secondi = 0;
    double processore = 0;
    for (auto _ : state) {
        const Tempi t = passata(riferimento, modo);
        state.SetIterationTime(t.parete);
        secondi += t.parete;
        processore += t.processore;
    }
    state.counters["cpu_ms"] = processore / static_cast<double>(state.iterations()) / kUltimo * 1000.0;
    const double perFotogramma = secondi / static_cast<double>(state.iterations()) / kUltimo;
    if (riferimento)
        plain()[{true, modo}] = perFotogramma;
    if (ciclo)
        state.counters["fps"] = 1.0 / perFotogramma;
    else
        state.counters["ms_per_clic"] = perFotogramma * 1000.0;
    const auto it = plain().find({true, modo});
    if (!riferimento && it != plain().end())
        state.counters["rapporto"] = it->second / perFotogramma;
}
// The plain runs first, so that the packed ones can report the ratio.
BENCHMARK(BM_Captazione)
    ->ArgNames({"riferimento", "ciclo"})
    ->Args({1, 1})
    ->Args({0, 1})
    ->Args({1, 0})
    ->Args({0, 0})
    ->Args({0, 2})
    ->Args({0, 3})
    ->UseManualTime()
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);
