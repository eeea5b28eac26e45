// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Manual corrections of the frame shown: "Aggiungi Veicolo" (a click on a
// free point of the frame) and "Modifica Veicolo" (a click on a virtual
// vehicle). The dialogs' field texts live in StatoLavoro.AggiungiVeicolo and
// StatoLavoro.ModificaVeicolo and are stored in the records as typed.

#include "capture/sessione_captazione.hpp"
#include "state/stato_lavoro.hpp"

#include <string>

namespace kalvor {

// A point of the frame shown, in pixels (x right, y down).
struct PuntoFotogramma
{
    int X = 0;
    int Y = 0;
};

// The arc of a clicked point: "sup" above the axis row of its column, "inf"
// on or below it. ArithmeticError for an axis whose ends share a column.
std::string arcoDelClic(const StatoRilevamento &det, PuntoFotogramma p);

// Opening "Aggiungi Veicolo": Xtxt and Ytxt show the point; the fields keep
// their texts. False, and nothing done, before "Calc. Media" on this screen:
// the click does nothing then and the dialog is not opened.
bool RiconoscimentoVeicoloManualeClick(StatoLavoro &stato, const SessioneCaptazione &sessione, PuntoFotogramma p);

// "Aggiungi Nuovo Veicolo": a record centred on the point, Int(L x 3 / p)
// byte columns long with p the metres of one pixel along the road there;
// NumeroVeicoloCP grows by 1; drawn again in green. ConversionError for a
// length that is not a number, RefusalError for a point outside the metric
// grid, ArithmeticError where a pixel measures nothing; nothing appended then.
void AggiungiNuovoVeicoloClick(StatoLavoro &stato, SessioneCaptazione &sessione, PuntoFotogramma p);

// "Aggiungi Veicolo Esistente": the last record of veicoliPrec with the typed
// number gives the length and area fields and the width; a record of that
// width centred on the point; drawn again in green.
void AggiungiVeicoloEsistenteClick(StatoLavoro &stato, SessioneCaptazione &sessione, PuntoFotogramma p);

// Opening "Modifica Veicolo" on a virtual vehicle: NumeroVeicoloAttuale shows
// its number, NumeroVeicolo is emptied.
void apriModificaVeicolo(StatoLavoro &stato, const VeicoloVirtuale &v);

// "Cambia Numero Veicolo": the first record of veicoliAtt numbered
// NumeroVeicoloAttuale gets NumeroVeicolo, as does the first virtual vehicle;
// the counter from VeicoliTOT (from 0); the frame reloaded and drawn again.
// ConversionError, nothing changed, when either text is not an integer.
void CambiaNumeroVeicoloClick(StatoLavoro &stato, SessioneCaptazione &sessione);

// "Elimina Veicolo": the first record numbered NumeroVeicoloAttuale removed,
// its virtual vehicle hidden, the counter as above, the frame reloaded and
// drawn again.
void EliminaVeicoloClick(StatoLavoro &stato, SessioneCaptazione &sessione);

} // namespace kalvor
