// SPDX-License-Identifier: GPL-3.0-or-later
#include "capture/modifica_manuale.hpp"

#include <stdexcept>

namespace kalvor {

std::string arcoDelClic(const StatoRilevamento &, PuntoFotogramma)
{
    throw std::logic_error("not implemented");
}

void RiconoscimentoVeicoloManualeClick(StatoLavoro &, const SessioneCaptazione &, PuntoFotogramma)
{
    throw std::logic_error("not implemented");
}

void AggiungiNuovoVeicoloClick(StatoLavoro &, SessioneCaptazione &, PuntoFotogramma)
{
    throw std::logic_error("not implemented");
}

void AggiungiVeicoloEsistenteClick(StatoLavoro &, SessioneCaptazione &, PuntoFotogramma)
{
    throw std::logic_error("not implemented");
}

void apriModificaVeicolo(StatoLavoro &, const VeicoloVirtuale &)
{
    throw std::logic_error("not implemented");
}

void CambiaNumeroVeicoloClick(StatoLavoro &, SessioneCaptazione &)
{
    throw std::logic_error("not implemented");
}

void EliminaVeicoloClick(StatoLavoro &, SessioneCaptazione &)
{
    throw std::logic_error("not implemented");
}

} // namespace kalvor
