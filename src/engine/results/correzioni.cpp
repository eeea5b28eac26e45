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

void CorrezioneVelocita(std::vector<RigaIstanti> &TabellaVeicoli, long long NumeroVeicoli, int LunghezzaLista)
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
        const std::size_t l = dopo == n ? n - 1 : dopo - 1;
        levigaVelocitaVeicolo(TabellaVeicoli, f, l);
    }
}

} // namespace kalvor
