// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The frame advance of the capture screen ("Avanza Fotogramma", F4), its
// tracking and duplicate-number rules, and the step back ("Fotogramma
// Precedente", F3).

#include "capture/sessione_captazione.hpp"
#include "common/text_list.hpp"
#include "state/griglia_metrica.hpp"
#include "state/stato_lavoro.hpp"

namespace kalvor {

// One frame forward: list shift, parameters, next frame (or "Fotogrammi
// finiti"), frame image, frame time, detection, tracking, duplicate numbers,
// drawing, virtual vehicles, gauge and caption.
//
// Refused (RefusalError, nothing changed) before "Calc. Media" on this screen
// and for a frame of another size than the background. Every text and file
// the step reads is read before anything changes, in the order the step reads
// them (the three parameter fields, ImmagineFinale, the frame file, the two
// margins), so that a failed step changes nothing and a retry does not append
// the previous frame's records twice.
//
// After "Fotogrammi finiti" has been shown once (also before the job was
// saved and read again), further clicks append nothing more to VeicoliTOT:
// the last frame's records there are replaced by veicoliAtt as it stands.
EsitoPasso AvanzaFotogrammaClick(StatoLavoro &stato, SessioneCaptazione &sessione);

// One frame back, with the lists restored from VeicoliTOT and the counter
// recomputed from VeicoloIniziale and VeicoliTOT; records of the frame left
// that a "Fotogrammi finiti" click appended are taken back first. The frame
// image is read first, the counter computed before anything changes: a
// failed step changes nothing.
EsitoPasso FotogrammaPrecedenteClick(StatoLavoro &stato, SessioneCaptazione &sessione);

// Tracking: every record of veicoliAtt takes the number of the first record
// of veicoliPrec it may continue (same arc, length within 2 m, position in its
// arc's direction window, number not yet used in veicoliAtt) or the next new
// number from numeroVeicolo.
void InseguiVeicoli(TextList &veicoliAtt, const TextList &veicoliPrec, int &numeroVeicolo, double variazionePos,
                    const MetricGrid &griglia);

// Every later record repeating an earlier record's number gets
// numeroVeicolo + 1; the counter is not changed.
void NumeriDuplicati(TextList &veicoliAtt, int numeroVeicolo);

// The counter after a step back (primo = VeicoloIniziale) or a manual
// renumbering or deletion (primo = 0): M = max(primo, numbers of VeicoliTOT);
// M + 1, or 0 when M is 0.
int contatoreDaVeicoliTOT(const TextList &VeicoliTOT, int primo);

} // namespace kalvor
