// SPDX-License-Identifier: GPL-3.0-or-later
// The packed pipeline against the plain one on random frames, margins, areas
// and grids: the same mask, the same records, the same failures.
#include "common/errors.hpp"
#include "detection/geometria_area.hpp"
#include "detection/rilevamento.hpp"
#include "detection/rilevamento_riferimento.hpp"
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

Caso casoCasuale(std::mt19937 &g, bool grande)
{
    Caso k;
    const int w = grande ? 640 : (tra(g, 0, 9) == 0 ? tra(g, 1, 4) : tra(g, 5, 140));
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
    k.frame = RgbImage(w, h);
    const int rumore = tra(g, 0, 3) == 0 ? tra(g, 0, 20) : tra(g, 0, 6);
    for (std::size_t i = 0; i < k.frame.pixels.size(); ++i)
        k.frame.pixels[i]
            = static_cast<std::uint8_t>(std::clamp(k.det.MediaSfondo.data[i] + tra(g, -rumore, rumore), 0, 255));
    const int macchie = tra(g, 0, 9) == 0 ? 0 : tra(g, 2, 10);
    for (int m = 0; m < macchie; ++m) {
        const int x0 = tra(g, -5, w), y0 = tra(g, -5, h);
        const int bw = tra(g, 1, std::max(4, w / 3)), bh = tra(g, 1, std::max(4, h / 2));
        const int delta = (tra(g, 0, 1) == 0 ? -1 : 1) * tra(g, 0, 5) * 25;
        for (int y = std::max(0, y0); y < std::min(h, y0 + bh); ++y)
            for (int x = std::max(0, x0); x < std::min(w, x0 + bw); ++x)
                for (int c = 0; c < 3; ++c) {
                    auto &p = k.frame.row(y)[3 * x + c];
                    p = static_cast<std::uint8_t>(std::clamp(p + delta + tra(g, -10, 10), 0, 255));
                }
    }
    k.superiore = tra(g, 0, 4) == 0 ? tra(g, -10, 40) : tra(g, 8, 30);
    k.inferiore = tra(g, 0, 4) == 0 ? tra(g, -10, 40) : tra(g, -30, -8);

    // Area: usually inside, sometimes outside, reversed, degenerate.
    const int sorta = tra(g, 0, 19);
    k.det.RigaArea1 = sorta == 0 ? tra(g, -20, h + 20) : tra(g, 0, std::max(0, h - 1));
    k.det.RigaArea2 = sorta == 1 ? tra(g, -20, h + 20) : tra(g, 0, std::max(0, h - 1));
    k.det.ColonnaArea1 = 3 * (sorta == 2 ? tra(g, -10, w + 10) : tra(g, 0, std::max(0, w / 4)));
    k.det.ColonnaArea2 = 3 * (sorta == 3 ? tra(g, -10, w + 10) : tra(g, 3 * w / 4, std::max(3 * w / 4, w - 1)));
    if (sorta == 4)
        k.det.ColonnaArea2 = k.det.ColonnaArea1;
    if (sorta == 5)
        std::swap(k.det.ColonnaArea1, k.det.ColonnaArea2);
    k.det.DislivelloArea = tra(g, 0, 5) == 0 ? tra(g, 0, 2) : tra(g, 0, h + 10);
    k.det.SogliaConteggio = tra(g, 0, 4) == 0 ? tra(g, 0, 4) : 1;
    k.det.LunghezzaMin = tra(g, 0, 4) == 0 ? tra(g, -2, 2) : tra(g, 0, 20) / 10.0;
    k.det.AreaVeicolo = tra(g, 0, 4) == 0 ? tra(g, -2, 2) : tra(g, 0, 20) / 10.0;

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

// `spazio` computes the whole mask, `spazioRecord` the records alone; both
// are reused across cases like the program reuses its workspace.
void confronta(Caso &k, DetectionWorkspace &spazio, DetectionWorkspace &spazioRecord, int indice)
{
    TextList attRif;
    TextList attVeloce {"vecchio"};
    const int fotogramma = 7 + indice;
    const double tempo = indice * 0.2;
    StatoRilevamento detRif = k.det;
    const Esito eRif = esegui([&] {
        riferimento::IndividuaVeicoli(detRif, k.griglia, k.frame, k.superiore, k.inferiore, fotogramma, tempo, attRif);
    });
    const Esito eVeloce = esegui([&] {
        IndividuaVeicoli(k.det, k.griglia, k.frame, k.superiore, k.inferiore, fotogramma, tempo, attVeloce, spazio);
    });
    ASSERT_EQ(eRif, eVeloce) << "caso " << indice;
    MatriceInteri maschera;
    writeMaskMatrix(spazio, maschera);
    ASSERT_EQ(maschera.data, detRif.MatriceDifferenza.data) << "caso " << indice;
    ASSERT_EQ(attVeloce.lines(), attRif.lines()) << "caso " << indice;

    TextList attRecord {"vecchio"};
    const Esito eRecord = esegui([&] {
        IndividuaVeicoli(k.det, k.griglia, k.frame, k.superiore, k.inferiore, fotogramma, tempo, attRecord,
                         spazioRecord, MaskWanted::RecordsOnly);
    });
    ASSERT_EQ(eRif, eRecord) << "caso " << indice << " (solo record)";
    ASSERT_EQ(attRecord.lines(), attRif.lines()) << "caso " << indice << " (solo record)";
}

} // namespace

