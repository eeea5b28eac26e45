// SPDX-License-Identifier: GPL-3.0-or-later
#include "detection/sovrapposizioni.hpp"

#include "common/numbers.hpp"
#include "detection/geometria_area.hpp"
#include "state/record_veicolo.hpp"

namespace kalvor {

namespace {

PrimitivaDisegno linea(int x1, int y1, int x2, int y2, ColoreDisegno colore)
{
    return PrimitivaDisegno{PrimitivaDisegno::Tipo::Linea, x1, y1, x2, y2, colore, {}, 0};
}

} // namespace

Disegno sovrapposizioniVeicoli(const TextList &veicoliAtt, const StatoRilevamento &det, bool mirino)
{
    Disegno d;
    const int h = semibanda(det);
    const int q = det.DislivelloArea / 4;
    for (const int i : findRecords(veicoliAtt)) {
        const int inizio = toInt(recordField(veicoliAtt, i, OffInizio));
        const int fine = toInt(recordField(veicoliAtt, i, OffFine));
        const int x1 = inizio / 3;
        const int x2 = fine / 3;
        const int m = centreByteColumn(inizio, fine);
        const int xm = m / 3;
        const int r0 = rigaAsse(det, m);
        const bool sup = recordField(veicoliAtt, i, OffArco) == kArcoSuperiore;
        const ColoreDisegno penna = sup ? ColoreDisegno::Rosso : ColoreDisegno::Giallo;
        const std::string &numero = recordField(veicoliAtt, i, OffNumero);
        if (sup) {
            d.push_back({PrimitivaDisegno::Tipo::Rettangolo, x1, r0 - h, x2, r0, penna, {}, 0});
            d.push_back({PrimitivaDisegno::Tipo::Testo, x1, r0 - 2 * h, 0, 0, ColoreDisegno::Blu, numero, 11});
            if (mirino) {
                d.push_back(linea(xm, r0 - h, xm, r0 - 100, penna));
                d.push_back(linea(xm, r0, xm, r0 + 100, penna));
                d.push_back(linea(x1, r0 - q, xm - 100, r0 - q, penna));
                d.push_back(linea(x2, r0 - q, xm + 100, r0 - q, penna));
            }
        } else {
            d.push_back({PrimitivaDisegno::Tipo::Rettangolo, x1, r0, x2, r0 + h, penna, {}, 0});
            d.push_back({PrimitivaDisegno::Tipo::Testo, x1, r0 + h, 0, 0, ColoreDisegno::Blu, numero, 11});
            if (mirino) {
                d.push_back(linea(xm, r0, xm, r0 - 100, penna));
                d.push_back(linea(xm, r0 + h, xm, r0 + 100, penna));
                d.push_back(linea(x1, r0 + q, xm - 100, r0 + q, penna));
                d.push_back(linea(x2, r0 + q, xm + 100, r0 + q, penna));
            }
        }
    }
    return d;
}

Disegno sovrapposizioneAsse(const StatoRilevamento &det)
{
    const int W = det.DislivelloArea;
    const int xa = det.ColonnaArea1 / 3;
    const int ya = det.RigaArea1;
    const int xb = det.ColonnaArea2 / 3;
    const int yb = det.RigaArea2;
    return {linea(xa, ya, xb, yb, ColoreDisegno::Blu), linea(xa, ya - W, xa, ya + W, ColoreDisegno::Blu),
            linea(xb, yb - W, xb, yb + W, ColoreDisegno::Blu)};
}

} // namespace kalvor
