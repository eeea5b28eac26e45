// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The indicator table as text: title line, header of the 19 column names and
// one tab-separated line per row, each column in its own number form; the
// whole table or the rows of one vehicle, and the text saved to a file.

#include "common/numbers.hpp"
#include "state/tabelle.hpp"

#include <string>

namespace kalvor {

struct StatoLavoro;
class TextList;

inline constexpr const char *titoloIndicatori = "Tabella INDICATORI DI SICUREZZA";
inline constexpr const char *titoloIndicatoriVeicolo = "Tabella INDICATORI DI SICUREZZA veicolo : ";

// A value in a column's number form.
std::string testoNumero(double valore, FormaNumero forma, const NumberFormat &format = currentNumberFormat());

// The 19 column names separated by tabs.
std::string intestazioneIndicatori();

// The 19 columns of a row separated by tabs.
std::string testoRigaIndicatori(const RigaIndicatori &riga, const NumberFormat &format = currentNumberFormat());

// "Mostra la tabella completa": every row into the text area `Tabella`.
void MostraTabellaCompleta(StatoLavoro &stato, const NumberFormat &format = currentNumberFormat());

// "Mostra la tabella individuale": the rows of the vehicle whose integer
// value `VeicoloTXT` holds, under a title that repeats the text as typed.
// ConversionError when it is not an integer; `Tabella` is then unchanged.
void MostraTabellaVeicolo(StatoLavoro &stato, const NumberFormat &format = currentNumberFormat());

// "Salva": the lines of `Tabella` as Windows-1252 text, each ended by CR LF,
// without byte-order mark; written whole or not at all.
void SalvaTabellaIndicatori(const TextList &tabella, const std::string &percorso);

} // namespace kalvor
