// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The vehicle record: nine consecutive lines of a vehicle list.
//   +0 "veicolo"   +1 number ("numero" until numbered)   +2 arc "sup"/"inf"
//   +3 start byte column   +4 end byte column (first after the vehicle)
//   +5 length m (fixed point)   +6 plan area m2 (fixed point)
//   +7 frame number   +8 frame time s (fixed point)
// A list is a sequence of records; readers find a record by its line
// "veicolo" and read the others at fixed offsets from it.

#include "common/text_list.hpp"

#include <string>
#include <vector>

namespace kalvor {

inline constexpr int kRigheRecord = 9;
inline constexpr const char *kVeicolo = "veicolo";
inline constexpr const char *kNumeroProvvisorio = "numero";
inline constexpr const char *kArcoSuperiore = "sup";
inline constexpr const char *kArcoInferiore = "inf";

enum OffsetRecord : int {
    OffVeicolo = 0,
    OffNumero = 1,
    OffArco = 2,
    OffInizio = 3,
    OffFine = 4,
    OffLunghezza = 5,
    OffArea = 6,
    OffFotogramma = 7,
    OffTempo = 8,
};

// Lines 2 to 9 of a record as texts (records added by hand carry the typed
// texts unchanged).
struct RecordVeicolo
{
    std::string numero = kNumeroProvvisorio;
    std::string arco;
    std::string inizio;
    std::string fine;
    std::string lunghezza;
    std::string area;
    std::string fotogramma;
    std::string tempo;
    bool operator==(const RecordVeicolo &) const = default;
};

// A detected record with its numbers written as the program writes them.
RecordVeicolo makeRecord(const std::string &numero, const std::string &arco, int inizio, int fine, double lunghezza,
                         double area, int fotogramma, double tempo);

// Indices of the lines equal to "veicolo", in order.
std::vector<int> findRecords(const TextList &list);

// The line at `offset` from the record starting at `start`; ListIndexError
// when it lies beyond the list.
const std::string &recordField(const TextList &list, int start, int offset);

// The record starting at `start` (line "veicolo").
RecordVeicolo readRecord(const TextList &list, int start);

void appendRecord(TextList &list, const RecordVeicolo &record);

// Removes the nine lines from `start`; ListIndexError when fewer remain.
void removeRecord(TextList &list, int start);

// The centre byte column of a record: (start + end) div 2, truncating.
int centreByteColumn(int inizio, int fine);

} // namespace kalvor
