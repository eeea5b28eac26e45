// SPDX-License-Identifier: GPL-3.0-or-later
// The fast robust detection against its plain definition on random frames,
// margins, areas and grids, and on the generated road scene: the same mask,
// the same records, the same failures, on every instruction path.
#include "common/errors.hpp"
#include "detection/geometria_area.hpp"
#include "detection/rilevamento.hpp"
#include "detection/rilevamento_robusto.hpp"
#include "detection/rilevamento_robusto_riferimento.hpp"
#include "detection/sfondo_robusto.hpp"
#include "scene/road_scene.hpp"
#include "support/scoped_number_format.hpp"

#include "support/percorsi_vettoriali.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

using namespace kalvor;

namespace {

struct Caso
{
    StatoRilevamento det;
    MetricGrid griglia;
    RgbImage frame;
    int superiore = 12;
    int inferiore = -12;
};

int tra(std::mt19937 &g, int lo, int hi)
{
    return std::uniform_int_distribution<int>(lo, hi)(g);
}

void dipingi(std::mt19937 &g, RgbImage &img, int x0, int y0, int bw, int bh, int delta, int rumore)
{
    for (int y = std::max(0, y0); y < std::min(img.height, y0 + bh); ++y)
        for (int x = std::max(0, x0); x < std::min(img.width, x0 + bw); ++x)
            for (int c = 0; c < 3; ++c) {
                auto &p = img.row(y)[3 * x + c];
                p = static_cast<std::uint8_t>(std::clamp(p + delta + tra(g, -rumore, rumore), 0, 255));
            }
}

Caso casoCasuale(std::mt19937 &g, bool grande)
{
    Caso k;
    const int w = grande ? 640 : (tra(g, 0, 9) == 0 ? tra(g, 1, 4) : tra(g, 5, 150));
    const int h = grande ? 480 : (tra(g, 0, 9) == 0 ? tra(g, 1, 4) : tra(g, 5, 90));
    k.det.AltezzaImmagine = h;
    k.det.LarghezzaRiga = 3 * w;
    k.det.MediaSfondo.resize(h, 3 * w);
    k.det.MatriceDifferenza.resize(h, 3 * w);
    k.det.GenerazioneSfondo = static_cast<unsigned long long>(g());
    const bool piatto = tra(g, 0, 1) == 0;
    const int base = tra(g, 0, 255);
    for (auto &v : k.det.MediaSfondo.data)
        v = piatto ? std::clamp(base + tra(g, -3, 3), 0, 255) : tra(g, 0, 255);
    if (tra(g, 0, 9) == 0)
        k.det.MediaSfondo.data[0] = tra(g, 0, 1) == 0 ? -40 : 400; // clamped like the default does
    k.frame = RgbImage(w, h);
    const int rumore = tra(g, 0, 3) == 0 ? tra(g, 0, 20) : tra(g, 0, 6);
    // A change of light for the whole frame, at times beyond the offset's bound.
    const int luce = tra(g, 0, 2) == 0 ? tra(g, -60, 60) : 0;
    for (std::size_t i = 0; i < k.frame.pixels.size(); ++i)
        k.frame.pixels[i] = static_cast<std::uint8_t>(
            std::clamp(std::clamp(k.det.MediaSfondo.data[i], 0, 255) + luce + tra(g, -rumore, rumore), 0, 255));
    const int macchie = tra(g, 0, 9) == 0 ? 0 : tra(g, 2, 10);
    for (int m = 0; m < macchie; ++m) {
        const int x0 = tra(g, -5, w), y0 = tra(g, -5, h);
        const int bw = tra(g, 1, std::max(4, w / 3)), bh = tra(g, 1, std::max(4, h / 2));
        // Some darker by a shadow's ratio, the others brighter or darker.
        const int delta = tra(g, 0, 3) == 0 ? -tra(g, 20, 60) : (tra(g, 0, 1) == 0 ? -1 : 1) * tra(g, 0, 5) * 25;
        dipingi(g, k.frame, x0, y0, bw, bh, delta, tra(g, 0, 1) == 0 ? 2 : 10);
    }
    k.superiore = tra(g, 0, 4) == 0 ? tra(g, -10, 40) : tra(g, 8, 30);
    k.inferiore = tra(g, 0, 4) == 0 ? tra(g, -10, 40) : tra(g, -30, -8);
    if (tra(g, 0, 49) == 0)
        k.superiore = 2147483647;
    if (tra(g, 0, 49) == 0)
        k.inferiore = -2147483647 - 1;

    const int sorta = tra(g, 0, 19);
    k.det.RigaArea1 = sorta == 0 ? tra(g, -20, h + 20) : tra(g, 0, std::max(0, h - 1));
    k.det.RigaArea2 = sorta == 1 ? tra(g, -20, h + 20) : tra(g, 0, std::max(0, h - 1));
    k.det.ColonnaArea1 = 3 * (sorta == 2 ? tra(g, -10, w + 10) : tra(g, 0, std::max(0, w / 4)));
    k.det.ColonnaArea2 = 3 * (sorta == 3 ? tra(g, -10, w + 10) : tra(g, 3 * w / 4, std::max(3 * w / 4, w - 1)));
    if (sorta == 4)
        k.det.ColonnaArea2 = k.det.ColonnaArea1;
    if (sorta == 5)
        std::swap(k.det.ColonnaArea1, k.det.ColonnaArea2);
    if (sorta == 6)
        k.det.ColonnaArea1 += 1; // a byte column inside a pixel
    k.det.DislivelloArea = tra(g, 0, 5) == 0 ? tra(g, 0, 2) : tra(g, 0, h + 10);
    k.det.SogliaConteggio = 1;
    k.det.LunghezzaMin = tra(g, 0, 4) == 0 ? tra(g, -2, 2) : tra(g, 0, 20) / 10.0;
    k.det.AreaVeicolo = tra(g, 0, 4) == 0 ? tra(g, -2, 2) : tra(g, 0, 20) / 10.0;
    k.det.Profilo = ProfiloRilevamento::Robusto;

    const int gw = tra(g, 0, 5) == 0 ? tra(g, 1, w + 5) : w;
    const int gh = tra(g, 0, 5) == 0 ? tra(g, 1, h + 5) : h;
    k.griglia.resize(gh, gw);
    const double passo = tra(g, 0, 4) == 0 ? -0.07 : 0.1 + tra(g, 0, 20) / 100.0;
    for (int r = 0; r < gh; ++r)
        for (int x = 0; x < gw; ++x) {
            k.griglia.at(r, x, 0) = passo * x * (1.0 + r / 200.0) + tra(g, 0, 3) * 1e-3;
            k.griglia.at(r, x, 1) = 0.1 * r + tra(g, 0, 3) * 1e-3;
        }
    return k;
}

enum class Esito { Bene, Aritmetica, Rifiuto };

template<typename F> Esito esegui(F &&f)
{
    try {
        f();
        return Esito::Bene;
    } catch (const ArithmeticError &) {
        return Esito::Aritmetica;
    } catch (const RefusalError &) {
        return Esito::Rifiuto;
    }
}

// Whole mask and records alone, each on a workspace reused across cases;
// returns the records.
TextList confronta(Caso &k, DetectionWorkspace &spazio, DetectionWorkspace &spazioRecord, int indice)
{
    const int fotogramma = 3 + indice;
    const double tempo = indice * 0.2;
    StatoRilevamento detRif = k.det;
    TextList attRif;
    const Esito eRif = esegui([&] {
        riferimento::IndividuaVeicoliRobusto(detRif, k.griglia, k.frame, k.superiore, k.inferiore, fotogramma, tempo,
                                             attRif);
    });
    TextList att {"vecchio"};
    const Esito e = esegui([&] {
        IndividuaVeicoliRobusto(k.det, k.griglia, k.frame, k.superiore, k.inferiore, fotogramma, tempo, att, spazio);
    });
    EXPECT_EQ(eRif, e) << "caso " << indice;
    if (eRif != e)
        return attRif;
    if (eRif == Esito::Bene) {
        MatriceInteri maschera;
        writeMaskMatrix(spazio, maschera);
        EXPECT_EQ(maschera.data, detRif.MatriceDifferenza.data) << "caso " << indice;
    }
    EXPECT_EQ(att.lines(), attRif.lines()) << "caso " << indice;
    TextList attRecord {"vecchio"};
    const Esito eRecord = esegui([&] {
        IndividuaVeicoliRobusto(k.det, k.griglia, k.frame, k.superiore, k.inferiore, fotogramma, tempo, attRecord,
                                spazioRecord, MaskWanted::RecordsOnly);
    });
    EXPECT_EQ(eRif, eRecord) << "caso " << indice << " (solo record)";
    EXPECT_EQ(attRecord.lines(), attRif.lines()) << "caso " << indice << " (solo record)";
    return attRif;
}

} // namespace

