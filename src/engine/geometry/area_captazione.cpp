// SPDX-License-Identifier: GPL-3.0-or-later
#include "geometry/area_captazione.hpp"

#include "common/errors.hpp"
#include "common/numbers.hpp"
#include "extraction/frame_file.hpp"
#include "extraction/png_io.hpp"
#include "geometry/segno_punto.hpp"

#include <array>
#include <utility>

namespace kalvor {

namespace {

// Row and column of point i (0-based) from its two lines.
std::pair<int, int> areaPoint(const TextList &list, int i)
{
    return {toInt(list.line(2 * i)), toInt(list.line(2 * i + 1))};
}

void requireFourPoints(const TextList &list)
{
    if (list.count() < 8)
        throw RefusalError("Servono quattro punti (l'asse e i due punti della larghezza): ne sono stati indicati "
                           + intText(list.count() / 2) + ".");
}

} // namespace

std::string areaFrameFileName(const StatoLavoro &stato)
{
    return frameFileNameAsTyped(stato.Estrattore.Cartella, stato.AreaCaptazione.FotogrammaIniziale);
}

void clearArea(StatoAreaCaptazione &area)
{
    area.PuntiRiferimento.clear();
}

Rgb areaMarkerPen(int lines)
{
    return lines > 4 ? colors::red : colors::blue;
}

Drawing recordAreaPoint(StatoAreaCaptazione &area, int x, int y)
{
    TextList &list = area.PuntiRiferimento;
    list.append(intText(y));
    list.append(intText(x));
    const Rgb pen = areaMarkerPen(list.count());
    Drawing out = pointMarker(x, y, pen);
    if (list.count() == 4) {
        const auto [y1, x1] = areaPoint(list, 0);
        out.push_back(DrawPrimitive::line(x, y, x1, y1, pen));
    } else if (list.count() == 8) {
        const auto [y3, x3] = areaPoint(list, 2);
        out.push_back(DrawPrimitive::line(x, y, x3, y3, pen));
    }
    return out;
}

void drawAreaElements(const StatoAreaCaptazione &area, Drawing &out)
{
    out.push_back(clearedOverlay());
    const TextList &list = area.PuntiRiferimento;
    requireFourPoints(list);
    const auto [y1, x1] = areaPoint(list, 0);
    appendPointMarker(out, x1, y1, colors::blue);
    const auto [y2, x2] = areaPoint(list, 1);
    out.push_back(DrawPrimitive::line(x1, y1, x2, y2, colors::blue));
    appendPointMarker(out, x2, y2, colors::blue);
    const auto [y3, x3] = areaPoint(list, 2);
    appendPointMarker(out, x3, y3, colors::red);
    const auto [y4, x4] = areaPoint(list, 3);
    out.push_back(DrawPrimitive::line(x3, y3, x4, y4, colors::red));
    appendPointMarker(out, x4, y4, colors::red);
}

void confirmArea(StatoAreaCaptazione &area, int frameWidth, int frameHeight)
{
    TextList &list = area.PuntiRiferimento;
    requireFourPoints(list);
    if (frameWidth <= 0 || frameHeight <= 0)
        throw RefusalError("Nessun fotogramma caricato: premere AzzeraDati prima di indicare l'area.");
    std::array<std::pair<int, int>, 4> points;
    for (int i = 0; i < 4; ++i)
        points[static_cast<std::size_t>(i)] = areaPoint(list, i);
    for (const auto &[y, x] : points)
        if (x < 0 || y < 0 || x >= frameWidth || y >= frameHeight)
            throw RefusalError("Il punto (" + intText(x) + ", " + intText(y) + ") è fuori dal fotogramma ("
                               + intText(frameWidth) + " × " + intText(frameHeight) + " pixel).");
    if (points[0].second > points[1].second) {
        std::string row1 = list.line(0);
        std::string col1 = list.line(1);
        list.setLine(0, list.line(2));
        list.setLine(1, list.line(3));
        list.setLine(2, std::move(row1));
        list.setLine(3, std::move(col1));
    }
}

RgbImage resetArea(StatoLavoro &stato)
{
    RgbImage frame = readPng(areaFrameFileName(stato));
    clearArea(stato.AreaCaptazione);
    return frame;
}

} // namespace kalvor