// Every instruction path of the packed pipeline; the processor may lack some,
// in which case that run repeats a slower path.
class RilevamentoDifferenziale : public kalvor::testing::SuPercorsiVettoriali
{
};

INSTANTIATE_TEST_SUITE_P(Percorsi, RilevamentoDifferenziale, kalvor::testing::percorsiVettoriali(),
                         kalvor::testing::nomePercorso);

TEST_P(RilevamentoDifferenziale, MilleFotogrammiCasuali)
{
    kalvor::testing::ScopedNumberFormat comma {NumberFormat::comma()};
    std::mt19937 g(20261209);
    DetectionWorkspace spazio;
    DetectionWorkspace spazioRecord;
    int conRecord = 0;
    for (int i = 0; i < 1200; ++i) {
        Caso k = casoCasuale(g, i % 400 == 399);
        confronta(k, spazio, spazioRecord, i);
        if (::testing::Test::HasFatalFailure())
            return;
        TextList l;
        try {
            IndividuaVeicoli(k.det, k.griglia, k.frame, k.superiore, k.inferiore, 1, 0, l, spazio);
        } catch (const Error &) {
        }
        conRecord += l.count() > 0 ? 1 : 0;
    }
    // The generator must exercise the scan, not only the mask.
    EXPECT_GT(conRecord, 150);
}

TEST_P(RilevamentoDifferenziale, StessoSpazioMarginiCambiati)
{
    std::mt19937 g(7);
    Caso k = casoCasuale(g, false);
    DetectionWorkspace spazio;
    DetectionWorkspace spazioRecord;
    for (int s = -5; s <= 30; s += 5) {
        k.superiore = s;
        k.inferiore = -s;
        confronta(k, spazio, spazioRecord, s);
    }
    // A new background under the same generation would be missed; a new one is not.
    for (auto &v : k.det.MediaSfondo.data)
        v = 255 - v;
    ++k.det.GenerazioneSfondo;
    confronta(k, spazio, spazioRecord, 99);
}

TEST_P(RilevamentoDifferenziale, ScenaStradaleGenerata)
{
    // Real-looking frames: the scene's area, its empty road as background,
    // its geometry as the grid, the default parameters.
    kalvor::testing::ScopedNumberFormat comma {NumberFormat::comma()};
    kalvor::scene::SceneOptions opzioni;
    opzioni.duration = 12.0;
    const kalvor::scene::RoadScene scena(opzioni);
    const auto &geo = scena.geometry();
    StatoRilevamento det;
    readDetectionParameters(CampiRilevamento {}, det);
    readAreaGeometry(geo.puntiRiferimento(), det);
    det.AltezzaImmagine = geo.height;
    det.LarghezzaRiga = 3 * geo.width;
    const RgbImage vuota = scena.emptyRoad(0);
    det.MediaSfondo.resize(geo.height, 3 * geo.width);
    std::copy(vuota.pixels.begin(), vuota.pixels.end(), det.MediaSfondo.data.begin());
    det.MatriceDifferenza.resize(geo.height, 3 * geo.width);
    det.GenerazioneSfondo = 1;
    MetricGrid griglia;
    griglia.resize(geo.height, geo.width);
    for (int r = 0; r < geo.height; ++r)
        for (int c = 0; c < geo.width; ++c) {
            griglia.at(r, c, 0) = geo.metricX(c);
            griglia.at(r, c, 1) = geo.metricY(r);
        }
    DetectionWorkspace spazio;
    DetectionWorkspace spazioRecord;
    int conRecord = 0;
    for (int n = 0; n < scena.frameCount(); n += 10) {
        Caso k {det, griglia, scena.frame(n), 12, -12};
        confronta(k, spazio, spazioRecord, n);
        if (::testing::Test::HasFatalFailure())
            return;
        TextList l;
        IndividuaVeicoli(k.det, griglia, k.frame, 12, -12, n, 0, l, spazio);
        conRecord += l.count() > 0 ? 1 : 0;
    }
    EXPECT_GT(conRecord, 10);
}

