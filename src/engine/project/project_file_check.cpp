// SPDX-License-Identifier: GPL-3.0-or-later
#include "project/project_file_check.hpp"

#include "common/errors.hpp"
#include "project/project_labels.hpp"

#include <algorithm>
#include <array>

namespace kalvor {

namespace {

using namespace project;

constexpr std::array<const char *, 6> kSectionHeaders
    = {kEstrattore, kVersoLettura, kProspettiva, kAreaCaptazione, kCalibrazione, kCaptazione};

// The reader looks for section headers from this line on.
constexpr std::size_t kFirstHeaderLine = 5;

// Tab is the only control character a typed value may hold; line ends are
// already gone.
bool hasControlCharacter(const std::string &line)
{
    return std::any_of(line.begin(), line.end(), [](char ch) {
        const auto c = static_cast<unsigned char>(ch);
        return (c < 0x20 && c != '\t') || c == 0x7f;
    });
}

bool hasSectionHeader(const std::vector<std::string> &lines)
{
    if (lines.front() == kDatiGenerali)
        return true;
    for (std::size_t i = kFirstHeaderLine; i < lines.size(); ++i)
        if (std::find_if(kSectionHeaders.begin(), kSectionHeaders.end(), [&](const char *h) { return lines[i] == h; })
            != kSectionHeaders.end())
            return true;
    return false;
}

[[noreturn]] void refuse(const std::string &displayName, const std::string &why)
{
    throw RefusalError("«" + displayName + "» non è un file dati KALVOR: " + why
                       + " Scegliere un file salvato con \"Salva i dati finora ottenuti\".");
}

} // namespace

void checkProjectText(const TextList &testo, const std::string &displayName)
{
    const auto &lines = testo.lines();
    if (lines.empty() || std::all_of(lines.begin(), lines.end(), [](const std::string &l) { return l.empty(); }))
        refuse(displayName, "il file è vuoto.");
    if (std::any_of(lines.begin(), lines.end(), hasControlCharacter))
        refuse(displayName, "contiene byte che un file dati non contiene (è forse un'immagine o un video?).");
    if (!hasSectionHeader(lines))
        refuse(displayName,
               std::string("non contiene l'intestazione \"") + kDatiGenerali
                   + "\" né un'altra intestazione di sezione.");
}

} // namespace kalvor
