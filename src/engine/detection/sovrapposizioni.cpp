// SPDX-License-Identifier: GPL-3.0-or-later
#include "detection/sovrapposizioni.hpp"

#include "common/numbers.hpp"
#include "detection/geometria_area.hpp"
#include "state/record_veicolo.hpp"

namespace kalvor {

// Text 11 pixels high, in points at 96 dpi.
constexpr int kAltezzaNumeri = 8;

Drawing vehicleOverlays(const TextList &veicoliAtt, const StatoRilevamento &det, bool mirino)
{
    Drawing d;
    const int h = halfBand(det);
    const int q = det.DislivelloArea / 4;
    for (const int i : findRecords(veicoliAtt)) {
        const int inizio = toInt(recordField(veicoliAtt, i, OffInizio));
        const int fine = toInt(recordField(veicoliAtt, i, OffFine));
        const int x1 = inizio / 3;
        const int x2 = fine / 3;
        const int m = centreByteColumn(inizio, fine);
        const int xm = m / 3;
        const int r0 = axisRow(det, m);
        const bool sup = recordField(veicoliAtt, i, OffArco) == kArcoSuperiore;
        const Rgb penna = sup ? colors::red : colors::yellow;
        const std::string &numero = recordField(veicoliAtt, i, OffNumero);
        if (sup) {
            d.push_back(DrawPrimitive::rectangle(x1, r0 - h, x2, r0, penna));
            d.push_back(DrawPrimitive::label(x1, r0 - 2 * h, numero, colors::blue, kAltezzaNumeri));
            if (mirino) {
                d.push_back(DrawPrimitive::line(xm, r0 - h, xm, r0 - 100, penna));
                d.push_back(DrawPrimitive::line(xm, r0, xm, r0 + 100, penna));
                d.push_back(DrawPrimitive::line(x1, r0 - q, xm - 100, r0 - q, penna));
                d.push_back(DrawPrimitive::line(x2, r0 - q, xm + 100, r0 - q, penna));
            }
        } else {
            d.push_back(DrawPrimitive::rectangle(x1, r0, x2, r0 + h, penna));
            d.push_back(DrawPrimitive::label(x1, r0 + h, numero, colors::blue, kAltezzaNumeri));
            if (mirino) {
                d.push_back(DrawPrimitive::line(xm, r0, xm, r0 - 100, penna));
                d.push_back(DrawPrimitive::line(xm, r0 + h, xm, r0 + 100, penna));
                d.push_back(DrawPrimitive::line(x1, r0 + q, xm - 100, r0 + q, penna));
                d.push_back(DrawPrimitive::line(x2, r0 + q, xm + 100, r0 + q, penna));
            }
        }
    }
    return d;
}

Drawing axisOverlay(const StatoRilevamento &det)
{
    const int W = det.DislivelloArea;
    const int xa = det.ColonnaArea1 / 3;
    const int ya = det.RigaArea1;
    const int xb = det.ColonnaArea2 / 3;
    const int yb = det.RigaArea2;
    return {DrawPrimitive::line(xa, ya, xb, yb, colors::blue),
            DrawPrimitive::line(xa, ya - W, xa, ya + W, colors::blue),
            DrawPrimitive::line(xb, yb - W, xb, yb + W, colors::blue)};
}

} // namespace kalvor
