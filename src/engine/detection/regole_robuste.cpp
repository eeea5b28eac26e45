// SPDX-License-Identifier: GPL-3.0-or-later
#include "detection/regole_robuste.hpp"

#include "detection/geometria_area.hpp"
#include "detection/limiti_scansione.hpp"
#include "state/record_veicolo.hpp"

#include <algorithm>
#include <cmath>

namespace kalvor {

int boundedOffset(int mediana, bool campioni)
{
    return campioni ? std::clamp(mediana, -kMaxScartoLuce, kMaxScartoLuce) : 0;
}

namespace {

struct Uscita
{
    int fine;
    int arco;
    RecordVeicolo record;
};

void registra(const BlobExtent &m, const StatoRilevamento &det, const MetricGrid &griglia, const ScanLimits &lim,
              int fotogramma, double tempo, std::vector<Uscita> &uscite)
{
    const int inizio = std::max(3 * m.primo, lim.primaColonna);
    const int ultima = std::min(3 * m.ultimo + 2, lim.ultimaColonna);
    double lunghezza = 0.0;
    double area = 0.0;
    if (ultima > inizio) {
        const int ra = axisRow(det, ultima);
        const int h = halfBand(det);
        const int rg = lim.rigaGriglia(ra);
        const int x = ultima / 3;
        lunghezza = griglia.at(rg, x, 0) - griglia.at(rg, inizio / 3, 0);
        const double larghezza = m.arco == 0 ? griglia.at(rg, x, 1) - griglia.at(lim.rigaGriglia(ra - h), x, 1)
                                             : griglia.at(lim.rigaGriglia(ra + h), x, 1) - griglia.at(rg, x, 1);
        area = std::fabs(larghezza) * lunghezza;
    }
    if (!(lunghezza >= det.LunghezzaMin && area >= det.AreaVeicolo))
        return;
    uscite.push_back({ultima + 1, m.arco,
                      makeRecord(kNumeroProvvisorio, m.arco == 0 ? kArcoSuperiore : kArcoInferiore, inizio, ultima + 1,
                                 lunghezza, area, fotogramma, tempo)});
}

} // namespace

void recordsFromBlobs(std::vector<BlobExtent> &macchie, const StatoRilevamento &det, const MetricGrid &griglia,
                      int fotogramma, double tempo, TextList &veicoliAtt)
{
    if (macchie.empty())
        return;
    const ScanLimits lim = scanLimits(det, griglia);
    std::sort(macchie.begin(), macchie.end(), [](const BlobExtent &a, const BlobExtent &b) {
        return a.arco != b.arco ? a.arco < b.arco : a.primo != b.primo ? a.primo < b.primo : a.ultimo < b.ultimo;
    });
    std::vector<Uscita> uscite;
    BlobExtent gruppo = macchie.front();
    for (std::size_t i = 1; i <= macchie.size(); ++i) {
        if (i < macchie.size() && macchie[i].arco == gruppo.arco) {
            const BlobExtent &m = macchie[i];
            bool unisci = m.primo <= gruppo.ultimo + 1;
            if (!unisci) {
                const int rg = lim.rigaGriglia(axisRow(det, std::min(3 * gruppo.ultimo + 2, lim.ultimaColonna)));
                unisci = std::fabs(griglia.at(rg, m.primo, 0) - griglia.at(rg, gruppo.ultimo, 0)) <= kGiuntaMetri;
            }
            if (unisci) {
                gruppo.ultimo = std::max(gruppo.ultimo, m.ultimo);
                continue;
            }
        }
        registra(gruppo, det, griglia, lim, fotogramma, tempo, uscite);
        if (i < macchie.size())
            gruppo = macchie[i];
    }
    std::stable_sort(uscite.begin(), uscite.end(), [](const Uscita &a, const Uscita &b) {
        return a.fine != b.fine ? a.fine < b.fine : a.arco < b.arco;
    });
    for (const Uscita &u : uscite)
        appendRecord(veicoliAtt, u.record);
}

} // namespace kalvor
