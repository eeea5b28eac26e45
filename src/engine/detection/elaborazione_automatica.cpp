// SPDX-License-Identifier: GPL-3.0-or-later
#include "detection/elaborazione_automatica.hpp"

#include "common/errors.hpp"
#include "common/frame_interval.hpp"
#include "common/numbers.hpp"
#include "detection/abbina_veicoli.hpp"
#include "detection/geometria_area.hpp"
#include "detection/passo_fotogramma.hpp"
#include "detection/sovrapposizioni.hpp"
#include "extraction/frame_file.hpp"
#include "extraction/ordered_frame_reader.hpp"
#include "extraction/png_io.hpp"

#include <optional>
#include <string>

namespace kalvor {

double frameTime(const std::vector<RigaTempi> &tabella, int n, double precedente)
{
    for (const auto &riga : tabella)
        if (riga[0] == n)
            return riga[1];
    return precedente;
}

namespace {

struct SegnaInCorso
{
    explicit SegnaInCorso(bool &b)
        : flag(b)
    {
        flag = true;
    }
    ~SegnaInCorso() { flag = false; }
    SegnaInCorso(const SegnaInCorso &) = delete;
    SegnaInCorso &operator=(const SegnaInCorso &) = delete;
    bool &flag;
};

} // namespace

void ElaborazioneImmagini(StatoLavoro &stato, RunControl &controllo, DetectionWorkspace &spazio,
                          const RunObserver &osservatore)
{
    if (controllo.inCorso)
        throw RefusalError("Un'elaborazione è già in corso.");
    StatoRilevamento &det = stato.C;
    StatoCalibrazione &schermo = stato.Calibrazione;
    if (det.MediaSfondo.empty())
        throw RefusalError("Calcolare prima lo sfondo con \"CalcolaMedia\".");
    if (stato.GrigliaMetrica.empty())
        throw RefusalError("La griglia metrica non è stata calcolata: tornare alla schermata \"Distanze di "
                           "riferimento\" e premere \"Trasformazione\".");
    SegnaInCorso inCorso(controllo.inCorso);

    // 1-2
    controllo.ferma = false;
    const int a = toInt(schermo.ImmagineIniziale);
    const int b = toInt(schermo.ImmagineFinale);
    if (b < a)
        throw RefusalError("Il fotogramma finale " + std::to_string(b) + " precede il fotogramma iniziale "
                           + std::to_string(a) + ".");
    det.PrimoFotogramma = a;
    det.UltimoFotogramma = b;
    readDetectionParameters(schermo, det);
    readAreaGeometry(stato.AreaCaptazione.PuntiRiferimento, det);
    // 4-5
    schermo.veicoliAtt.clear();
    schermo.veicoliPrec.clear();
    schermo.VeicoliTOT.clear();
    det.NumeroVeicolo = toInt(schermo.VeicoloIniziale);
    det.FotogrammaAttuale = a;
    stato.CP.NumeroVeicoliVirtuali = 0;
    // 7
    const RgbImage primo = readPng(frameFileNameAsTyped(stato.Estrattore.Cartella, schermo.ImmagineIniziale));
    if (osservatore.inizio)
        osservatore.inizio(primo);

    double tempo = 0.0;
    RobustTracker inseguimento;
    // The next frame is decoded on another core while this one is examined and shown.
    const std::string cartella = stato.Estrattore.Cartella;
    std::optional<OrderedFrameReader> fotogrammi;
    const FrameInterval intervallo {a, b};
    if (intervallo.count() > 1)
        fotogrammi.emplace([cartella](int n) { return readPng(frameFileName(cartella, n)); },
                           FrameInterval {intervallo.at(1), b}, 1, 2);
    for (std::int64_t i = 1; i < intervallo.count(); ++i) {
        const int n = intervallo.at(i);
        const RgbImage frame = fotogrammi->next();
        tempo = frameTime(stato.TabellaTempiFotogrammi, n, tempo);
        // Margins are read at every frame.
        const int superiore = toInt(schermo.MargineSuperiore);
        const int inferiore = toInt(schermo.MargineInferiore);
        const bool trovati = detectAndNumberFrame(
            det, stato.GrigliaMetrica, frame, superiore, inferiore, n, tempo, schermo.veicoliAtt, schermo.veicoliPrec,
            spazio, inseguimento, controllo.mostraMaschera ? MaskWanted::Whole : MaskWanted::RecordsOnly,
            &schermo.VeicoliTOT);
        if (trovati && osservatore.veicoliTrovati)
            osservatore.veicoliTrovati();
        ProcessedFrame fe;
        fe.numero = n;
        fe.tempo = tempo;
        fe.immagine = &frame;
        fe.maschera = controllo.mostraMaschera ? &spazio : nullptr;
        fe.veicoliTrovati = trovati;
        fe.sovrapposizioni = vehicleOverlays(schermo.veicoliAtt, det, controllo.mirino);
        if (controllo.mostraAsse) {
            const Drawing asse = axisOverlay(det);
            fe.sovrapposizioni.insert(fe.sovrapposizioni.end(), asse.begin(), asse.end());
        }
        updateVehicleLists(schermo.veicoliAtt, schermo.veicoliPrec, schermo.VeicoliTOT);
        fe.ultimoNumero = det.NumeroVeicolo - 1;
        if (osservatore.fotogramma)
            osservatore.fotogramma(fe);
        if (controllo.ferma)
            break;
    }
}

} // namespace kalvor
