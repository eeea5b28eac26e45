// SPDX-License-Identifier: GPL-3.0-or-later
// The whole traffic analysis of 100,000 sightings: trajectories, passages,
// flows, pairs, the four CSV texts and the three SVG charts, written to a
// temporary folder.
#include "analysis/analisi_traffico.hpp"
#include "analysis/diagramma_spazio_tempo.hpp"
#include "analysis/distribuzione_velocita.hpp"
#include "analysis/esportazioni_csv.hpp"
#include "analysis/rapporto_flussi.hpp"
#include "analysis/svg.hpp"
#include "common/files.hpp"
#include "support/temp_dir.hpp"

#include <benchmark/benchmark.h>

#include <algorithm>

namespace {

using namespace kalvor;

// 2,000 vehicles, one every 0.5 s on alternating arcs, each seen in 50 frames
// 0.2 s apart while it crosses 100 m at 40 to 90 km/h; rows in time order.
std::vector<RigaIstanti> centomilaAvvistamenti()
{
    std::vector<RigaIstanti> righe;
    for (int v = 0; v < 2000; ++v) {
        const int arco = v % 2 + 1;
        const double velocita = 40.0 + (v * 37 % 51);
        for (int k = 0; k < 50; ++k) {
            RigaIstanti r;
            r.veicolo = v;
            r.tempo = v * 0.5 + k * 0.2;
            const double percorso = std::min(100.0, velocita / 3.6 * k * 0.2);
            r.barX = arco == 2 ? percorso : 100.0 - percorso;
            r.barY = arco == 1 ? 1.75 : -1.75;
            r.corsia = arco;
            r.Arco = arco;
            r.lungh = 4.0 + (v % 5) * 0.5;
            r.velocita = k == 0 ? 0.0 : velocita;
            r.fotogr = r.tempo * 5.0;
            righe.push_back(r);
        }
    }
    std::stable_sort(righe.begin(), righe.end(),
                     [](const RigaIstanti &a, const RigaIstanti &b) { return a.tempo < b.tempo; });
    return righe;
}

void BM_AnalisiCompleta100k(benchmark::State &state)
{
    const std::vector<RigaIstanti> istanti = centomilaAvvistamenti();
    std::vector<RigaIstanti> veicoli = istanti;
    std::stable_sort(veicoli.begin(), veicoli.end(),
                     [](const RigaIstanti &a, const RigaIstanti &b) { return a.veicolo < b.veicolo; });
    kalvor::testing::TempDir dir;
    for (auto _ : state) {
        OpzioniAnalisi opzioni;
        opzioni.sezioneX = 50.0;
        const AnalisiTraffico a = analizzaTraffico(istanti, opzioni);
        std::vector<double> sup;
        std::vector<double> inf;
        for (const PassaggioSezione &p : a.passaggi)
            (p.arco == 1 ? sup : inf).push_back(p.velocita);
        writeFileAtomically(dir.file("traiettorie.csv"), csvTraiettorie(istanti));
        writeFileAtomically(dir.file("veicoli.csv"), csvVeicoli(veicoli, istanti));
        writeFileAtomically(dir.file("flussi.csv"), csvFlussi(a));
        writeFileAtomically(dir.file("indicatori_estesi.csv"), csvIndicatoriEstesi(a));
        writeFileAtomically(dir.file("diagramma.svg"), svgDiGrafico(diagrammaSpazioTempo(a.traiettorie)));
        writeFileAtomically(dir.file("sup.svg"), svgDiGrafico(distribuzioneVelocita(sup, 1)));
        writeFileAtomically(dir.file("inf.svg"), svgDiGrafico(distribuzioneVelocita(inf, 2)));
        benchmark::DoNotOptimize(rapportoFlussi(a));
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(istanti.size()));
}
BENCHMARK(BM_AnalisiCompleta100k)->Unit(benchmark::kMillisecond);

} // namespace

namespace {

void BM_AnalisiParti100k(benchmark::State &state)
{
    const std::vector<RigaIstanti> istanti = centomilaAvvistamenti();
    OpzioniAnalisi opzioni;
    opzioni.sezioneX = 50.0;
    const AnalisiTraffico a = analizzaTraffico(istanti, opzioni);
    for (auto _ : state) {
        switch (state.range(0)) {
        case 0:
            benchmark::DoNotOptimize(analizzaTraffico(istanti, opzioni));
            break;
        case 1:
            benchmark::DoNotOptimize(csvTraiettorie(istanti));
            break;
        case 2:
            benchmark::DoNotOptimize(diagrammaSpazioTempo(a.traiettorie));
            break;
        case 3:
            benchmark::DoNotOptimize(svgDiGrafico(diagrammaSpazioTempo(a.traiettorie)));
            break;
        }
    }
}
// 0: analysis, 1: trajectory CSV, 2: diagram primitives, 3: diagram SVG.
BENCHMARK(BM_AnalisiParti100k)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

} // namespace
