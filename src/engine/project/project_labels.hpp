// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The fixed lines of a project file: section headers, labels and block
// markers. Readers compare them exactly, case included, so a change here
// makes older files unreadable.

namespace kalvor::project {

// Section headers.
inline constexpr const char *kDatiGenerali = "---DATI GENERALI---";
inline constexpr const char *kEstrattore = "---ESTRATTORE---";
inline constexpr const char *kVersoLettura = "---VERSO LETTURA---";
inline constexpr const char *kProspettiva = "---PROSPETTIVA---";
inline constexpr const char *kAreaCaptazione = "---AREA CAPTAZIONE---";
inline constexpr const char *kCalibrazione = "---CALIBRAZIONE---";
inline constexpr const char *kCaptazione = "---CAPTAZIONE---";
// Written after the vehicle blocks, and only when a screen's profile is not
// the default, so that files of default jobs stay as they always were.
inline constexpr const char *kProfiloRilevamento = "---PROFILO RILEVAMENTO---";

// Value labels.
inline constexpr const char *kElaborazione = "Elaborazione";
inline constexpr const char *kTecnico = "tecnico";
inline constexpr const char *kData = "data";
inline constexpr const char *kIntervalloEstrazione = "intervallo estrazione sec";
inline constexpr const char *kVerso = "verso";
inline constexpr const char *kUsatoGps = "usato gps";
inline constexpr const char *kSi = "si";
inline constexpr const char *kNo = "no";
inline constexpr const char *kFotogrammaIniziale = "Fotogramma iniziale";
inline constexpr const char *kImmagineIniziale = "Immagine iniziale";
inline constexpr const char *kImmagineFinale = "Immagine finale";
inline constexpr const char *kVeicoloIniziale = "Veicolo iniziale";
inline constexpr const char *kVariazionePosizione = "Variazione posizione";
inline constexpr const char *kLunghezzaMin = "Lunghezza min veic";
inline constexpr const char *kAreaVeicolo = "Area veicolo";
inline constexpr const char *kMargineSuperiore = "Margine superiore";
inline constexpr const char *kMargineInferiore = "Margine inferiore";
inline constexpr const char *kFotogramma = "Fotogramma";
inline constexpr const char *kNumeroVeicoli = "Numero veicoli";
inline constexpr const char *kProfiloCalibrazione = "Calibrazione";
inline constexpr const char *kProfiloCaptazione = "Captazione";

// Origin codes of the reading direction, in the order they are written.
inline constexpr const char *kOrigine00 = "00";
inline constexpr const char *kOrigine0480 = "0480";
inline constexpr const char *kOrigine6400 = "6400";
inline constexpr const char *kOrigine640480 = "640480";

// What the old writer put in a short reference block instead of its lines.
inline constexpr const char *kVuota = "vuota";

// A block: its label line and its end marker line.
struct BlockMarkers
{
    const char *label;
    const char *end;
};

inline constexpr BlockMarkers kListaFotogrammi {"Lista Fotogrammi", "---fine f"};
inline constexpr BlockMarkers kListaTempi {"Lista Tempi", "---fine s"};
inline constexpr BlockMarkers kCoordinataXPixel {"Coordinata X Pixel", "---fine X"};
inline constexpr BlockMarkers kCoordinataYPixel {"Coordinata Y Pixel", "---fine Y"};
inline constexpr BlockMarkers kDistanzeReali {"Distanze Reali", "---fine d"};
inline constexpr BlockMarkers kCoordinataXGps {"Coordinata X GPS", "---fine X GPS"};
inline constexpr BlockMarkers kCoordinataYGps {"Coordinata Y GPS", "---fine Y GPS"};
inline constexpr BlockMarkers kCoordinate {"Coordinate", "---fine c"};
inline constexpr BlockMarkers kVeicoliAttuali {"Veicoli Attuali", "---fine a"};
inline constexpr BlockMarkers kVeicoliPrecedenti {"Veicoli Precedenti", "---fine p"};
inline constexpr BlockMarkers kVeicoliTotali {"Veicoli Totali", "---fine t"};

} // namespace kalvor::project
