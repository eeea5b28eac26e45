// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/rilevamenti_casuali.hpp"

#include "support/lavoro_risultati.hpp"

#include <random>
#include <vector>

namespace kalvor::testing {

StatoLavoro rilevamentiOrdinati(int avvistamenti, std::uint32_t seme)
{
    StatoLavoro s = lavoroRisultati();
    std::mt19937 rng(seme);
    struct Veicolo
    {
        int numero;
        double x;
        int passo;
        const char *arco;
        std::string lunghezza;
    };
    std::vector<Veicolo> inStrada;
    int prossimo = 0;
    int scritti = 0;
    for (int f = 0; scritti < avvistamenti; ++f) {
        s.TabellaTempiFotogrammi.push_back(RigaTempi {static_cast<double>(f), 0.2 * f});
        if (f % 6 == 0)
            inStrada.push_back(Veicolo {prossimo++, 20.0, 4 + static_cast<int>(rng() % 7), rng() % 2 ? "sup" : "inf",
                                        std::to_string(3 + rng() % 4) + "," + std::to_string(rng() % 10)});
        for (auto it = inStrada.begin(); it != inStrada.end() && scritti < avvistamenti;) {
            const char *arco = rng() % 10 == 0 ? (std::string(it->arco) == "sup" ? "inf" : "sup") : it->arco;
            aggiungiAvvistamento(s, std::to_string(it->numero), arco, static_cast<int>(it->x), it->lunghezza, f);
            ++scritti;
            it->x += it->passo;
            it = it->x > 680 ? inStrada.erase(it) : it + 1;
        }
    }
    s.NumeroFotogrammiEstratti = static_cast<int>(s.TabellaTempiFotogrammi.size());
    return s;
}

StatoLavoro rilevamentiDisordinati(int avvistamenti, std::uint32_t seme)
{
    StatoLavoro s = lavoroRisultati();
    std::mt19937 rng(seme);
    const auto caso = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    const char *numeri[] = {"0", "1", "2", "3", "4", "5", "7", "2,5", "-1", "-2,5", "0,5", "12"};
    const char *archi[] = {"sup", "inf", "sup", "inf", "numero", ""};
    int f = caso(3);
    for (int k = 0; k < avvistamenti; ++k) {
        if (caso(3) == 0)
            f += 1 + caso(2);
        if (k > 0 && caso(8) == 0) { // the same record again
            const int last = s.Captazione.VeicoliTOT.count() - 9;
            for (int i = 0; i < 9; ++i)
                s.Captazione.VeicoliTOT.append(s.Captazione.VeicoliTOT.line(last + i));
            continue;
        }
        aggiungiAvvistamento(s, numeri[caso(12)], archi[caso(6)], 20 + caso(660), std::to_string(1 + caso(9)), f);
    }
    for (int g = 0; g <= f + 1; ++g) {
        const int kind = caso(8);
        if (kind == 0)
            continue; // no time for this frame
        const double t = 0.5 * g + (kind == 1 ? 0.0 : 0.1 * caso(3));
        s.TabellaTempiFotogrammi.push_back(RigaTempi {static_cast<double>(g), kind == 2 ? 0.5 * (g - 1) : t});
        if (kind == 3) // a second, later time for the same frame: never used
            s.TabellaTempiFotogrammi.push_back(RigaTempi {static_cast<double>(g), t + 7});
    }
    s.NumeroFotogrammiEstratti = static_cast<int>(s.TabellaTempiFotogrammi.size()) - caso(3);
    return s;
}

} // namespace kalvor::testing
