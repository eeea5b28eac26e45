// SPDX-License-Identifier: GPL-3.0-or-later
#include "capture/sovrapposizioni_captazione.hpp"

#include "common/numbers.hpp"
#include "detection/geometria_area.hpp"
#include "detection/sovrapposizioni.hpp"
#include "state/record_veicolo.hpp"

#include <algorithm>
#include <cstdlib>

namespace kalvor {

namespace {

// Text 11 pixels high, in points at 96 dpi, as on the calibration screen.
constexpr int kAltezzaNumeri = 8;

struct Sagoma
{
    bool sup = false;
    int inizio = 0;
    int fine = 0;
    int centro = 0;
    int riga = 0; // axis row at the centre
};

// A record's place; false for an arc that is neither "sup" nor "inf".
bool sagoma(const TextList &lista, int i, const StatoRilevamento &det, Sagoma &s)
{
    const std::string &arco = recordField(lista, i, OffArco);
    s.inizio = toInt(recordField(lista, i, OffInizio));
    s.fine = toInt(recordField(lista, i, OffFine));
    s.centro = centreByteColumn(s.inizio, s.fine);
    s.riga = axisRow(det, s.centro);
    s.sup = arco == kArcoSuperiore;
    return s.sup || arco == kArcoInferiore;
}

void disegnaRecord(const Sagoma &s, const std::string &numero, Rgb penna, bool mirino, const StatoRilevamento &det,
                   Drawing &d)
{
    const int h = halfBand(det);
    const int q = det.DislivelloArea / 4;
    const int x1 = s.inizio / 3;
    const int x2 = s.fine / 3;
    const int m = s.centro / 3;
    const int r = s.riga;
    if (s.sup) {
        d.push_back(DrawPrimitive::rectangle(x1, r - h, x2, r, penna));
        if (mirino) {
            d.push_back(DrawPrimitive::line(m, r - h, m, r - 100, penna));
            d.push_back(DrawPrimitive::line(m, r, m, r + 100, penna));
            d.push_back(DrawPrimitive::line(x1, r - q, m - 100, r - q, penna));
            d.push_back(DrawPrimitive::line(x2, r - q, m + 100, r - q, penna));
        }
        d.push_back(DrawPrimitive::label(x1, r - 2 * h, numero, colors::blue, kAltezzaNumeri));
    } else {
        d.push_back(DrawPrimitive::rectangle(x1, r, x2, r + h, penna));
        if (mirino) {
            d.push_back(DrawPrimitive::line(m, r, m, r - 100, penna));
            d.push_back(DrawPrimitive::line(m, r + h, m, r + 100, penna));
            d.push_back(DrawPrimitive::line(x1, r + q, m - 100, r + q, penna));
            d.push_back(DrawPrimitive::line(x2, r + q, m + 100, r + q, penna));
        }
        d.push_back(DrawPrimitive::label(x1, r + h, numero, colors::blue, kAltezzaNumeri));
    }
}

} // namespace

void DisegnaContornoVeicoli(const StatoLavoro &stato, SessioneCaptazione &sessione, bool ColorePersonalizzato,
                            Rgb colore)
{
    const TextList &att = stato.Captazione.veicoliAtt;
    const StatoRilevamento &det = stato.CP;
    if (att.count() > 1) {
        for (const int i : findRecords(att)) {
            Sagoma s;
            if (!sagoma(att, i, det, s))
                continue;
            const Rgb penna = ColorePersonalizzato ? colore : (s.sup ? colors::red : colors::yellow);
            disegnaRecord(s, recordField(att, i, OffNumero), penna, sessione.Mirino, det, sessione.disegno);
        }
    }
    if (sessione.MostraAsse) {
        const Drawing asse = axisOverlay(det);
        sessione.disegno.insert(sessione.disegno.end(), asse.begin(), asse.end());
    }
}

void DisegnaVeicoliVirtualiClick(StatoLavoro &stato, SessioneCaptazione &sessione)
{
    sessione.veicoliVirtuali.clear();
    const TextList &att = stato.Captazione.veicoliAtt;
    if (att.count() <= 1)
        return;
    const std::vector<int> records = findRecords(att);
    stato.CP.NumeroVeicoliVirtuali = static_cast<int>(records.size());
    const int h = halfBand(stato.CP);
    for (const int i : records) {
        Sagoma s;
        sagoma(att, i, stato.CP, s);
        VeicoloVirtuale v;
        v.numero = recordField(att, i, OffNumero);
        const long long larghezza = std::llabs((static_cast<long long>(s.fine) - s.inizio) / 3);
        v.larghezza = static_cast<int>(std::min(larghezza, 2000000000LL));
        v.altezza = h;
        v.x = s.inizio / 3;
        v.y = s.sup ? s.riga - h : s.riga;
        sessione.veicoliVirtuali.push_back(std::move(v));
    }
}

} // namespace kalvor