class RilevamentoRobustoDifferenziale : public kalvor::testing::SuPercorsiVettoriali
{
};

INSTANTIATE_TEST_SUITE_P(Percorsi, RilevamentoRobustoDifferenziale, kalvor::testing::percorsiVettoriali(),
                         kalvor::testing::nomePercorso);

TEST_P(RilevamentoRobustoDifferenziale, FotogrammiCasuali)
{
    kalvor::testing::ScopedNumberFormat comma {NumberFormat::comma()};
    std::mt19937 g(20261209);
    DetectionWorkspace spazio;
    DetectionWorkspace spazioRecord;
    int conRecord = 0;
    for (int i = 0; i < 800; ++i) {
        Caso k = casoCasuale(g, i % 200 == 199);
        const TextList att = confronta(k, spazio, spazioRecord, i);
        if (::testing::Test::HasFailure())
            return;
        conRecord += att.count() > 0 ? 1 : 0;
        // The default detection on the same workspace in between must not
        // disturb the next robust frame.
        if (i % 5 == 0) {
            TextList l;
            try {
                IndividuaVeicoli(k.det, k.griglia, k.frame, k.superiore, k.inferiore, 1, 0, l, spazioRecord,
                                 MaskWanted::RecordsOnly);
            } catch (const Error &) {
            }
        }
    }
    // The generator must exercise the blobs and the records, not only the mask.
    EXPECT_GT(conRecord, 100);
}

