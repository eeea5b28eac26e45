// SPDX-License-Identifier: GPL-3.0-or-later
// Accuracy of the automatic run on a generated road scene, not a timing:
// the default parameters (margins 12 / -12, 2 m, 4 m2, 50 m), the background
// of frames 0..200, the area drawn on the road's axis and edges, and the grid
// filled from the scene's known geometry. Reported as counters:
//   recall      ground-truth vehicles (fully in the picture, inside the scanned
//               columns) overlapped by a record of their half, per frame
//   precision   records overlapping a ground-truth vehicle on their side
//   un_numero   share of ground-truth vehicles found at least once whose
//               records all carry one number
// With strada_vuota:1 the background is the scene's empty road instead of the
// mean, which separates the background rule from detection and numbering.
// Run: kalvor-bench --benchmark_filter=Accuratezza
#include "detection/abbina_veicoli.hpp"
#include "detection/geometria_area.hpp"
#include "detection/rilevamento.hpp"
#include "scene/road_scene.hpp"
#include "state/record_veicolo.hpp"

#include <benchmark/benchmark.h>

#include <map>
#include <set>

using namespace kalvor;
using kalvor::scene::Half;

static void BM_AccuratezzaScenaGenerata(benchmark::State &state)
{
    kalvor::scene::SceneOptions opzioni;
    opzioni.duration = 24.0;
    opzioni.seed = static_cast<std::uint64_t>(state.range(0));
    const kalvor::scene::RoadScene scena(opzioni);
    const auto &geo = scena.geometry();

    StatoRilevamento det;
    const CampiRilevamento campi; // the calibration screen's defaults
    readDetectionParameters(campi, det);
    readAreaGeometry(geo.puntiRiferimento(), det);
    det.AltezzaImmagine = geo.height;
    det.LarghezzaRiga = 3 * geo.width;
    det.MediaSfondo.resize(geo.height, 3 * geo.width);
    const bool stradaVuota = state.range(1) == 1;
    const int ultimo = stradaVuota ? 0 : 200;
    for (int n = 0; n <= ultimo; ++n) {
        const RgbImage f = stradaVuota ? scena.emptyRoad(100) : scena.frame(n);
        for (std::size_t i = 0; i < f.pixels.size(); ++i)
            det.MediaSfondo.data[i] += f.pixels[i];
    }
    for (auto &v : det.MediaSfondo.data)
        v /= ultimo + 1;
    det.GenerazioneSfondo = 1;
    MetricGrid griglia;
    griglia.resize(geo.height, geo.width);
    for (int r = 0; r < geo.height; ++r)
        for (int c = 0; c < geo.width; ++c) {
            griglia.at(r, c, 0) = geo.metricX(c);
            griglia.at(r, c, 1) = geo.metricY(r);
        }

    long long veri = 0, trovati = 0, record = 0, giusti = 0;
    std::map<int, std::set<std::string>> numeriPerVeicolo;
    std::set<int> visti;
    for (auto _ : state) {
        TextList att, prec, tot;
        DetectionWorkspace spazio;
        int numero = 0;
        for (int n = 1; n < scena.frameCount(); ++n) {
            const RgbImage f = scena.frame(n);
            IndividuaVeicoli(det, griglia, f, 12, -12, n, scena.frameTime(n), att, spazio, MaskWanted::RecordsOnly);
            if (att.count() >= 2)
                AbbinaVeicoli(att, prec, numero, det.VariazionePos, griglia);
            const auto verita = scena.truth(n);
            struct Rec
            {
                int x0, x1;
                bool sup;
                std::string numero;
            };
            std::vector<Rec> recs;
            for (const int i : findRecords(att))
                recs.push_back({toInt(recordField(att, i, OffInizio)) / 3, toInt(recordField(att, i, OffFine)) / 3,
                                recordField(att, i, OffArco) == "sup", recordField(att, i, OffNumero)});
            for (const auto &v : verita.vehicles) {
                if (v.clipped || v.left < det.ColonnaArea1 / 3 || v.right > det.ColonnaArea2 / 3)
                    continue;
                ++veri;
                const bool sup = v.half == Half::Sup;
                for (const Rec &r : recs)
                    if (r.sup == sup && r.x0 <= v.right && r.x1 > v.left) {
                        ++trovati;
                        visti.insert(v.id);
                        numeriPerVeicolo[v.id].insert(r.numero);
                        break;
                    }
            }
            for (const Rec &r : recs) {
                ++record;
                for (const auto &v : verita.vehicles) {
                    const bool lato = r.sup ? v.top <= geo.axisRow : v.bottom >= geo.axisRow;
                    if (lato && r.x0 <= v.right && r.x1 > v.left) {
                        ++giusti;
                        break;
                    }
                }
            }
            updateVehicleLists(att, prec, tot);
        }
    }
    int unNumero = 0;
    for (const auto &[id, numeri] : numeriPerVeicolo)
        unNumero += numeri.size() == 1 ? 1 : 0;
    state.counters["recall"] = veri ? static_cast<double>(trovati) / static_cast<double>(veri) : 0.0;
    state.counters["precision"] = record ? static_cast<double>(giusti) / static_cast<double>(record) : 0.0;
    state.counters["un_numero"]
        = visti.empty() ? 0.0 : static_cast<double>(unNumero) / static_cast<double>(visti.size());
    state.counters["veicoli"] = static_cast<double>(visti.size());
    state.counters["veicoli_scena"] = static_cast<double>(scena.vehicles().size());
    state.counters["record"] = static_cast<double>(record);
}
BENCHMARK(BM_AccuratezzaScenaGenerata)
    ->ArgsProduct({{1, 2, 3}, {0, 1}})
    ->ArgNames({"seme", "strada_vuota"})
    ->Iterations(1)
    ->Unit(benchmark::kSecond);
