// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/example_job.hpp"

#include <cmath>

namespace kalvor::testing {

StatoLavoro exampleJob(const scene::SceneGeometry &g, const ExampleJobOptions &o, const NumberFormat &f)
{
    StatoLavoro s(f);
    s.Riferimenti.luogo = "Strada di prova (scena sintetica)";
    s.Riferimenti.elaboratore = "Kalvor";
    s.Riferimenti.dataelaborazione = "01/01/2026";

    // One frame every `step` seconds while the video lasts: frames taken at
    // whole multiples of the frame period.
    const int framesPerStep = static_cast<int>(std::lround(o.step * o.fps));
    const int videoFrames = static_cast<int>(std::lround(o.duration * o.fps));
    int count = 0;
    for (int v = 0; v < videoFrames; v += framesPerStep, ++count) {
        s.Estrattore.ListaFotogrammi.append(intText(count));
        s.Estrattore.ListaTempi.append(fixedText(static_cast<double>(v) / o.fps, f));
    }
    s.Estrattore.step = fixedText(o.step, f);

    s.SceltaVersoLetture.Origine00 = true;
    for (const auto &p : g.referencePoints) {
        s.Prospettiva.coordinataXPixelP.append(intText(p.column));
        s.Prospettiva.coordinataYPixelP.append(intText(p.row));
    }
    for (double d : g.referenceDistances)
        s.Prospettiva.DistanzeRealiP.append(fixedText(d, f));
    s.AreaCaptazione.PuntiRiferimento = g.puntiRiferimento();

    const std::string last = intText(count - 1);
    for (CampiRilevamento *c :
         {static_cast<CampiRilevamento *>(&s.Calibrazione), static_cast<CampiRilevamento *>(&s.Captazione)}) {
        c->ImmagineIniziale = "0";
        c->ImmagineFinale = last;
        c->VeicoloIniziale = "1";
    }
    return s;
}

} // namespace kalvor::testing
