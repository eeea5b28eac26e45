// SPDX-License-Identifier: GPL-3.0-or-later
#include "detection/geometria_scansione.hpp"

#include "detection/geometria_area.hpp"

#include <algorithm>

namespace kalvor {

namespace {

GeometryKey chiaveDi(const StatoRilevamento &det, const MetricGrid &griglia, int parole)
{
    return GeometryKey {det.RigaArea1,       det.ColonnaArea1,  det.RigaArea2, det.ColonnaArea2, det.DislivelloArea,
                        det.AltezzaImmagine, det.LarghezzaRiga, griglia.rows,  griglia.cols,     parole};
}

void segnaRighe(ScanGeometry &g)
{
    const int h = g.halfBand;
    const int righe = g.lim.righe;
    const int n = g.lim.ultimaColonna - g.lim.primaColonna + 1;
    bool qualcuna = false;
    for (int i = 0; i < n; ++i)
        for (int arco = 0; arco < 2; ++arco) {
            const Segment s = arcSegment(arco, g.righeAsse[static_cast<std::size_t>(i)], h, righe);
            if (s.da > s.a)
                continue;
            g.rigaDa = qualcuna ? std::min(g.rigaDa, s.da) : s.da;
            g.rigaA = qualcuna ? std::max(g.rigaA, s.a) : s.a;
            qualcuna = true;
        }
    if (!qualcuna)
        return;
    const std::size_t parole = static_cast<std::size_t>(g.parole);
    const std::size_t n_righe = static_cast<std::size_t>(g.rigaA - g.rigaDa + 1);
    for (int arco = 0; arco < 2; ++arco) {
        auto &bit = g.righeArco[arco];
        bit.assign(n_righe * parole, 0);
        for (std::size_t k = 0; k < g.rigaPixel.size(); ++k) {
            const int x = g.primoPixel + static_cast<int>(k);
            const Segment s = arcSegment(arco, g.rigaPixel[k], h, righe);
            for (int r = s.da; r <= s.a; ++r)
                bit[static_cast<std::size_t>(r - g.rigaDa) * parole + static_cast<std::size_t>(x >> 6)]
                    |= std::uint64_t {1} << (x & 63);
        }
    }
}

} // namespace

void prepareScanGeometry(ScanGeometry &g, const StatoRilevamento &det, const MetricGrid &griglia, int parole)
{
    const GeometryKey chiave = chiaveDi(det, griglia, parole);
    if (g.valida && g.chiave == chiave)
        return;
    g = ScanGeometry {};
    g.chiave = chiave;
    g.parole = parole;
    g.lim = scanLimits(det, griglia);
    g.halfBand = halfBand(det);
    if (det.ColonnaArea1 > det.ColonnaArea2) {
        g.lim.ultimaColonna = g.lim.primaColonna - 1;
        g.valida = true;
        return;
    }
    const InterpolatedAxis asse(det); // the degenerate axis fails even when clipping leaves no column
    if (!g.vuota()) {
        const int n = g.lim.ultimaColonna - g.lim.primaColonna + 1;
        g.righeAsse.resize(static_cast<std::size_t>(n));
        for (int i = 0; i < n; ++i)
            g.righeAsse[static_cast<std::size_t>(i)] = asse.riga(g.lim.primaColonna + i);
        g.primoPixel = g.lim.primaColonna / 3;
        const int ultimoPixel = g.lim.ultimaColonna / 3;
        g.rigaPixel.resize(static_cast<std::size_t>(ultimoPixel - g.primoPixel + 1));
        g.pixelUniforme.resize(g.rigaPixel.size());
        for (int x = g.primoPixel; x <= ultimoPixel; ++x) {
            const int ra = g.axisRow(g.primaColonnaPixel(x));
            bool uniforme = true;
            for (int c = g.primaColonnaPixel(x); c <= g.ultimaColonnaPixel(x); ++c)
                uniforme = uniforme && g.axisRow(c) == ra;
            g.rigaPixel[static_cast<std::size_t>(x - g.primoPixel)] = ra;
            g.pixelUniforme[static_cast<std::size_t>(x - g.primoPixel)] = uniforme ? 1 : 0;
        }
        segnaRighe(g);
    }
    g.valida = true;
}

} // namespace kalvor
