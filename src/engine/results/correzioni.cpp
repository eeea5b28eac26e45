// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/correzioni.hpp"

namespace kalvor {

void tettoVelocita(std::vector<RigaIstanti> &righe)
{
    for (std::size_t i = 1; i < righe.size(); ++i)
        if (righe[i].velocita > 150.0)
            righe[i].velocita = righe[i - 1].velocita + 1.0;
}

void tettoDistanza(std::vector<RigaIstanti> &righe)
{
    for (std::size_t i = 1; i < righe.size(); ++i)
        if (righe[i].spazio > 50.0)
            righe[i].spazio = righe[i - 1].spazio;
}

void levigaVelocitaVeicolo(std::vector<RigaIstanti> &righe, std::size_t first, std::size_t last)
{
    for (std::size_t k = first + 2; k < last; ++k) {
        const double a = righe[k - 1].velocita;
        const double b = righe[k].velocita;
        const double c = righe[k + 1].velocita;
        if ((b > a && b > c) || (b < a && b < c))
            righe[k].velocita = (a + c) / 2.0;
    }
}

std::pair<std::size_t, std::size_t> rowsWithSpeed(std::size_t first, std::size_t last,
                                                  const std::function<bool(std::size_t)> &senzaVelocita)
{
    if (senzaVelocita) {
        while (first < last && senzaVelocita(first))
            ++first;
        while (last > first && senzaVelocita(last))
            --last;
    }
    return {first, last};
}

void CorrezioneVelocita(std::vector<RigaIstanti> &TabellaVeicoli, long long NumeroVeicoli, int LunghezzaLista,
                        const std::function<bool(std::size_t)> &senzaVelocita)
{
    const auto n = static_cast<std::size_t>(LunghezzaLista);
    for (long long v = 0; v <= NumeroVeicoli; ++v) {
        const auto numero = static_cast<double>(v);
        std::size_t f = 0;
        while (f < n && TabellaVeicoli[f].veicolo != numero)
            ++f;
        if (f == n)
            continue;
        std::size_t dopo = 0;
        while (dopo < n && !(TabellaVeicoli[dopo].veicolo > numero))
            ++dopo;
        const auto [primo, ultimo] = rowsWithSpeed(f, dopo == n ? n - 1 : dopo - 1, senzaVelocita);
        levigaVelocitaVeicolo(TabellaVeicoli, primo, ultimo);
    }
}

} // namespace kalvor
