// SPDX-License-Identifier: GPL-3.0-or-later
// `kalvor-cli check LAVORO.kvr`: what the job holds and every inconsistency,
// without running anything.
#include "cli/commands.hpp"
#include "cli/options.hpp"
#include "common/errors.hpp"
#include "common/files.hpp"
#include "common/numbers.hpp"
#include "detection/geometria_area.hpp"
#include "extraction/frame_file.hpp"
#include "extraction/png_io.hpp"
#include "geometry/verso_letture.hpp"
#include "overlay/setup_overlay.hpp"
#include "project/job_check.hpp"
#include "project/job_summary.hpp"
#include "project/profile_text.hpp"

#include <cstdio>
#include <filesystem>
#include <string>

namespace kalvor::cli {

namespace {

const CommandHelp kHelp {"check",
                         "LAVORO.kvr [--overlay CARTELLA]",
                         "Scrive che cosa contiene il lavoro (fotogrammi, estensione della griglia metrica, asse e\n"
                         "fascia in pixel e in metri, intervalli, parametri e profilo di rilevamento) e ogni\n"
                         "incoerenza che una schermata rifiuterebbe, senza elaborare nulla. Esce con 0 se il lavoro\n"
                         "si può elaborare, con 1 se no.",
                         {{"--overlay", "CARTELLA",
                           "scrive in CARTELLA riferimento.png: il fotogramma dei punti di riferimento\n"
                           "con i punti numerati, l'asse, i bordi della fascia e le coordinate in\n"
                           "pixel ogni 50 lungo i bordi, per correggere i punti a occhio"}}};

std::string metres(double v)
{
    return localeDecimal(v, 2) + " m";
}

std::string fieldsText(const CampiRilevamento &c)
{
    const auto frames = [&]() -> std::string {
        try {
            return intText(static_cast<long long>(toInt(c.ImmagineFinale)) - toInt(c.ImmagineIniziale) + 1);
        } catch (const ConversionError &) {
            return "?";
        }
    }();
    return "fotogrammi " + c.ImmagineIniziale + "–" + c.ImmagineFinale + " (" + frames + "); primo veicolo "
        + c.VeicoloIniziale + ", variazione di posizione " + c.VariazionePosTXT + " m, lunghezza minima "
        + c.LunghezzaMinTXT + " m, area minima " + c.AreaVeicoloTXT + " m², margini " + c.MargineSuperiore + " e "
        + c.MargineInferiore + "; profilo " + profileText(c.Profilo);
}

void printContents(const StatoLavoro &s, const JobFileCheck &check)
{
    const auto &e = s.Estrattore;
    std::printf("fotogrammi: %d", e.ListaFotogrammi.count());
    if (!e.ListaFotogrammi.empty())
        std::printf(" (%s–%s)", e.ListaFotogrammi.line(0).c_str(),
                    e.ListaFotogrammi.line(e.ListaFotogrammi.count() - 1).c_str());
    if (check.frameWidth > 0)
        std::printf(", %dx%d pixel", check.frameWidth, check.frameHeight);
    std::printf(", uno ogni %s s, in \"%s\"\n", e.step.c_str(), e.Cartella.empty() ? "./" : e.Cartella.c_str());

    const auto &v = s.SceltaVersoLetture;
    const auto &p = s.Prospettiva;
    std::printf("riferimenti: verso %s, %d punti sul fotogramma %s, %s\n", directionCode(readingDirection(v)).c_str(),
                p.coordinataXPixelP.count(), p.FotogrammaIniziale.c_str(),
                v.usoGPS ? "con coordinate GPS" : ("con " + intText(p.DistanzeRealiP.count()) + " distanze").c_str());

    const JobSummary sum = summariseJob(s);
    if (!s.GrigliaMetrica.empty())
        std::printf("griglia metrica: x da %s a %s, y da %s a %s\n", metres(sum.minX).c_str(), metres(sum.maxX).c_str(),
                    metres(sum.minY).c_str(), metres(sum.maxY).c_str());
    if (sum.area) {
        const auto &a = s.AreaCaptazione.PuntiRiferimento;
        std::printf("asse (fotogramma %s): da (%s, %s) a (%s, %s), %d pixel, %s\n",
                    s.AreaCaptazione.FotogrammaIniziale.c_str(), a.line(1).c_str(), a.line(0).c_str(),
                    a.line(3).c_str(), a.line(2).c_str(), sum.axisPixels, metres(sum.axisMetres).c_str());
        std::printf("fascia: %d pixel per arco; arco superiore %s, arco inferiore %s a metà dell'asse\n",
                    sum.halfBandPixels, metres(sum.upperArcMetres).c_str(), metres(sum.lowerArcMetres).c_str());
    }
    std::printf("calibrazione: %s\n", fieldsText(s.Calibrazione).c_str());
    std::printf("captazione: %s\n", fieldsText(s.Captazione).c_str());
}

// The reference frame with the setup drawn on it; the area is left out when
// its points do not convert.
void writeReferencePicture(const StatoLavoro &s, std::string folder)
{
    if (folder.empty())
        folder = "./";
    if (folder.back() != '/')
        folder += '/';
    const RgbImage frame = readPng(frameFileName(s.Estrattore.Cartella, toInt(s.Prospettiva.FotogrammaIniziale)));
    StatoRilevamento det;
    try {
        readAreaGeometry(s.AreaCaptazione.PuntiRiferimento, det);
    } catch (const Error &) {
        det = StatoRilevamento {};
    }
    Drawing d = setupOverlay(s.Prospettiva, det, TextList {});
    const Drawing ruler = pixelRuler(frame.width, frame.height, 50);
    d.insert(d.end(), ruler.begin(), ruler.end());
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    const std::string file = folder + "riferimento.png";
    writeFileAtomically(file, encodePng(setupOverlayPicture(frame, d, nullptr)));
    std::printf("immagine di controllo: %s\n", file.c_str());
}

int runCheck(const Args &args)
{
    const auto options = parseOptions(args, kHelp);
    if (!options)
        return 0;
    if (options->positional.size() != 1)
        throw RefusalError("Indicare un lavoro: kalvor-cli check LAVORO.kvr.");
    const std::string job = options->positional[0];
    StatoLavoro s;
    const JobFileCheck check = checkJobFile(job, s);
    std::printf("lavoro \"%s\"\n", job.c_str());
    if (check.read)
        printContents(s, check);
    if (options->has("--overlay")) {
        // The job's problems are listed below; a picture that cannot be made
        // is one more line, not the end of the report.
        try {
            if (!check.read)
                throw RefusalError("il lavoro non è stato letto.");
            writeReferencePicture(s, options->text("--overlay"));
        } catch (const Error &e) {
            std::printf("immagine di controllo non scritta: %s\n", e.what());
        }
    }
    if (check.problems.empty()) {
        std::printf("nessun problema: il lavoro si può elaborare (kalvor-cli run %s)\n", job.c_str());
        return 0;
    }
    std::printf("problemi (%zu):\n%s", check.problems.size(), problemsText(check.problems).c_str());
    return 1;
}

const CommandRegistration reg({"check", "check LAVORO.kvr [--overlay CARTELLA]",
                               "scrive che cosa contiene il lavoro e ogni incoerenza, senza elaborare nulla",
                               runCheck});

} // namespace

} // namespace kalvor::cli