TEST_P(RilevamentoDifferenziale, UnoSpazioPerEntrambeLeRichieste)
{
    // A records-only frame leaves stale rows outside its band: the next whole
    // mask and the next band must not see them.
    kalvor::testing::ScopedNumberFormat comma {NumberFormat::comma()};
    std::mt19937 g(99);
    DetectionWorkspace spazio;
    for (int i = 0; i < 300; ++i) {
        Caso k = casoCasuale(g, i % 100 == 99);
        StatoRilevamento detRif = k.det;
        TextList attRif;
        const Esito eRif = esegui([&] {
            riferimento::IndividuaVeicoli(detRif, k.griglia, k.frame, k.superiore, k.inferiore, i, 0.5, attRif);
        });
        const MaskWanted richiesta = i % 3 == 0 ? MaskWanted::Whole : MaskWanted::RecordsOnly;
        TextList att;
        const Esito e = esegui([&] {
            IndividuaVeicoli(k.det, k.griglia, k.frame, k.superiore, k.inferiore, i, 0.5, att, spazio, richiesta);
        });
        ASSERT_EQ(e, eRif) << "caso " << i;
        ASSERT_EQ(att.lines(), attRif.lines()) << "caso " << i;
        if (richiesta == MaskWanted::Whole) {
            MatriceInteri maschera;
            writeMaskMatrix(spazio, maschera);
            ASSERT_EQ(maschera.data, detRif.MatriceDifferenza.data) << "caso " << i;
        } else {
            MatriceInteri maschera;
            EXPECT_THROW(writeMaskMatrix(spazio, maschera), std::logic_error);
            EXPECT_THROW(maskImage(spazio), std::logic_error);
        }
    }
}

TEST_P(RilevamentoDifferenziale, BandaConTessituraAiMargini)
{
    // Dense random foreground on small frames with the band in the middle: the
    // records then depend on the mask rows at the band's edges, which depend
    // on classified rows up to eight rows further out.
    kalvor::testing::ScopedNumberFormat comma {NumberFormat::comma()};
    std::mt19937 g(4242);
    DetectionWorkspace spazio;
    for (int i = 0; i < 3000; ++i) {
        const int w = tra(g, 8, 40);
        const int h = tra(g, 30, 60);
        Caso k;
        k.det.AltezzaImmagine = h;
        k.det.LarghezzaRiga = 3 * w;
        k.det.MediaSfondo.resize(h, 3 * w);
        k.det.MatriceDifferenza.resize(h, 3 * w);
        k.det.GenerazioneSfondo = static_cast<unsigned long long>(i + 1);
        k.frame = RgbImage(w, h);
        const int densita = tra(g, 55, 97); // percent of foreground pixels
        for (int r = 0; r < h; ++r)
            for (int x = 0; x < w; ++x) {
                const std::uint8_t v = tra(g, 0, 99) < densita ? 200 : 0;
                for (int c = 0; c < 3; ++c)
                    k.frame.row(r)[3 * x + c] = v;
            }
        k.superiore = 12;
        k.inferiore = -12;
        const int centro = tra(g, 12, h - 13);
        k.det.RigaArea1 = centro + tra(g, -2, 2);
        k.det.RigaArea2 = centro + tra(g, -2, 2);
        k.det.ColonnaArea1 = 3 * tra(g, 0, 2);
        k.det.ColonnaArea2 = 3 * tra(g, w - 3, w - 1);
        k.det.DislivelloArea = tra(g, 0, 8);
        k.det.SogliaConteggio = tra(g, 1, 1 + k.det.DislivelloArea / 2);
        k.det.LunghezzaMin = 0.0;
        k.det.AreaVeicolo = 0.0;
        k.griglia.resize(h, w);
        for (int r = 0; r < h; ++r)
            for (int x = 0; x < w; ++x) {
                k.griglia.at(r, x, 0) = 0.1 * x;
                k.griglia.at(r, x, 1) = 0.1 * r;
            }
        StatoRilevamento detRif = k.det;
        TextList attRif;
        riferimento::IndividuaVeicoli(detRif, k.griglia, k.frame, 12, -12, i, 0.0, attRif);
        TextList att;
        IndividuaVeicoli(k.det, k.griglia, k.frame, 12, -12, i, 0.0, att, spazio, MaskWanted::RecordsOnly);
        ASSERT_EQ(att.lines(), attRif.lines()) << "caso " << i;
    }
}
