// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Which detection and numbering a screen runs. The default keeps the
// program's original rules exactly (stored jobs and their results rely on
// them); the robust one is built for real video: a background that ignores
// passing and standing vehicles, blobs assigned to one half of the band, and
// numbering by the position predicted from each vehicle's speed.

#include <optional>
#include <string_view>

namespace kalvor {

enum class ProfiloRilevamento { Predefinito, Robusto };

// The word the project file, the command line and the screens use.
constexpr std::string_view profileName(ProfiloRilevamento p)
{
    return p == ProfiloRilevamento::Robusto ? "robusto" : "predefinito";
}

constexpr std::optional<ProfiloRilevamento> profileFromName(std::string_view nome)
{
    if (nome == "predefinito")
        return ProfiloRilevamento::Predefinito;
    if (nome == "robusto")
        return ProfiloRilevamento::Robusto;
    return std::nullopt;
}

} // namespace kalvor
