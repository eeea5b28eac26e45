// SPDX-License-Identifier: GPL-3.0-or-later
// Accuracy of detection and numbering on generated road scenes, per profile,
// side by side: today's standard scene, one scene per difficulty (shadows,
// a drift of the light, a vehicle standing 10 s, perspective, pairs side by
// side across the axis, H.264) and one with all of them. Each scene lasts
// 30 s at 640 x 480, 25 fps; the calibration screen's defaults (margins
// 12 / -12, 2 m, 4 m2, 50 m); the area on the road's axis and edges; the grid
// from the scene's exact geometry; the background from every frame of the
// scene (the plain mean for "predefinito", the median of a sample for
// "robusto", as the background computation chooses). Counters:
//   veri            distinct true vehicles with at least 2 m inside the band
//   contati         distinct numbers the run gave (the table adds the
//                   difference from veri as a share of it)
//   un_numero       share of true vehicles whose records all carry one number
//                   that no other true vehicle's records carry (a vehicle
//                   never seen does not keep one)
//   avvistamenti    frames x true vehicles whole inside the band
//   mancati         share of those with no record on their half
//   record, spuri   records, and the share overlapping no true vehicle on their half
//   veicoli_spuri   numbers none of whose records overlaps a true vehicle
//                   (ghosts of a standing vehicle, shadow edges, ...)
//   ms_fotogramma   detection + numbering per frame (also the benchmark's time)
//   ms_png          decoding one frame's PNG, as the automatic run reads it
// Times are the thread's CPU time, so that other work on a shared machine
// does not count; the table adds the robust profile's time over the default's.
// The last benchmark prints the table of both profiles.
// Run: kalvor-bench --benchmark_filter=Accuratezza
#include "detection/abbina_veicoli.hpp"
#include "detection/geometria_area.hpp"
#include "detection/passo_fotogramma.hpp"
#include "detection/sfondo_robusto.hpp"
#include "extraction/png_io.hpp"
#include "scene/compressed_scene.hpp"
#include "scene/road_scene.hpp"
#include "state/record_veicolo.hpp"
#include "support/temp_dir.hpp"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>

using namespace kalvor;
using kalvor::scene::Half;

