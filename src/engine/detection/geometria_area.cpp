// SPDX-License-Identifier: GPL-3.0-or-later
#include "detection/geometria_area.hpp"

#include "common/errors.hpp"
#include "common/numbers.hpp"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace kalvor {

void readDetectionParameters(const CampiRilevamento &campi, StatoRilevamento &det)
{
    det.SogliaConteggio = 1;
    det.AreaVeicolo = toDecimal(campi.AreaVeicoloTXT);
    det.VariazionePos = toDecimal(campi.VariazionePosTXT);
    det.LunghezzaMin = toDecimal(campi.LunghezzaMinTXT);
    det.Profilo = campi.Profilo;
}

namespace {

// 3 x a pixel column, kept within int: columns that far out are clipped anyway.
int colonnaByte(const std::string &testo)
{
    return static_cast<int>(std::clamp(3LL * toInt(testo), -2000000000LL, 2000000000LL));
}

// A pixel row kept within +-1e9, so that row +- band stays within int.
int riga(const std::string &testo)
{
    return std::clamp(toInt(testo), -1000000000, 1000000000);
}

} // namespace

void readAreaGeometry(const TextList &punti, StatoRilevamento &det)
{
    // Seven lines are read; a job saved before its area was drawn has none.
    if (punti.count() < 7)
        throw ListIndexError("L'area di captazione non è definita: servono i suoi quattro punti, ne "
                             + std::string(punti.count() / 2 == 1 ? "è indicato " : "sono indicati ")
                             + std::to_string(punti.count() / 2) + ".");
    det.RigaArea1 = riga(punti.line(0));
    det.ColonnaArea1 = colonnaByte(punti.line(1));
    det.RigaArea2 = riga(punti.line(2));
    det.ColonnaArea2 = colonnaByte(punti.line(3));
    const long long dislivello = std::llabs(static_cast<long long>(toInt(punti.line(6))) - toInt(punti.line(4)));
    det.DislivelloArea = static_cast<int>(std::min(dislivello, 1000000000LL));
}

void checkAxis(const StatoRilevamento &det)
{
    if (det.ColonnaArea1 == det.ColonnaArea2)
        throw ArithmeticError("Divisione per zero: i due punti dell'asse stanno nella stessa colonna.");
}

namespace {

int rigaLimitata(double r0)
{
    if (r0 > 1e9)
        return 1000000000;
    if (r0 < -1e9)
        return -1000000000;
    return static_cast<int>(r0);
}

} // namespace

InterpolatedAxis::InterpolatedAxis(const StatoRilevamento &det)
    : discendente(det.RigaArea1 > det.RigaArea2)
    , r1(det.RigaArea1)
    , r2(det.RigaArea2)
    , c1(det.ColonnaArea1)
    , c2(det.ColonnaArea2)
{
    quoziente = discendente ? checkedDivide(r1 - r2, c2 - c1) : checkedDivide(r2 - r1, c2 - c1);
}

int InterpolatedAxis::riga(int c) const
{
    return rigaLimitata(discendente ? std::trunc(quoziente * (c2 - c) + r2) : std::trunc(quoziente * (c - c1) + r1));
}

int axisRow(const StatoRilevamento &det, int c)
{
    const double r1 = det.RigaArea1;
    const double r2 = det.RigaArea2;
    const double c1 = det.ColonnaArea1;
    const double c2 = det.ColonnaArea2;
    double r0 = 0.0;
    if (det.RigaArea1 <= det.RigaArea2)
        r0 = std::trunc(checkedDivide(r2 - r1, c2 - c1) * (c - c1) + r1);
    else
        r0 = std::trunc(checkedDivide(r1 - r2, c2 - c1) * (c2 - c) + r2);
    return rigaLimitata(r0);
}

} // namespace kalvor
