// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Safety indicators of every sighting against the nearest vehicle ahead of it
// at the same instant, in the lane the vehicle physically occupies: DRAC,
// MADR (a constant) and TTC.
//
// Invariant: TabellaIndicatori has one row per row of TabellaIstanti, in the
// same order; columns 8 to 16 are 0 when no vehicle ahead was found.

#include "safety/orologio_calcolo.hpp"
#include "state/tabelle.hpp"

#include <vector>

namespace kalvor {

struct StatoLavoro;

inline constexpr double valoreMADR = 3.3; // m/s²
// The distance given to a candidate that lies behind in the travel direction.
inline constexpr double distanzaDietro = 1000000.0;

// Columns 0 to 7 from the sighting, 8 to 16 at 0, MADR 3.3.
RigaIndicatori rigaIniziale(const RigaIstanti &istante);

// Whether `altra` drives in the lane that `riga` occupies, by arcs and
// overtaking flags alone (neither the instant nor the row index is looked at).
bool inCorsiaDi(const RigaIndicatori &riga, const RigaIndicatori &altra);

// The candidate `altra` seen from `riga`: its first seven columns and its
// distance, made distanzaDietro when it lies behind in the travel direction.
RigaVicini vicino(const RigaIndicatori &riga, const RigaIndicatori &altra);

// The candidate with the smallest distance below distanzaDietro, the first
// among equals, or -1. A candidate at distance 0 (the same point at the same
// instant) is never the vehicle ahead.
int indiceVeicoloAvanti(const std::vector<RigaVicini> &candidati);

// Columns 8 to 15 from the vehicle ahead, and DRAC.
void impostaVeicoloAvanti(RigaIndicatori &riga, const RigaVicini &avanti);

// Time to collision from columns 1, 9 and 15: 0 unless the vehicle is faster.
double tempoCollisione(const RigaIndicatori &riga);

// The plain walk: for every row the rows from the first one up to the first
// later instant. Rebuilds `indicatori`; `vicini` ends with the candidates of
// the last row.
void calcolaIndicatoriRiferimento(const std::vector<RigaIstanti> &istanti, std::vector<RigaIndicatori> &indicatori,
                                  std::vector<RigaVicini> &vicini);

// The same result, with the rows indexed by instant.
void calcolaIndicatoriIndicizzato(const std::vector<RigaIstanti> &istanti, std::vector<RigaIndicatori> &indicatori,
                                  std::vector<RigaVicini> &vicini);

// The "Calcola" button: the timing lines in the text area `Tabella` around
// the rebuilding of TabellaIndicatori from TabellaIstanti.
void CalcolaIndicatori(StatoLavoro &stato, const OrologioCalcolo &orologio);

} // namespace kalvor
