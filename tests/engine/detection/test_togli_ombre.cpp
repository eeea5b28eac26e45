// SPDX-License-Identifier: GPL-3.0-or-later
// The shadow test over a word of the packed mask, on every instruction path,
// against isShadow pixel by pixel: worked cases at each bound, and random
// pixels gathered about the bounds.
#include "detection/istruzioni_vettoriali.hpp"
#include "detection/regole_robuste.hpp"
#include "detection/togli_ombre.hpp"

#include "support/percorsi_vettoriali.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <random>
#include <vector>

using namespace kalvor;

namespace {

class TogliOmbre : public kalvor::testing::SuPercorsiVettoriali
{
};

INSTANTIATE_TEST_SUITE_P(Percorsi, TogliOmbre, kalvor::testing::percorsiVettoriali(), kalvor::testing::nomePercorso);

int tra(std::mt19937 &g, int lo, int hi)
{
    return std::uniform_int_distribution<int>(lo, hi)(g);
}

std::uint64_t attese(const std::vector<std::uint8_t> &f, const std::vector<std::uint8_t> &b, int scarto,
                     std::uint64_t candidati, int pixel)
{
    std::uint64_t ombre = 0;
    for (int p = 0; p < pixel; ++p) {
        const std::size_t c = 3 * static_cast<std::size_t>(p);
        const int bs[3] = {std::clamp(b[c] + scarto, 0, 255), std::clamp(b[c + 1] + scarto, 0, 255),
                           std::clamp(b[c + 2] + scarto, 0, 255)};
        if ((candidati >> p & 1U) != 0 && isShadow(&f[c], bs))
            ombre |= std::uint64_t {1} << p;
    }
    return ombre;
}

// Each case fills a whole word, so the vector paths take it.
TEST_P(TogliOmbre, CasiAiLimiti)
{
    struct Caso
    {
        std::array<int, 3> f, b;
        int scarto;
        bool ombra;
    };
    const Caso casi[] = {
        {{45, 45, 45}, {100, 100, 100}, 0, true}, // 0.45 of the sum: kept as a shadow
        {{44, 45, 45}, {100, 100, 100}, 0, false}, // just darker
        {{90, 90, 90}, {100, 100, 100}, 0, true}, // 0.90
        {{91, 90, 90}, {100, 100, 100}, 0, false}, // just brighter
        {{80, 70, 70}, {100, 100, 100}, 0, true}, // shares 0.364 / 0.333: within 0.04
        {{90, 60, 70}, {100, 100, 100}, 0, false}, // share 0.409: a colour change
        {{101, 50, 50}, {100, 100, 100}, 0, false}, // one byte brighter
        {{10, 10, 9}, {20, 20, 19}, 0, false}, // background below 60
        {{10, 10, 10}, {20, 20, 20}, 0, true}, // exactly 60
        {{60, 60, 60}, {60, 60, 60}, 30, true}, // the offset brightens the background to 90
        {{60, 60, 60}, {240, 240, 240}, 48, false}, // clamped at 255: 180 / 765 < 0.45
        {{120, 120, 120}, {240, 240, 240}, 48, true}, // 360 / 765 within the bounds
        {{30, 30, 30}, {20, 20, 20}, -48, false}, // darkened to 0
    };
    for (const Caso &k : casi) {
        std::vector<std::uint8_t> f(192), b(192);
        for (int p = 0; p < 64; ++p)
            for (int c = 0; c < 3; ++c) {
                f[static_cast<std::size_t>(3 * p + c)] = static_cast<std::uint8_t>(k.f[static_cast<std::size_t>(c)]);
                b[static_cast<std::size_t>(3 * p + c)] = static_cast<std::uint8_t>(k.b[static_cast<std::size_t>(c)]);
            }
        const std::uint64_t candidati = 0xF0F0'FFFF'0000'1234;
        EXPECT_EQ(shadowBitsOfWord(f.data(), b.data(), k.scarto, candidati, 64), k.ombra ? candidati : 0)
            << k.f[0] << " " << k.f[1] << " " << k.f[2] << " su " << k.b[0] << " " << k.b[1] << " " << k.b[2];
    }
}

// Buffers hold exactly the word's pixels, so a read past them fails under
// the address sanitizer.
TEST_P(TogliOmbre, PixelCasualiAttornoAiLimiti)
{
    std::mt19937 g(20261209);
    for (int caso = 0; caso < 4000; ++caso) {
        const int pixel = tra(g, 0, 3) == 0 ? tra(g, 1, 64) : 64;
        const int scarto = tra(g, 0, 2) == 0 ? 0 : tra(g, -60, 60);
        std::vector<std::uint8_t> f(3 * static_cast<std::size_t>(pixel)), b(f.size());
        for (int p = 0; p < pixel; ++p) {
            const double rapporto = tra(g, 400, 950) / 1000.0;
            for (int c = 0; c < 3; ++c) {
                const auto i = static_cast<std::size_t>(3 * p + c);
                b[i] = static_cast<std::uint8_t>(tra(g, 0, 9) == 0 ? tra(g, 0, 255) : tra(g, 15, 255));
                const int shifted = std::clamp(b[i] + scarto, 0, 255);
                f[i] = static_cast<std::uint8_t>(
                    tra(g, 0, 7) == 0
                        ? tra(g, 0, 255)
                        : std::clamp(static_cast<int>(std::lround(shifted * rapporto)) + tra(g, -3, 3), 0, 255));
            }
        }
        const int quanti = tra(g, 0, 3);
        const std::uint64_t candidati = quanti == 0 ? ~std::uint64_t {0}
            : quanti == 1                           ? std::uint64_t {1} << tra(g, 0, 63)
                                                    : (static_cast<std::uint64_t>(g()) << 32 | g());
        ASSERT_EQ(shadowBitsOfWord(f.data(), b.data(), scarto, candidati, pixel),
                  attese(f, b, scarto, candidati, pixel))
            << "caso " << caso << ", " << pixel << " pixel, scarto " << scarto;
    }
}

} // namespace
