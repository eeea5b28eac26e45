// SPDX-License-Identifier: GPL-3.0-or-later
#include "scene/strada_sintetica.hpp"

#include <algorithm>
#include <random>

namespace kalvor::scene {

RgbImage sfondoStrada(int larghezza, int altezza, std::uint32_t seme)
{
    RgbImage img(larghezza, altezza);
    std::mt19937 g(seme);
    std::uniform_int_distribution<int> d(-6, 6);
    for (int y = 0; y < altezza; ++y)
        for (int x = 0; x < larghezza; ++x) {
            const int base = 90 + (y * 40) / std::max(1, altezza) + d(g);
            for (int c = 0; c < 3; ++c)
                img.row(y)[3 * x + c] = static_cast<std::uint8_t>(std::clamp(base + c * 4, 0, 255));
        }
    return img;
}

RgbImage fotogrammaStrada(const RgbImage &sfondo, const std::vector<Scatola> &scatole, int rumore, std::uint32_t seme)
{
    RgbImage img = sfondo;
    for (const Scatola &s : scatole)
        for (int y = std::max(0, s.y); y < std::min(img.height, s.y + s.altezza); ++y)
            for (int x = std::max(0, s.x); x < std::min(img.width, s.x + s.larghezza); ++x) {
                img.row(y)[3 * x] = s.r;
                img.row(y)[3 * x + 1] = s.g;
                img.row(y)[3 * x + 2] = s.b;
            }
    if (rumore > 0) {
        std::mt19937 g(seme);
        std::uniform_int_distribution<int> d(-rumore, rumore);
        for (auto &p : img.pixels)
            p = static_cast<std::uint8_t>(std::clamp(p + d(g), 0, 255));
    }
    return img;
}

MetricGrid grigliaUniforme(int larghezza, int altezza, double passo)
{
    MetricGrid m;
    m.resize(altezza, larghezza);
    for (int r = 0; r < altezza; ++r)
        for (int x = 0; x < larghezza; ++x) {
            m.at(r, x, 0) = passo * x;
            m.at(r, x, 1) = passo * r;
        }
    return m;
}

} // namespace kalvor::scene
