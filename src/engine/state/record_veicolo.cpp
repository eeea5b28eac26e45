// SPDX-License-Identifier: GPL-3.0-or-later
#include "state/record_veicolo.hpp"

#include "common/errors.hpp"
#include "common/numbers.hpp"

namespace kalvor {

RecordVeicolo makeRecord(const std::string &numero, const std::string &arco, int inizio, int fine, double lunghezza,
                         double area, int fotogramma, double tempo)
{
    return RecordVeicolo {numero,
                          arco,
                          intText(inizio),
                          intText(fine),
                          fixedText(lunghezza),
                          fixedText(area),
                          intText(fotogramma),
                          fixedText(tempo)};
}

std::vector<int> findRecords(const TextList &list)
{
    std::vector<int> starts;
    const auto &lines = list.lines();
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (lines[i] == kVeicolo)
            starts.push_back(static_cast<int>(i));
    return starts;
}

const std::string &recordField(const TextList &list, int start, int offset)
{
    return list.line(start + offset);
}

RecordVeicolo readRecord(const TextList &list, int start)
{
    return RecordVeicolo {recordField(list, start, OffNumero),     recordField(list, start, OffArco),
                          recordField(list, start, OffInizio),     recordField(list, start, OffFine),
                          recordField(list, start, OffLunghezza),  recordField(list, start, OffArea),
                          recordField(list, start, OffFotogramma), recordField(list, start, OffTempo)};
}

void appendRecord(TextList &list, const RecordVeicolo &r)
{
    // No exact reserve here: it would defeat the vector's geometric growth and
    // make appending n records cost n squared.
    auto &lines = list.lines();
    lines.push_back(kVeicolo);
    lines.push_back(r.numero);
    lines.push_back(r.arco);
    lines.push_back(r.inizio);
    lines.push_back(r.fine);
    lines.push_back(r.lunghezza);
    lines.push_back(r.area);
    lines.push_back(r.fotogramma);
    lines.push_back(r.tempo);
}

void removeRecord(TextList &list, int start)
{
    if (start < 0 || start + kRigheRecord > list.count())
        throw ListIndexError("Indice di lista fuori dai limiti (" + std::to_string(start + kRigheRecord - 1) + ").");
    auto &lines = list.lines();
    lines.erase(lines.begin() + start, lines.begin() + start + kRigheRecord);
}

int centreByteColumn(int inizio, int fine)
{
    return static_cast<int>((static_cast<long long>(inizio) + fine) / 2);
}

} // namespace kalvor
