// SPDX-License-Identifier: GPL-3.0-or-later
#include "detection/rilevamento_robusto_riferimento.hpp"

#include "common/errors.hpp"
#include "detection/geometria_area.hpp"
#include "detection/limiti_scansione.hpp"
#include "detection/regole_robuste.hpp"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace kalvor::riferimento {

namespace {

using Maschera = std::vector<std::vector<bool>>; // [row][pixel column], true = foreground

// The band: per pixel column, its rows; empty when nothing is scanned.
struct Banda
{
    int primo = 0;
    int ultimo = -1;
    std::vector<int> rigaAsse; // per pixel column primo..ultimo
    std::vector<int> da, a;

    bool contiene(int r, int x) const
    {
        if (x < primo || x > ultimo)
            return false;
        const auto i = static_cast<std::size_t>(x - primo);
        return r >= da[i] && r <= a[i];
    }
};

Banda bandaDi(const StatoRilevamento &det, const MetricGrid &griglia)
{
    if (det.ColonnaArea1 <= det.ColonnaArea2)
        checkAxis(det);
    Banda b;
    const ScanLimits lim = scanLimits(det, griglia);
    if (det.ColonnaArea1 > det.ColonnaArea2 || lim.primaColonna > lim.ultimaColonna)
        return b;
    const int h = halfBand(det);
    b.primo = lim.primaColonna / 3;
    b.ultimo = lim.ultimaColonna / 3;
    for (int x = b.primo; x <= b.ultimo; ++x) {
        const int ra = axisRow(det, std::max(3 * x, lim.primaColonna));
        b.rigaAsse.push_back(ra);
        b.da.push_back(std::max(ra - h, 0));
        b.a.push_back(std::min(ra + h, lim.righe - 1));
    }
    return b;
}

int byteSfondo(const StatoRilevamento &det, int r, int c)
{
    return std::clamp(det.MediaSfondo.at(r, c), 0, 255);
}

int scartoLuce(const StatoRilevamento &det, const RgbImage &frame, const Banda &banda)
{
    std::vector<int> d;
    for (int x = banda.primo; x <= banda.ultimo; ++x)
        for (int r = 0; r < det.AltezzaImmagine; ++r)
            if (x % kPassoColonneLuce == 0 && r % kPassoRigheLuce == 0 && banda.contiene(r, x))
                for (int k = 0; k < 3; ++k)
                    d.push_back(frame.row(r)[3 * x + k] - byteSfondo(det, r, 3 * x + k));
    if (d.empty())
        return boundedOffset(0, false);
    std::sort(d.begin(), d.end());
    return boundedOffset(d[(d.size() - 1) / 2], true);
}

Maschera classifica(const StatoRilevamento &det, const RgbImage &frame, int superiore, int inferiore, int scarto)
{
    const int w = frame.width;
    const int h = frame.height;
    Maschera m(static_cast<std::size_t>(h), std::vector<bool>(static_cast<std::size_t>(w)));
    for (int r = 0; r < h; ++r)
        for (int x = 0; x < w; ++x) {
            const std::uint8_t *f = frame.row(r) + 3 * x;
            bool sfondo = true;
            int b[3];
            for (int k = 0; k < 3; ++k) {
                const int d = f[k] - byteSfondo(det, r, 3 * x + k);
                sfondo = sfondo && d >= static_cast<long long>(inferiore) + scarto
                    && d <= static_cast<long long>(superiore) + scarto;
                b[k] = std::clamp(byteSfondo(det, r, 3 * x + k) + scarto, 0, 255);
            }
            m[static_cast<std::size_t>(r)][static_cast<std::size_t>(x)] = !sfondo && !isShadow(f, b);
        }
    return m;
}

bool leggi(const Maschera &m, int r, int x)
{
    if (r < 0 || x < 0 || r >= static_cast<int>(m.size()) || x >= static_cast<int>(m[0].size()))
        return false;
    return m[static_cast<std::size_t>(r)][static_cast<std::size_t>(x)];
}

// Erosion: foreground when all nine pixels of the square are; dilation: when one is.
void opera(Maschera &m, bool erosione)
{
    const Maschera t = m;
    for (std::size_t r = 0; r < m.size(); ++r)
        for (std::size_t x = 0; x < m[r].size(); ++x) {
            int n = 0;
            for (int dr = -1; dr <= 1; ++dr)
                for (int dx = -1; dx <= 1; ++dx)
                    n += leggi(t, static_cast<int>(r) + dr, static_cast<int>(x) + dx) ? 1 : 0;
            m[r][x] = erosione ? n == 9 : n > 0;
        }
}

// Flood fill of each blob; returns each blob's half and extent.
std::vector<BlobExtent> macchie(const Maschera &m, const Banda &banda, int soglia)
{
    std::vector<BlobExtent> risultato;
    const int h = static_cast<int>(m.size());
    std::vector<std::vector<bool>> visto(m.size(), std::vector<bool>(m.empty() ? 0 : m[0].size()));
    const auto dentro = [&](int r, int x) { return leggi(m, r, x) && banda.contiene(r, x); };
    for (int x0 = banda.primo; x0 <= banda.ultimo; ++x0)
        for (int r0 = 0; r0 < h; ++r0) {
            if (!dentro(r0, x0) || visto[static_cast<std::size_t>(r0)][static_cast<std::size_t>(x0)])
                continue;
            std::vector<std::pair<int, int>> pila {{r0, x0}};
            visto[static_cast<std::size_t>(r0)][static_cast<std::size_t>(x0)] = true;
            std::vector<int> colonna(static_cast<std::size_t>(banda.ultimo - banda.primo + 1), 0);
            int profondita = -2000000000;
            while (!pila.empty()) {
                const auto [r, x] = pila.back();
                pila.pop_back();
                ++colonna[static_cast<std::size_t>(x - banda.primo)];
                profondita = std::max(profondita, r - banda.rigaAsse[static_cast<std::size_t>(x - banda.primo)]);
                for (int dr = -1; dr <= 1; ++dr)
                    for (int dx = -1; dx <= 1; ++dx) {
                        const int rr = r + dr;
                        const int xx = x + dx;
                        if (dentro(rr, xx) && !visto[static_cast<std::size_t>(rr)][static_cast<std::size_t>(xx)]) {
                            visto[static_cast<std::size_t>(rr)][static_cast<std::size_t>(xx)] = true;
                            pila.emplace_back(rr, xx);
                        }
                    }
            }
            BlobExtent e;
            e.arco = profondita > soglia ? 1 : 0;
            e.primo = -1;
            for (int x = banda.primo; x <= banda.ultimo; ++x)
                if (colonna[static_cast<std::size_t>(x - banda.primo)] >= soglia) {
                    if (e.primo < 0)
                        e.primo = x;
                    e.ultimo = x;
                }
            if (e.primo >= 0)
                risultato.push_back(e);
        }
    return risultato;
}

} // namespace

