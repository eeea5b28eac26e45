// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the reference-point screen Prospettiva and its GPS dialog PuntiGPS do
// to the job state; the screens load frames, paint and show dialogs.
//
// Invariant kept by these operations: line i of coordinataXPixelP and
// coordinataYPixelP is the same point (and, in GPS mode, line i of the two
// GPS lists too). The user may still edit the visible lists by hand; the
// transformation checks them.

#include "common/drawing.hpp"
#include "common/rgb_image.hpp"
#include "state/stato_lavoro.hpp"

#include <string>

namespace kalvor {

// The start of both resets: FotogrammaProspettiva from FotogrammaIniziale
// (ConversionError, and nothing changes, when it is not an integer). Returns
// the frame file to load.
std::string startReferenceReset(StatoLavoro &stato);

// The rest of AzzeraDati on the state, once its frame is loaded: all ten lists
// emptied, the four direction marks unticked (usoGPS kept). The screen then
// clears the overlay, shows SceltaVersoLetture and turns the indicator red.
void finishAzzeraDati(StatoLavoro &stato);

// The rest of AzzeraSenzaRichieste: the P and D lists emptied; the GPS lists
// and the direction stay.
void finishAzzeraSenzaRichieste(StatoLavoro &stato);

// The whole of AzzeraSenzaRichieste on the state; returns the frame read
// (FileError, and the lists stay, when it cannot be read).
RgbImage resetReferenceWithoutQuestions(StatoLavoro &stato);

// A click at frame pixel (x, y) outside GPS mode: appends the point and
// returns its marker.
Drawing recordReferencePoint(StatoLavoro &stato, int x, int y);

// A click in GPS mode: the pixel goes to the GPS dialog's hidden fields.
void prepareGpsPoint(StatoLavoro &stato, int x, int y);

// Where the GPS dialog opens: top 20 pixels below the pointer, centred on it
// (screen coordinates).
struct ScreenPoint
{
    int x = 0;
    int y = 0;
    bool operator==(const ScreenPoint &) const = default;
};
ScreenPoint gpsDialogTopLeft(ScreenPoint pointer, int dialogWidth);

// ConfermaClick of PuntiGPS: the pixel of X_TXT and Y_TXT (ConversionError,
// and nothing recorded, when either is not an integer) and the two GPS texts
// as typed, empty ones included, each appended to its list. Returns the marker.
Drawing confirmGpsPoint(StatoLavoro &stato, const std::string &posizioneX, const std::string &posizioneY);

// DisegnaPunti: a cleared overlay and one marker per line of the pixel lists,
// appended to `out` as they are made, so that a line that is not an integer
// (ConversionError) leaves the markers drawn before it.
void drawReferencePoints(const StatoProspettiva &prospettiva, Drawing &out);

// Frame stepping by +1 or -1, unbounded; returns the frame file to load.
std::string stepReferenceFrame(StatoLavoro &stato, int delta);

} // namespace kalvor
