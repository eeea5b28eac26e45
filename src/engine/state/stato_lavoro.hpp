// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The whole working state of the one job the program handles: one member per
// screen holding the items that screen owns (with their initial values), the
// program-wide tables and counters, and the two detection states.
//
// Invariants: numbers are kept as the texts the user sees (see
// common/numbers); a table's writer sizes it and discards what it held;
// nothing here is validated on writing. The GUI owns the one instance; the
// engine's operations take it, or the part they need, by reference.

#include "common/numbers.hpp"
#include "common/text_list.hpp"
#include "state/griglia_metrica.hpp"
#include "state/matrice_interi.hpp"
#include "state/profilo_rilevamento.hpp"
#include "state/tabelle.hpp"

#include <array>
#include <string>
#include <vector>

namespace kalvor {

struct StatoRiferimenti
{
    std::string luogo;
    std::string elaboratore;
    std::string dataelaborazione;
};

struct StatoEstrattore
{
    std::string Cartella; // frames folder ending with '/', or "" for the working folder
    TextList ListaFotogrammi;
    TextList ListaTempi;
    std::string ImmagineIniziale = "0";
    std::string step; // "0,2" in the locale's separator
};

struct StatoSceltaVersoLetture
{
    bool Origine00 = false;
    bool Origine640480 = false;
    bool Origine0480 = false;
    bool Origine6400 = false;
    bool usoGPS = false;
};

struct StatoProspettiva
{
    std::string FotogrammaIniziale = "0";
    TextList coordinataXPixelP;
    TextList coordinataYPixelP;
    TextList DistanzeRealiP;
    TextList coordinataX_GPSp;
    TextList coordinataY_GPSp;
    TextList coordinataXPixelD;
    TextList coordinataYPixelD;
    TextList DistanzeRealiD;
    TextList coordinataX_GPSd;
    TextList coordinataY_GPSd;
};

struct StatoAreaCaptazione
{
    std::string FotogrammaIniziale = "0";
    TextList PuntiRiferimento; // row then column of each point
};

// The eight parameter fields shared by the calibration and capture screens.
struct CampiRilevamento
{
    std::string ImmagineIniziale = "0";
    std::string ImmagineFinale = "200";
    std::string VeicoloIniziale = "0";
    std::string VariazionePosTXT = "50";
    std::string LunghezzaMinTXT = "2";
    std::string AreaVeicoloTXT = "4";
    std::string MargineSuperiore = "12";
    std::string MargineInferiore = "-12";
    ProfiloRilevamento Profilo = ProfiloRilevamento::Predefinito;
};

struct StatoCalibrazione : CampiRilevamento
{
    TextList veicoliAtt;
    TextList veicoliPrec;
    TextList VeicoliTOT;
};

struct StatoCaptazione : CampiRilevamento
{
    StatoCaptazione()
    {
        MargineSuperiore = "15";
        MargineInferiore = "-15";
    }
    std::string fotogrammaTXT = "00000";
    std::string NumeroVeicoliTXT = "00000";
    TextList veicoliAtt;
    TextList veicoliPrec;
    TextList VeicoliTOT;
};

struct StatoRisultati
{
    TextList ContenitoreDatiTemporali;
    TextList ContenitoreDatiVeicolari;
    TextList ValutazioniTXT;
    std::string IndicePosTXT;
    std::string IstanteInizialeTXT = "0";
    std::string NumeroPrimoVeicoloTXT = "0";
    std::string IntervalloFlussiTXT = "60"; // s, the flow statistics' interval
};

struct StatoIndicatoriSicurezza
{
    TextList Tabella; // the lines the text area shows
    std::string VeicoloTXT = "0";
};

struct StatoPuntiGPS
{
    std::string X_TXT;
    std::string Y_TXT;
};

struct StatoAggiungiVeicolo
{
    std::string Xtxt = "00000";
    std::string Ytxt = "00000";
    // The three fields, kept from one opening to the next.
    std::string NumeroVeicolo;
    std::string LunghezzaVeicolo;
    std::string AreaVeicolo;
};

struct StatoModificaVeicolo
{
    std::string NumeroVeicoloAttuale = "nnnnn";
    std::string NumeroVeicolo;
};

// The working values of one detection run: calibration (names ending in C)
// or capture (CP). Set when the background is computed unless said otherwise.
struct StatoRilevamento
{
    int AltezzaImmagine = 0; // pixel rows of a frame
    int LarghezzaRiga = 0; // bytes per row: pixel columns times 3
    int NumeroFotogrammiMedia = 0; // frames averaged into the background
    int RigaArea1 = 0;
    int ColonnaArea1 = 0; // byte column
    int RigaArea2 = 0;
    int ColonnaArea2 = 0; // byte column
    int DislivelloArea = 0;
    int SogliaConteggio = 0;
    double AreaVeicolo = 0.0;
    double VariazionePos = 0.0;
    double LunghezzaMin = 0.0;
    ProfiloRilevamento Profilo = ProfiloRilevamento::Predefinito;
    MatriceInteri MediaSfondo;
    MatriceInteri MatriceDifferenza;
    // Grows whenever MediaSfondo changes, so that caches built from it know.
    unsigned long long GenerazioneSfondo = 0;
    int NumeroVeicolo = 0;
    int FotogrammaAttuale = 0;
    // Calibration only.
    int PrimoFotogramma = 0;
    int UltimoFotogramma = 0;
    // Capture only.
    double IstanteFotogramma = 0.0;
    int NumeroVeicoliVirtuali = 0;
};

using RigaTempi = std::array<double, 2>; // frame number, time in seconds
using RigaRiferimenti = std::array<double, 14>; // transformation working row

struct StatoLavoro
{
    explicit StatoLavoro(const NumberFormat &format = currentNumberFormat());

    // Screen-held items, by screen instance.
    StatoRiferimenti Riferimenti;
    StatoEstrattore Estrattore;
    StatoSceltaVersoLetture SceltaVersoLetture;
    StatoProspettiva Prospettiva;
    StatoPuntiGPS PuntiGPS;
    StatoAreaCaptazione AreaCaptazione;
    StatoCalibrazione Calibrazione;
    StatoCaptazione Captazione;
    StatoAggiungiVeicolo AggiungiVeicolo;
    StatoModificaVeicolo ModificaVeicolo;
    StatoRisultati Risultati;
    StatoIndicatoriSicurezza IndicatoriSicurezza;

    // Frame extractor.
    std::vector<RigaTempi> TabellaTempiFotogrammi;
    int NumeroFotogrammiEstratti = 0;
    int NumeroFotogrammaEstratto = 0;

    // Reference distances.
    MetricGrid GrigliaMetrica;
    std::vector<RigaRiferimenti> TabellaRiferimenti;
    int FotogrammaProspettiva = 0;

    // Results.
    std::vector<RigaIstanti> TabellaIstanti;
    std::vector<RigaIstanti> TabellaVeicoli;
    int NumeroRigheRisultati = 0;
    double IstanteSimulazione = 0.0;
    double IstantePrecedente = 0.0;
    std::vector<RigaArco> TabellaArcoSuperiore;
    std::vector<RigaArco> TabellaArcoInferiore;

    // Safety indicators.
    std::vector<RigaIndicatori> TabellaIndicatori;
    std::vector<RigaVicini> TabellaVeicoliVicini;

    // Detection: calibration and capture.
    StatoRilevamento C;
    StatoRilevamento CP;
};

} // namespace kalvor