void IndividuaVeicoliRobusto(StatoRilevamento &det, const MetricGrid &griglia, const RgbImage &frame, int superiore,
                             int inferiore, int fotogramma, double tempo, TextList &veicoliAtt)
{
    if (frame.height != det.AltezzaImmagine || frame.rowBytes() != det.LarghezzaRiga
        || det.MediaSfondo.data.size() != frame.pixels.size())
        throw RefusalError("Il fotogramma " + std::to_string(fotogramma) + " non ha la dimensione dello sfondo ("
                           + std::to_string(det.LarghezzaRiga / 3) + " x " + std::to_string(det.AltezzaImmagine)
                           + ").");
    const Banda banda = bandaDi(det, griglia);
    const int scarto = scartoLuce(det, frame, banda);
    Maschera m = classifica(det, frame, superiore, inferiore, scarto);
    opera(m, true);
    opera(m, false);
    opera(m, false);
    opera(m, false);
    opera(m, true);
    opera(m, true);
    det.MatriceDifferenza.resize(frame.height, frame.rowBytes());
    for (int r = 0; r < frame.height; ++r)
        for (int c = 0; c < frame.rowBytes(); ++c)
            det.MatriceDifferenza.at(r, c) = m[static_cast<std::size_t>(r)][static_cast<std::size_t>(c / 3)] ? 0 : 255;
    veicoliAtt.clear();
    std::vector<BlobExtent> trovate = macchie(m, banda, occupancyThreshold(halfBand(det)));
    recordsFromBlobs(trovate, det, griglia, fotogramma, tempo, veicoliAtt);
}

} // namespace kalvor::riferimento
