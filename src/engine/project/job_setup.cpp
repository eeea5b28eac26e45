// SPDX-License-Identifier: GPL-3.0-or-later
#include "project/job_setup.hpp"

#include "common/numbers.hpp"

namespace kalvor {

StatoLavoro jobState(const JobSetup &j)
{
    StatoLavoro s;
    s.Riferimenti.luogo = j.luogo;
    s.Riferimenti.elaboratore = j.elaboratore;
    s.Riferimenti.dataelaborazione = j.dataelaborazione;

    s.Estrattore.step = fixedText(j.step);
    for (int n : j.frames)
        s.Estrattore.ListaFotogrammi.append(intText(n));
    for (double t : j.times)
        s.Estrattore.ListaTempi.append(fixedText(t));

    chooseReadingDirection(s.SceltaVersoLetture, j.direction);
    s.SceltaVersoLetture.usoGPS = j.gps;

    auto &p = s.Prospettiva;
    p.FotogrammaIniziale = intText(j.referenceFrame);
    for (const auto &pt : j.points) {
        p.coordinataXPixelP.append(intText(pt.x));
        p.coordinataYPixelP.append(intText(pt.y));
    }
    for (double d : j.distances)
        p.DistanzeRealiP.append(fixedText(d));
    for (const auto &g : j.gpsPoints) {
        p.coordinataX_GPSp.append(intText(g.x));
        p.coordinataY_GPSp.append(intText(g.y));
    }

    s.AreaCaptazione.FotogrammaIniziale = intText(j.areaFrame);
    for (const auto &pt : j.area) {
        s.AreaCaptazione.PuntiRiferimento.append(intText(pt.y));
        s.AreaCaptazione.PuntiRiferimento.append(intText(pt.x));
    }

    static_cast<CampiRilevamento &>(s.Calibrazione) = j.calibration;
    static_cast<CampiRilevamento &>(s.Captazione) = j.capture;
    return s;
}

} // namespace kalvor