TEST_P(RilevamentoRobustoDifferenziale, BandaConTessituraAiMargini)
{
    // Dense random foreground around a band in the middle of small frames:
    // the records then depend on mask rows at the band's edges, which depend
    // on classified rows up to six rows further out.
    kalvor::testing::ScopedNumberFormat comma {NumberFormat::comma()};
    std::mt19937 g(4242);
    DetectionWorkspace spazio;
    DetectionWorkspace spazioRecord;
    for (int i = 0; i < 600; ++i) {
        const int w = tra(g, 8, 60);
        const int h = tra(g, 30, 60);
        Caso k;
        k.det.AltezzaImmagine = h;
        k.det.LarghezzaRiga = 3 * w;
        k.det.MediaSfondo.resize(h, 3 * w);
        k.det.MatriceDifferenza.resize(h, 3 * w);
        k.det.GenerazioneSfondo = static_cast<unsigned long long>(i + 1);
        k.frame = RgbImage(w, h);
        const int densita = tra(g, 30, 90);
        for (int r = 0; r < h; ++r)
            for (int x = 0; x < w; ++x) {
                const std::uint8_t v = tra(g, 0, 99) < densita ? 200 : 0;
                for (int c = 0; c < 3; ++c)
                    k.frame.row(r)[3 * x + c] = v;
            }
        const int centro = tra(g, 12, h - 13);
        k.det.RigaArea1 = centro + tra(g, -3, 3);
        k.det.RigaArea2 = centro + tra(g, -3, 3);
        k.det.ColonnaArea1 = 3 * tra(g, 0, 2);
        k.det.ColonnaArea2 = 3 * tra(g, w - 3, w - 1);
        k.det.DislivelloArea = tra(g, 0, 16);
        k.griglia.resize(h, w);
        for (int r = 0; r < h; ++r)
            for (int x = 0; x < w; ++x) {
                k.griglia.at(r, x, 0) = 0.1 * x;
                k.griglia.at(r, x, 1) = 0.1 * r;
            }
        confronta(k, spazio, spazioRecord, i);
        if (::testing::Test::HasFailure())
            return;
    }
}

