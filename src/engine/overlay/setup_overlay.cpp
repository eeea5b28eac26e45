// SPDX-License-Identifier: GPL-3.0-or-later
#include "overlay/setup_overlay.hpp"

#include "common/errors.hpp"
#include "common/numbers.hpp"
#include "detection/geometria_area.hpp"
#include "detection/sovrapposizioni.hpp"
#include "geometry/segno_punto.hpp"
#include "overlay/paint_drawing.hpp"
#include "state/record_veicolo.hpp"

namespace kalvor {

namespace {

void referencePoints(const StatoProspettiva &p, Drawing &d)
{
    const int n = std::min(p.coordinataXPixelP.count(), p.coordinataYPixelP.count());
    for (int i = 0; i < n; ++i) {
        try {
            const int x = toInt(p.coordinataXPixelP.line(i));
            const int y = toInt(p.coordinataYPixelP.line(i));
            appendPointMarker(d, x, y, colors::red);
            d.push_back(DrawPrimitive::label(x + 4, y + 4, intText(i + 1), colors::red));
        } catch (const ConversionError &) {
        }
    }
}

void band(const StatoRilevamento &det, Drawing &d)
{
    const Drawing asse = axisOverlay(det);
    d.insert(d.end(), asse.begin(), asse.end());
    const int h = halfBand(det);
    const int xa = det.ColonnaArea1 / 3;
    const int xb = det.ColonnaArea2 / 3;
    d.push_back(DrawPrimitive::line(xa, det.RigaArea1 - h, xb, det.RigaArea2 - h, colors::red));
    d.push_back(DrawPrimitive::line(xa, det.RigaArea1 + h, xb, det.RigaArea2 + h, colors::yellow));
}

// The run's own record overlays, one number label per record in record
// order, with the record's length appended to its number.
void records(const TextList &veicoliAtt, const StatoRilevamento &det, Drawing &d)
{
    Drawing r = vehicleOverlays(veicoliAtt, det, false);
    const std::vector<int> starts = findRecords(veicoliAtt);
    std::size_t k = 0;
    for (auto &p : r) {
        if (p.shape != Shape::Text || k >= starts.size())
            continue;
        // Appended piece by piece: GCC 12 warns falsely (-Wrestrict) on " " + text + "m" at -O3.
        p.text += ' ';
        p.text += readRecord(veicoliAtt, starts[k++]).lunghezza;
        p.text += 'm';
    }
    d.insert(d.end(), r.begin(), r.end());
}

} // namespace

Drawing setupOverlay(const StatoProspettiva &prospettiva, const StatoRilevamento &det, const TextList &veicoliAtt)
{
    Drawing d;
    referencePoints(prospettiva, d);
    band(det, d);
    records(veicoliAtt, det, d);
    return d;
}

Drawing pixelRuler(int width, int height, int step)
{
    Drawing d;
    if (step <= 0)
        return d;
    for (int x = step; x < width; x += step) {
        const std::string t = intText(x);
        d.push_back(DrawPrimitive::filledRectangle(x + 1, height - 12, x + 3 + 8 * static_cast<int>(t.size()), height,
                                                   colors::black, colors::black));
        d.push_back(DrawPrimitive::line(x, height - 15, x, height, colors::white));
        d.push_back(DrawPrimitive::label(x + 2, height - 11, t, colors::white));
    }
    for (int y = step; y < height; y += step) {
        const std::string t = intText(y);
        d.push_back(DrawPrimitive::filledRectangle(0, y + 1, 2 + 8 * static_cast<int>(t.size()), y + 13, colors::black,
                                                   colors::black));
        d.push_back(DrawPrimitive::line(0, y, 14, y, colors::white));
        d.push_back(DrawPrimitive::label(1, y + 2, t, colors::white));
    }
    return d;
}

RgbImage setupOverlayPicture(const RgbImage &frame, const Drawing &drawing, const DetectionWorkspace *mask)
{
    RgbImage out = frame;
    if (mask != nullptr && mask->mascheraIntera && mask->larghezza == out.width && mask->altezza == out.height)
        paintOutline(
            out, [&](int x, int y) { return mask->primoPiano(y, x); }, kMaskOutline);
    paintDrawing(out, drawing);
    return out;
}

} // namespace kalvor
