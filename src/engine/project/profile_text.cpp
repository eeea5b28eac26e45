// SPDX-License-Identifier: GPL-3.0-or-later
#include "project/profile_text.hpp"

#include "common/errors.hpp"
#include "common/printable.hpp"

namespace kalvor {

ProfiloRilevamento profileFromText(std::string_view text)
{
    if (const auto p = profileFromName(text))
        return *p;
    throw ConversionError("'" + printable(text) + "' non è un profilo di rilevamento: le parole ammesse sono \""
                          + profileText(ProfiloRilevamento::Predefinito) + "\" e \""
                          + profileText(ProfiloRilevamento::Robusto) + "\".");
}

std::string profileText(ProfiloRilevamento profilo)
{
    return std::string(profileName(profilo));
}

} // namespace kalvor
