// SPDX-License-Identifier: GPL-3.0-or-later
#include "capture/sessione_captazione.hpp"

#include "capture/lettura_anticipata.hpp"

#include <stdexcept>

namespace kalvor {

SessioneCaptazione::SessioneCaptazione() = default;
SessioneCaptazione::~SessioneCaptazione() = default;

void CalcolaMediaCaptazione(StatoLavoro &, SessioneCaptazione &, const ProgressoMedia &)
{
    throw std::logic_error("not implemented");
}

void mostraFotogrammaCaptazione(SessioneCaptazione &, RgbImage)
{
    throw std::logic_error("not implemented");
}

void impostaBarraCaptazione(SessioneCaptazione &, int)
{
    throw std::logic_error("not implemented");
}

std::string fileFotogrammaCaptazione(const StatoLavoro &, int)
{
    throw std::logic_error("not implemented");
}

} // namespace kalvor
