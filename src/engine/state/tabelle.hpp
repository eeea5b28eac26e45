// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The rows of the job's numeric tables, with named fields, and one column
// descriptor table per kind: the header text as the screens show it and the
// number form of each column. Screens, text exports and the workbook read the
// same descriptors, so a column is defined once.
//
// Invariant: a descriptor table lists every field of its row, in the column
// order of the program's tables; `value(row, i)` reads column i.

#include <array>
#include <cstddef>
#include <string_view>

namespace kalvor {

// How a column is written as text (see common/numbers).
enum class FormaNumero {
    Fixed, // shortest four-decimal text: "12", "12,5"
    Hash, // "#.##", 0 as empty text
    HashZero, // "#.##", 0 as "0"
};

template<typename Row> struct ColumnDescriptor
{
    std::string_view header;
    FormaNumero form;
    double Row::*field;
};

// One sighting of a vehicle: TabellaIstanti and TabellaVeicoli.
struct RigaIstanti
{
    double veicolo = 0.0;
    double barX = 0.0; // m, along the road
    double barY = 0.0; // m, across the road
    double corsia = 0.0; // 1 "sup", 2 "inf", 0 otherwise
    double lungh = 0.0; // m
    double tempo = 0.0; // s
    double velocita = 0.0; // km/h
    double spazio = 0.0; // m since the previous sighting
    double fotogr = 0.0;
    double Arco = 0.0; // majority arc of the vehicle
    double sorp = 0.0; // 1 when out of its majority arc
    bool operator==(const RigaIstanti &) const = default;
};

inline constexpr std::array<ColumnDescriptor<RigaIstanti>, 11> colonneIstanti {{
    {"veicolo", FormaNumero::Fixed, &RigaIstanti::veicolo},
    {"bar. X", FormaNumero::Hash, &RigaIstanti::barX},
    {"bar. Y", FormaNumero::Hash, &RigaIstanti::barY},
    {"corsia", FormaNumero::Fixed, &RigaIstanti::corsia},
    {"lungh", FormaNumero::Hash, &RigaIstanti::lungh},
    {"tempo", FormaNumero::Hash, &RigaIstanti::tempo},
    {"velocità", FormaNumero::Hash, &RigaIstanti::velocita},
    {"spazio", FormaNumero::Hash, &RigaIstanti::spazio},
    {"fotogr", FormaNumero::Fixed, &RigaIstanti::fotogr},
    {"Arco", FormaNumero::Fixed, &RigaIstanti::Arco},
    {"sorp", FormaNumero::Fixed, &RigaIstanti::sorp},
}};

// One evaluated vehicle of one arc: TabellaArcoSuperiore, TabellaArcoInferiore.
struct RigaArco
{
    double Veic = 0.0;
    double Arco = 0.0;
    double Ting = 0.0; // s, entry
    double Tusc = 0.0; // s, exit
    double Spaz = 0.0; // m
    double Vel = 0.0; // km/h
    double Lveic = 0.0; // m
    double sorp = 0.0; // sightings in the other arc
    double acc = 0.0; // m/s²
    bool operator==(const RigaArco &) const = default;
};

inline constexpr std::array<ColumnDescriptor<RigaArco>, 9> colonneArco {{
    {"Veic", FormaNumero::Fixed, &RigaArco::Veic},
    {"Arco", FormaNumero::Fixed, &RigaArco::Arco},
    {"Ting", FormaNumero::Hash, &RigaArco::Ting},
    {"Tusc", FormaNumero::Hash, &RigaArco::Tusc},
    {"Spaz", FormaNumero::Hash, &RigaArco::Spaz},
    {"Vel", FormaNumero::Hash, &RigaArco::Vel},
    {"Lveic", FormaNumero::Hash, &RigaArco::Lveic},
    {"sorp", FormaNumero::Fixed, &RigaArco::sorp},
    {"acc", FormaNumero::Hash, &RigaArco::acc},
}};

// One sighting with the vehicle ahead of it and the indicators of the pair.
struct RigaIndicatori
{
    double veic = 0.0;
    double Vel = 0.0;
    double X = 0.0;
    double Y = 0.0;
    double Arco = 0.0;
    double Sorp = 0.0;
    double Lveic = 0.0;
    double dt = 0.0; // s, the instant of the row
    double veicAvanti = 0.0;
    double VelAvanti = 0.0;
    double XAvanti = 0.0;
    double YAvanti = 0.0;
    double ArcoAvanti = 0.0;
    double SorpAvanti = 0.0;
    double LveicAvanti = 0.0;
    double dist = 0.0; // m
    double DRAC = 0.0; // m/s²
    double MADR = 0.0; // m/s²
    double TTC = 0.0; // s
    bool operator==(const RigaIndicatori &) const = default;
};

inline constexpr std::array<ColumnDescriptor<RigaIndicatori>, 19> colonneIndicatori {{
    {"veic", FormaNumero::Fixed, &RigaIndicatori::veic},
    {"Vel", FormaNumero::HashZero, &RigaIndicatori::Vel},
    {"X", FormaNumero::Hash, &RigaIndicatori::X},
    {"Y", FormaNumero::Hash, &RigaIndicatori::Y},
    {"Arco", FormaNumero::Fixed, &RigaIndicatori::Arco},
    {"Sorp", FormaNumero::Fixed, &RigaIndicatori::Sorp},
    {"Lveic", FormaNumero::Hash, &RigaIndicatori::Lveic},
    {"dt", FormaNumero::Hash, &RigaIndicatori::dt},
    {"veic", FormaNumero::Fixed, &RigaIndicatori::veicAvanti},
    {"Vel", FormaNumero::HashZero, &RigaIndicatori::VelAvanti},
    {"X", FormaNumero::Hash, &RigaIndicatori::XAvanti},
    {"Y", FormaNumero::Hash, &RigaIndicatori::YAvanti},
    {"Arco", FormaNumero::Fixed, &RigaIndicatori::ArcoAvanti},
    {"Sorp", FormaNumero::Fixed, &RigaIndicatori::SorpAvanti},
    {"Lveic", FormaNumero::HashZero, &RigaIndicatori::LveicAvanti},
    {"dist", FormaNumero::HashZero, &RigaIndicatori::dist},
    {"DRAC", FormaNumero::HashZero, &RigaIndicatori::DRAC},
    {"MADR", FormaNumero::HashZero, &RigaIndicatori::MADR},
    {"TTC", FormaNumero::HashZero, &RigaIndicatori::TTC},
}};

// A candidate vehicle ahead: its first seven indicator columns and its distance.
struct RigaVicini
{
    double veic = 0.0;
    double Vel = 0.0;
    double X = 0.0;
    double Y = 0.0;
    double Arco = 0.0;
    double Sorp = 0.0;
    double Lveic = 0.0;
    double distanza = 0.0;
    bool operator==(const RigaVicini &) const = default;
};

template<typename Row, std::size_t N>
double value(const Row &row, const std::array<ColumnDescriptor<Row>, N> &columns, std::size_t i)
{
    return row.*(columns[i].field);
}

} // namespace kalvor
