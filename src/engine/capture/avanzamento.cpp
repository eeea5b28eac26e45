// SPDX-License-Identifier: GPL-3.0-or-later
#include "capture/avanzamento.hpp"

#include <stdexcept>

namespace kalvor {

EsitoPasso AvanzaFotogrammaClick(StatoLavoro &, SessioneCaptazione &)
{
    throw std::logic_error("not implemented");
}

EsitoPasso FotogrammaPrecedenteClick(StatoLavoro &, SessioneCaptazione &)
{
    throw std::logic_error("not implemented");
}

void InseguiVeicoli(TextList &, const TextList &, int &, double, const MetricGrid &)
{
    throw std::logic_error("not implemented");
}

void NumeriDuplicati(TextList &, int)
{
    throw std::logic_error("not implemented");
}

int contatoreDaVeicoliTOT(const TextList &, int)
{
    throw std::logic_error("not implemented");
}

} // namespace kalvor
