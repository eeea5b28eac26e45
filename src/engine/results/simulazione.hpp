// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The traffic replay: a schematic top view of the road in which the vehicles
// of one instant of TabellaIstanti are drawn as rectangles with their labels,
// computed as drawing primitives on a 398 by 240 road picture; the instants
// shown by the automatic replay and by the single steps.
//
// Invariant: IstantePrecedente is the instant on screen and IstanteSimulazione
// the next instant of the table after any single step.

#include "common/drawing.hpp"
#include "state/stato_lavoro.hpp"
#include "state/tabelle.hpp"

#include <functional>
#include <optional>
#include <string>

namespace kalvor {

inline constexpr int kLarghezzaStrada = 398;
inline constexpr int kAltezzaStrada = 240;

// The road geometry G.
struct GeometriaStrada
{
    int W = kLarghezzaStrada;
    int H = kAltezzaStrada;
    int mid = kAltezzaStrada / 2; // axis row
    int gap = 5;
    double xL = 0.0; // metric X at the left end of the axis
    double scale = 0.0; // pixels per metre, W / (xR - xL)
    int s = 10; // road half-width in pixels
};

// G from the longest vehicle of the table and the metric X (pixel row 0) at
// the pixel columns of the two axis ends of PuntiRiferimento. With no rows
// the axis is not read: the road is 2 x gap wide. RefusalError when both ends
// have the same X (no scale); ListIndexError when an end lies outside the
// metric grid.
GeometriaStrada geometriaStrada(const StatoLavoro &stato);

// The road layer: white, the blue dashed axis and the two black edges.
Drawing disegnoStrada(const GeometriaStrada &g);

// The vehicle layer emptied: white, which the screen shows as transparent.
Drawing pulisciVeicoli(const GeometriaStrada &g);

// One row: its five labels (not for an arc code other than 1 or 2) and its
// green rectangle with a blue outline.
Drawing disegnoVeicolo(const GeometriaStrada &g, const RigaIstanti &riga);

// The wait between two instants of the automatic replay: the extraction
// interval when above 0.3 s, else 0.3 s. ConversionError on a bad text.
int attesaSimulazioneMs(const std::string &step);

// What a single step shows.
struct PassoSimulazione
{
    Drawing strada; // the road layer redrawn, empty when it stays
    Drawing veicoli; // the vehicle layer, starting with its clearing
    std::string tempoTXT;
    std::optional<int> fotogramma; // the frame to show, none when it stays
};

// "Azzera la simulazione": the instant of IstanteInizialeTXT.
PassoSimulazione AzzeraSimulazioneClick(StatoLavoro &stato);
// "Istante successivo di simulazione".
PassoSimulazione SimulaVeicoliAvantiClick(StatoLavoro &stato);
// "Istante precedente di simulazione".
PassoSimulazione SimulazioneVeicoloIndietroClick(StatoLavoro &stato);

// What the automatic replay asks of the screen.
struct SchermoSimulazione
{
    std::function<bool()> fermaImpostata; // FermaSimulazione checked
    std::function<void()> azzeraFerma;
    std::function<void(const Drawing &)> strada; // replaces the road layer
    std::function<void(const Drawing &, bool pulisci)> veicoli; // adds to the vehicle layer, emptied first if asked
    std::function<void(int)> fotogramma;
    std::function<void(const std::string &)> tempo; // tempoTXT
    // Blocks for the milliseconds given, then lets pending input through.
    std::function<void(int ms)> attendi;
    std::function<void()> elaboraEventi;
};

// "Simula veicoli in automatico": every instant of the table from
// IstanteInizialeTXT on, a wait between instants, until the end of the table
// or FermaSimulazione. The state is read again after every wait, so a step
// pressed meanwhile moves the replay.
void SimulaVeicoliAutomaticoClick(StatoLavoro &stato, const SchermoSimulazione &schermo);

} // namespace kalvor
