// SPDX-License-Identifier: GPL-3.0-or-later
#include "geometry/prospettiva.hpp"

#include "common/errors.hpp"
#include "common/numbers.hpp"
#include "extraction/frame_file.hpp"
#include "extraction/png_io.hpp"
#include "geometry/segno_punto.hpp"
#include "geometry/verso_letture.hpp"

#include <limits>

namespace kalvor {

namespace {

void clearPointLists(StatoProspettiva &p)
{
    p.coordinataXPixelP.clear();
    p.coordinataYPixelP.clear();
    p.DistanzeRealiP.clear();
    p.coordinataXPixelD.clear();
    p.coordinataYPixelD.clear();
    p.DistanzeRealiD.clear();
}

} // namespace

std::string startReferenceReset(StatoLavoro &stato)
{
    stato.FotogrammaProspettiva = toInt(stato.Prospettiva.FotogrammaIniziale);
    return frameFileName(stato.Estrattore.Cartella, stato.FotogrammaProspettiva);
}

void finishAzzeraDati(StatoLavoro &stato)
{
    StatoProspettiva &p = stato.Prospettiva;
    clearPointLists(p);
    p.coordinataX_GPSp.clear();
    p.coordinataY_GPSp.clear();
    p.coordinataX_GPSd.clear();
    p.coordinataY_GPSd.clear();
    clearReadingDirection(stato.SceltaVersoLetture);
}

void finishAzzeraSenzaRichieste(StatoLavoro &stato)
{
    clearPointLists(stato.Prospettiva);
}

Drawing recordReferencePoint(StatoLavoro &stato, int x, int y)
{
    stato.Prospettiva.coordinataXPixelP.append(intText(x));
    stato.Prospettiva.coordinataYPixelP.append(intText(y));
    return pointMarker(x, y);
}

void prepareGpsPoint(StatoLavoro &stato, int x, int y)
{
    stato.PuntiGPS.X_TXT = intText(x);
    stato.PuntiGPS.Y_TXT = intText(y);
}

ScreenPoint gpsDialogTopLeft(ScreenPoint pointer, int dialogWidth)
{
    return {pointer.x - dialogWidth / 2, pointer.y + 20};
}

Drawing confirmGpsPoint(StatoLavoro &stato, const std::string &posizioneX, const std::string &posizioneY)
{
    // Both converted before anything is appended, so the four lists stay aligned.
    const int x = toInt(stato.PuntiGPS.X_TXT);
    const int y = toInt(stato.PuntiGPS.Y_TXT);
    StatoProspettiva &p = stato.Prospettiva;
    p.coordinataXPixelP.append(intText(x));
    p.coordinataYPixelP.append(intText(y));
    p.coordinataX_GPSp.append(posizioneX);
    p.coordinataY_GPSp.append(posizioneY);
    return pointMarker(x, y);
}

void drawReferencePoints(const StatoProspettiva &p, Drawing &out)
{
    out.push_back(clearedOverlay());
    for (int i = 0; i < p.coordinataXPixelP.count(); ++i) {
        const int x = toInt(p.coordinataXPixelP.line(i));
        const int y = toInt(i < p.coordinataYPixelP.count() ? p.coordinataYPixelP.line(i) : std::string());
        appendPointMarker(out, x, y);
    }
}

std::string stepReferenceFrame(StatoLavoro &stato, int delta)
{
    const long long next = static_cast<long long>(stato.FotogrammaProspettiva) + delta;
    if (next > std::numeric_limits<int>::max() || next < std::numeric_limits<int>::min())
        throw RefusalError("Numero di fotogramma fuori dai limiti.");
    stato.FotogrammaProspettiva = static_cast<int>(next);
    return frameFileName(stato.Estrattore.Cartella, stato.FotogrammaProspettiva);
}

RgbImage resetReferenceWithoutQuestions(StatoLavoro &stato)
{
    const std::string file = startReferenceReset(stato);
    RgbImage frame = readPng(file);
    finishAzzeraSenzaRichieste(stato);
    return frame;
}

} // namespace kalvor
