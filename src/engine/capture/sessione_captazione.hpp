// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The capture screen's working value beside the job state. The three vehicle
// lists, the captions and the parameter fields live in StatoLavoro.Captazione,
// the counters in StatoLavoro.CP; the session holds what the screen shows
// (the frame, the drawings made on it since it was loaded, the virtual
// vehicles, the progress gauge), the two check boxes the drawing reads, and
// the detection workspace.
//
// Invariants: `fotogramma` is the picture of `ImmagineColori` without its
// drawings, and also `originale`, which the detection reads; `disegno` holds
// every drawing made on it since it was loaded, in order (loading a frame
// clears it). The screen paints `fotogramma`, then `disegno`, and puts one
// clickable area per visible virtual vehicle.

#include "common/drawing.hpp"
#include "common/rgb_image.hpp"
#include "detection/inseguimento_robusto.hpp"
#include "detection/sfondo.hpp"
#include "detection/spazio_rilevamento.hpp"
#include "state/stato_lavoro.hpp"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace kalvor {

class LetturaAnticipata;

// An invisible clickable area over one record's outline, in frame pixels;
// its hint is the vehicle number.
struct VeicoloVirtuale
{
    std::string numero; // hint: line +1 of the record
    int x = 0; // left
    int y = 0; // top
    int larghezza = 0;
    int altezza = 0;
    bool visibile = true; // a deletion hides it until the next refresh
    bool operator==(const VeicoloVirtuale &) const = default;
};

// Reads frame n from its file; the default reads the file itself.
using SorgenteFotogrammi = std::function<RgbImage(int n, const std::string &file)>;

struct SessioneCaptazione
{
    SessioneCaptazione();
    ~SessioneCaptazione();
    SessioneCaptazione(const SessioneCaptazione &) = delete;
    SessioneCaptazione &operator=(const SessioneCaptazione &) = delete;

    // What ImmagineColori shows.
    RgbImage fotogramma;
    Drawing disegno;
    std::vector<VeicoloVirtuale> veicoliVirtuali; // ImmaginiVeicoliVirtuali

    // Check boxes, written by the screen as the user ticks them.
    bool Mirino = false;
    bool MostraAsse = false;

    // barraElaborazione.
    int barraMassimo = 0;
    int barraPosizione = 0;

    // True once "Calc. Media" has computed the background on this screen:
    // the frame advance and the step back are refused before.
    bool avviata = false;

    // Detection workspace, kept from frame to frame.
    DetectionWorkspace spazio;
    // The plain detection instead of the packed one (same records; for
    // benchmarks and cross-checks).
    bool rilevamentoRiferimento = false;
    // The robust profile's numbering memory; rebuilt from the lists whenever
    // they are not the ones it last numbered.
    RobustTracker inseguimento;

    // Where frames come from (tests, the batch run); empty: the frame files,
    // with the next one read ahead in the background when `anticipa` is set.
    SorgenteFotogrammi sorgente;
    bool anticipa = true;

    std::unique_ptr<LetturaAnticipata> anticipo;
};

// What the screen does after an operation besides showing the session and the
// state again.
struct EsitoPasso
{
    bool fotogrammiFiniti = false; // show the information message kFotogrammiFiniti
    bool suono = false; // play the found sound; nothing after it depends on it
};

inline constexpr const char *kFotogrammiFiniti = "Fotogrammi finiti";

// "Calc. Media" of the capture screen: the capture background from the
// screen's fields, then the start of the capture (lists veicoliAtt and
// veicoliPrec cleared, counters and captions from VeicoloIniziale and
// ImmagineIniziale, the gauge, the first frame of the interval shown with no
// drawing, no virtual vehicle). Throws as computeBackground; a failure
// leaves the session not started.
void CalcolaMediaCaptazione(StatoLavoro &stato, SessioneCaptazione &sessione, const BackgroundProgress &progresso = {});

// The project reader's steps on the capture screen: the saved frame shown
// (drawings cleared) and the gauge set.
void mostraFotogrammaCaptazione(SessioneCaptazione &sessione, RgbImage frame);
void impostaBarraCaptazione(SessioneCaptazione &sessione, int posizione);

// The file of frame n as the capture reads it (the extractor's folder).
std::string fileFotogrammaCaptazione(const StatoLavoro &stato, int n);

// Frame n from `file` through the session's source or read-ahead; FileError
// as readPng.
RgbImage leggiFotogrammaCaptazione(SessioneCaptazione &sessione, int n, const std::string &file);
// Starts reading `file` ahead when the session reads files itself.
void anticipaFotogrammaCaptazione(SessioneCaptazione &sessione, const std::string &file);

} // namespace kalvor