TEST_P(RilevamentoRobustoDifferenziale, CoppieAffiancateSuAssiInclinati)
{
    // Vehicles on both sides of a slanted axis, often joined by thin bars
    // across it: the blobs that are split into their two halves and those
    // that are not.
    kalvor::testing::ScopedNumberFormat comma {NumberFormat::comma()};
    std::mt19937 g(1717);
    DetectionWorkspace spazio;
    DetectionWorkspace spazioRecord;
    for (int i = 0; i < 400; ++i) {
        const int w = tra(g, 40, 160);
        const int h = tra(g, 50, 90);
        Caso k;
        k.det.AltezzaImmagine = h;
        k.det.LarghezzaRiga = 3 * w;
        k.det.MediaSfondo.resize(h, 3 * w);
        for (auto &v : k.det.MediaSfondo.data)
            v = 100;
        k.det.MatriceDifferenza.resize(h, 3 * w);
        k.det.GenerazioneSfondo = static_cast<unsigned long long>(i + 1);
        k.frame = RgbImage(w, h);
        std::fill(k.frame.pixels.begin(), k.frame.pixels.end(), 100);
        const int centro = h / 2;
        const int salita = tra(g, -12, 12);
        k.det.RigaArea1 = centro - salita;
        k.det.RigaArea2 = centro + salita;
        k.det.ColonnaArea1 = 3 * tra(g, 0, 4);
        k.det.ColonnaArea2 = 3 * tra(g, w - 5, w - 1);
        k.det.DislivelloArea = tra(g, 20, h - 4);
        for (int v = 0; v < tra(g, 1, 4); ++v) {
            const int x0 = tra(g, 0, w - 10);
            const int bw = tra(g, 5, w / 2);
            dipingi(g, k.frame, x0, centro - tra(g, 4, 20), bw, tra(g, 3, 12), 80, 3);
            dipingi(g, k.frame, x0 + tra(g, -8, 8), centro + tra(g, 2, 8), bw + tra(g, -4, 4), tra(g, 3, 12), 80, 3);
            if (tra(g, 0, 2) != 0)
                dipingi(g, k.frame, x0 + tra(g, 0, bw), centro - tra(g, 0, 12), tra(g, 1, 6), tra(g, 4, 24), 80, 3);
        }
        k.griglia.resize(h, w);
        for (int r = 0; r < h; ++r)
            for (int x = 0; x < w; ++x) {
                k.griglia.at(r, x, 0) = 0.1 * x;
                k.griglia.at(r, x, 1) = 0.1 * r;
            }
        k.det.LunghezzaMin = 0.0;
        k.det.AreaVeicolo = 0.0;
        confronta(k, spazio, spazioRecord, i);
        if (::testing::Test::HasFailure())
            return;
    }
}

TEST_P(RilevamentoRobustoDifferenziale, ScenaStradaleGenerata)
{
    // The scene's area and geometry, its median background, the default
    // parameters, a frame every few.
    kalvor::testing::ScopedNumberFormat comma {NumberFormat::comma()};
    kalvor::scene::SceneOptions opzioni;
    opzioni.duration = 16.0;
    opzioni.width = 320;
    opzioni.height = 240;
    const kalvor::scene::RoadScene scena(opzioni);
    const auto &geo = scena.geometry();
    Caso k;
    readDetectionParameters(CampiRilevamento {}, k.det);
    readAreaGeometry(geo.puntiRiferimento(), k.det);
    k.det.AltezzaImmagine = geo.height;
    k.det.LarghezzaRiga = 3 * geo.width;
    k.det.MediaSfondo
        = robustBackgroundOf([&](int n) { return scena.frame(n); }, 0, std::min(200, scena.frameCount() - 1));
    k.det.MatriceDifferenza.resize(geo.height, 3 * geo.width);
    k.det.GenerazioneSfondo = 1;
    k.griglia = geo.metricGrid();
    DetectionWorkspace spazio;
    DetectionWorkspace spazioRecord;
    int conRecord = 0;
    for (int n = 0; n < scena.frameCount(); n += 7) {
        k.frame = scena.frame(n);
        const TextList att = confronta(k, spazio, spazioRecord, n);
        if (::testing::Test::HasFailure())
            return;
        conRecord += att.count() > 0 ? 1 : 0;
    }
    EXPECT_GT(conRecord, 10);
}