namespace {

using Fonte = std::function<RgbImage(int n)>;

struct Scena
{
    const char *nome;
    scene::SceneOptions opzioni;
    bool h264 = false;
};

std::vector<Scena> sceneDiProva()
{
    scene::SceneOptions base;
    base.duration = 30.0;
    base.seed = 1;
    std::vector<Scena> s;
    s.push_back({"normale", base});
    auto ombre = base;
    ombre.shadowDepth = 0.45;
    s.push_back({"ombre", ombre});
    auto luce = base;
    luce.lightDrift = -0.25;
    s.push_back({"luce", luce});
    auto sosta = base;
    sosta.stopSeconds = 10.0;
    s.push_back({"sosta", sosta});
    auto prospettiva = base;
    prospettiva.perspective = 2.0;
    s.push_back({"prospettiva", prospettiva});
    auto affiancati = base;
    affiancati.sideBySide = true;
    s.push_back({"affiancati", affiancati});
    s.push_back({"h264", base, true});
    auto tutto = base;
    tutto.shadowDepth = 0.45;
    tutto.lightDrift = -0.25;
    tutto.stopSeconds = 10.0;
    tutto.perspective = 2.0;
    tutto.sideBySide = true;
    s.push_back({"tutto insieme", tutto, true});
    return s;
}

const std::vector<Scena> &scene()
{
    static const std::vector<Scena> s = sceneDiProva();
    return s;
}

constexpr ProfiloRilevamento kProfili[2] = {ProfiloRilevamento::Predefinito, ProfiloRilevamento::Robusto};

MatriceInteri sfondoMedio(const Fonte &fonte, int a, int b)
{
    MatriceInteri m;
    for (int n = a; n <= b; ++n) {
        const RgbImage f = fonte(n);
        if (m.data.empty())
            m.resize(f.height, 3 * f.width);
        for (std::size_t i = 0; i < f.pixels.size(); ++i)
            m.data[i] += f.pixels[i];
    }
    for (auto &v : m.data)
        v /= b - a + 1;
    return m;
}

// As computeBackground chooses by profile.
MatriceInteri sfondoDelProfilo(ProfiloRilevamento p, const Fonte &fonte, int a, int b, const MatriceInteri &media)
{
    return p == ProfiloRilevamento::Robusto ? robustBackgroundOf(fonte, a, b) : media;
}

struct Esito
{
    int veri = 0;
    int contati = 0;
    int unNumero = 0;
    long long avvistamenti = 0, mancati = 0, record = 0, spuri = 0;
    int veicoliSpuri = 0;
    double secondi = 0.0; // detection + numbering, all frames
    int fotogrammi = 0;
};

struct Misura
{
    Esito profili[2];
    double msPng = 0.0;
};

// One profile's run over the scene, fed one frame at a time.
struct Corsa
{
    StatoRilevamento det;
    TextList att, prec, tot;
    DetectionWorkspace spazio;
    RobustTracker inseguimento;
    std::map<int, std::set<std::string>> numeriDelVeicolo;
    std::map<std::string, std::set<int>> veicoliDelNumero; // true vehicles a number's records overlapped
    Esito esito;
};

double secondiCpu()
{
    timespec t {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

double msDecodificaPng(const Fonte &fonte)
{
    double secondi = 0;
    int volte = 0;
    for (int n : {10, 200, 400}) {
        const std::string png = encodePng(fonte(n));
        for (int k = 0; k < 3; ++k) {
            const double t0 = secondiCpu();
            const RgbImage f = decodePng(png, "bench");
            benchmark::DoNotOptimize(f.pixels.data());
            secondi += secondiCpu() - t0;
            ++volte;
        }
    }
    return 1000.0 * secondi / volte;
}

Misura misuraScena(const Scena &sc)
{
    const scene::RoadScene scena(sc.opzioni);
    const auto &geo = scena.geometry();
    kalvor::testing::TempDir cartella;
    std::unique_ptr<scene::CompressedScene> compressa;
    if (sc.h264)
        compressa = std::make_unique<scene::CompressedScene>(scena, cartella.file("scena.mp4"));
    const Fonte fonte
        = compressa ? Fonte([&](int n) { return compressa->frame(n); }) : Fonte([&](int n) { return scena.frame(n); });
    const MetricGrid griglia = geo.metricGrid();
    const int ultimo = scena.frameCount() - 1;
    const MatriceInteri media = sfondoMedio(fonte, 0, ultimo);

    Corsa corse[2];
    for (int p = 0; p < 2; ++p) {
        CampiRilevamento campi; // the calibration screen's defaults
        campi.Profilo = kProfili[p];
        StatoRilevamento &det = corse[p].det;
        readDetectionParameters(campi, det);
        readAreaGeometry(geo.puntiRiferimento(), det);
        det.AltezzaImmagine = geo.height;
        det.LarghezzaRiga = 3 * geo.width;
        det.MediaSfondo = sfondoDelProfilo(kProfili[p], fonte, 0, ultimo, media);
        det.NumeroFotogrammiMedia = ultimo + 1;
        det.MatriceDifferenza.resize(geo.height, 3 * geo.width);
        det.GenerazioneSfondo = 1;
        det.NumeroVeicolo = 0;
    }
    const int col0 = corse[0].det.ColonnaArea1 / 3;
    const int col1 = corse[0].det.ColonnaArea2 / 3;
    const double bandaX0 = geo.metricAt(col0, geo.axisRow).x;
    const double bandaX1 = geo.metricAt(col1 + 1, geo.axisRow).x;
    std::set<int> veri;

    for (int n = 1; n <= ultimo; ++n) {
        const RgbImage f = fonte(n);
        const scene::FrameTruth verita = scena.truth(n);
        for (const auto &v : verita.vehicles) {
            const double dentro
                = std::min(std::max(v.rearM, v.frontM), bandaX1) - std::max(std::min(v.rearM, v.frontM), bandaX0);
            if (dentro >= 2.0)
                veri.insert(v.id);
        }
        for (Corsa &c : corse) {
            const double t0 = secondiCpu();
            detectAndNumberFrame(c.det, griglia, f, 12, -12, n, scena.frameTime(n), c.att, c.prec, c.spazio,
                                 c.inseguimento, MaskWanted::RecordsOnly);
            c.esito.secondi += secondiCpu() - t0;
            ++c.esito.fotogrammi;

            struct Rec
            {
                int x0, x1;
                bool sup;
                std::string numero;
            };
            std::vector<Rec> recs;
            for (const int i : findRecords(c.att))
                recs.push_back({toInt(recordField(c.att, i, OffInizio)) / 3, toInt(recordField(c.att, i, OffFine)) / 3,
                                recordField(c.att, i, OffArco) == "sup", recordField(c.att, i, OffNumero)});
            for (const auto &v : verita.vehicles) {
                if (v.clipped || v.left < col0 || v.right > col1)
                    continue;
                ++c.esito.avvistamenti;
                const bool sup = v.half == Half::Sup;
                bool visto = false;
                for (const Rec &r : recs)
                    visto = visto || (r.sup == sup && r.x0 <= v.right && r.x1 > v.left);
                c.esito.mancati += visto ? 0 : 1;
            }
            for (const Rec &r : recs) {
                ++c.esito.record;
                // The true vehicle on the record's half it overlaps most.
                int migliore = -1;
                int sovrapposto = 0;
                for (const auto &v : verita.vehicles) {
                    const bool lato = r.sup ? v.top <= geo.axisRow : v.bottom >= geo.axisRow;
                    const int comune = std::min(r.x1, v.right + 1) - std::max(r.x0, v.left);
                    if (lato && comune > sovrapposto) {
                        sovrapposto = comune;
                        migliore = v.id;
                    }
                }
                std::set<int> &veicoli = c.veicoliDelNumero[r.numero];
                if (migliore < 0) {
                    ++c.esito.spuri;
                } else {
                    veicoli.insert(migliore);
                    c.numeriDelVeicolo[migliore].insert(r.numero);
                }
            }
            updateVehicleLists(c.att, c.prec, c.tot);
        }
    }

    Misura m;
    for (int p = 0; p < 2; ++p) {
        Corsa &c = corse[p];
        c.esito.veri = static_cast<int>(veri.size());
        c.esito.contati = static_cast<int>(c.veicoliDelNumero.size());
        for (int id : veri) {
            // One number, and a number no other vehicle took.
            const auto it = c.numeriDelVeicolo.find(id);
            c.esito.unNumero += it != c.numeriDelVeicolo.end() && it->second.size() == 1
                    && c.veicoliDelNumero[*it->second.begin()].size() == 1
                ? 1
                : 0;
        }
        for (const auto &[numero, veicoli] : c.veicoliDelNumero)
            c.esito.veicoliSpuri += veicoli.empty() ? 1 : 0;
        m.profili[p] = c.esito;
    }
    m.msPng = msDecodificaPng(fonte);
    return m;
}

const Misura &misura(std::size_t i)
{
    static std::map<std::size_t, Misura> fatte;
    auto it = fatte.find(i);
    if (it == fatte.end())
        it = fatte.emplace(i, misuraScena(scene()[i])).first;
    return it->second;
}

double quota(long long parte, long long tutto)
{
    return tutto ? static_cast<double>(parte) / static_cast<double>(tutto) : 0.0;
}

void BM_Accuratezza(benchmark::State &state, std::size_t i, int p)
{
    const Misura &m = misura(i);
    const Esito &e = m.profili[p];
    const double perFotogramma = e.fotogrammi ? e.secondi / e.fotogrammi : 0.0;
    for (auto _ : state)
        state.SetIterationTime(perFotogramma);
    state.counters["veri"] = e.veri;
    state.counters["contati"] = e.contati;
    state.counters["un_numero"] = quota(e.unNumero, e.veri);
    state.counters["avvistamenti"] = static_cast<double>(e.avvistamenti);
    state.counters["mancati"] = quota(e.mancati, e.avvistamenti);
    state.counters["record"] = static_cast<double>(e.record);
    state.counters["spuri"] = quota(e.spuri, e.record);
    state.counters["veicoli_spuri"] = e.veicoliSpuri;
    state.counters["ms_fotogramma"] = 1000.0 * perFotogramma;
    state.counters["ms_png"] = m.msPng;
}

void BM_AccuratezzaTabella(benchmark::State &state)
{
    for (auto _ : state) {
        std::printf("\n| scena | profilo | veri | contati | scarto | un numero | mancati | spuri | veicoli spuri "
                    "| ms/fotogramma | rapporto | ms con PNG |\n|---|---|--:|--:|--:|--:|--:|--:|--:|--:|--:|--:|\n");
        for (std::size_t i = 0; i < scene().size(); ++i) {
            const Misura &m = misura(i);
            for (int p = 0; p < 2; ++p) {
                const Esito &e = m.profili[p];
                const double ms = e.fotogrammi ? 1000.0 * e.secondi / e.fotogrammi : 0.0;
                const double msPredefinito = 1000.0 * m.profili[0].secondi / std::max(m.profili[0].fotogrammi, 1);
                char rapporto[16] = "";
                if (p == 1 && msPredefinito > 0.0)
                    std::snprintf(rapporto, sizeof rapporto, "%.2f", ms / msPredefinito);
                std::printf("| %s | %s | %d | %d | %+.1f%% | %.1f%% | %.1f%% | %.1f%% | %d | %.3f | %s | %.2f |\n",
                            p == 0 ? scene()[i].nome : "", std::string(profileName(kProfili[p])).c_str(), e.veri,
                            e.contati, 100.0 * quota(e.contati - e.veri, e.veri), 100.0 * quota(e.unNumero, e.veri),
                            100.0 * quota(e.mancati, e.avvistamenti), 100.0 * quota(e.spuri, e.record), e.veicoliSpuri,
                            ms, rapporto, ms + m.msPng);
            }
        }
        std::printf("\n");
        std::fflush(stdout);
    }
}

[[maybe_unused]] const bool registrate = [] {
    for (std::size_t i = 0; i < scene().size(); ++i)
        for (int p = 0; p < 2; ++p) {
            std::string nome
                = std::string("BM_Accuratezza/") + scene()[i].nome + "/" + std::string(profileName(kProfili[p]));
            std::replace(nome.begin(), nome.end(), ' ', '_');
            benchmark::RegisterBenchmark(nome.c_str(), BM_Accuratezza, i, p)
                ->Iterations(1)
                ->UseManualTime()
                ->Unit(benchmark::kMillisecond);
        }
    benchmark::RegisterBenchmark("BM_AccuratezzaTabella", BM_AccuratezzaTabella)->Iterations(1);
    return true;
}();

} // namespace
