// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/scene_job.hpp"

#include "common/numbers.hpp"
#include "detection/geometria_area.hpp"
#include "detection/sfondo_robusto.hpp"

#include <algorithm>

namespace kalvor::cli {

StatoLavoro lavoroDellaScena(const scene::RoadScene &scena, int passo, int ultimo, ProfiloRilevamento profilo)
{
    const auto &geo = scena.geometry();
    StatoLavoro s;
    s.AreaCaptazione.PuntiRiferimento = geo.puntiRiferimento();
    s.Captazione.ImmagineFinale = intText(ultimo);
    s.Captazione.Profilo = profilo;
    StatoRilevamento &det = s.CP;
    readDetectionParameters(s.Captazione, det);
    readAreaGeometry(s.AreaCaptazione.PuntiRiferimento, det);
    det.AltezzaImmagine = geo.height;
    det.LarghezzaRiga = 3 * geo.width;
    det.MatriceDifferenza.resize(geo.height, 3 * geo.width);
    const int media = std::min(ultimo, 200);
    if (profilo == ProfiloRilevamento::Robusto) {
        det.MediaSfondo = robustBackgroundOf([&](int n) { return scena.frame(n * passo); }, 0, media);
        det.NumeroFotogrammiMedia = backgroundSampleCount(media + 1, 3LL * geo.width * geo.height);
    } else {
        det.MediaSfondo.resize(geo.height, 3 * geo.width);
        for (int n = 0; n <= media; ++n) {
            const RgbImage f = scena.frame(n * passo);
            for (std::size_t i = 0; i < f.pixels.size(); ++i)
                det.MediaSfondo.data[i] += f.pixels[i];
        }
        for (auto &v : det.MediaSfondo.data)
            v /= media + 1;
        det.NumeroFotogrammiMedia = media + 1;
    }
    det.GenerazioneSfondo = 1;
    s.GrigliaMetrica = geo.metricGrid();
    for (int n = 0; n <= ultimo; ++n)
        s.TabellaTempiFotogrammi.push_back({static_cast<double>(n), scena.frameTime(n * passo)});
    s.NumeroFotogrammiEstratti = ultimo + 1;
    return s;
}

} // namespace kalvor::cli
