// SPDX-License-Identifier: GPL-3.0-or-later
// `kalvor-cli run JOB.kvr [--out DIR]`: opens a job as the main screen does,
// without a display (the frames folder is the job file's folder), then runs
// the transformation from its reference points, the calibration background
// and the automatic run over the calibration interval, and prints the
// vehicles found per frame and a summary.
#include "cli/commands.hpp"
#include "common/errors.hpp"
#include "common/files.hpp"
#include "common/numbers.hpp"
#include "common/printable.hpp"
#include "detection/elaborazione_automatica.hpp"
#include "detection/sfondo.hpp"
#include "extraction/extractor.hpp"
#include "extraction/frame_file.hpp"
#include "extraction/png_io.hpp"
#include "geometry/trasformazione.hpp"
#include "project/headless_project_steps.hpp"
#include "project/project_reader.hpp"
#include "state/record_veicolo.hpp"

#include <cstdio>
#include <iostream>
#include <map>

namespace kalvor::cli {

namespace {

struct Riepilogo
{
    int fotogrammi = 0;
    int fotogrammiConVeicoli = 0;
    // Sightings of each vehicle number per arc.
    std::map<std::string, std::map<std::string, int>> avvistamenti;

    // Vehicles by the arc of most of their sightings (the upper one on a tie).
    std::pair<int, int> perArco() const
    {
        int sup = 0;
        int inf = 0;
        for (const auto &voce : avvistamenti) {
            const auto &archi = voce.second; // named: clang's lambdas cannot capture a structured binding
            const auto count = [&](const char *a) {
                const auto it = archi.find(a);
                return it == archi.end() ? 0 : it->second;
            };
            (count("sup") >= count("inf") ? sup : inf) += 1;
        }
        return {sup, inf};
    }
};

void stampaFotogramma(const FotogrammaElaborato &fe, const TextList &veicoliAtt, Riepilogo &r)
{
    ++r.fotogrammi;
    const auto records = findRecords(veicoliAtt);
    if (!records.empty())
        ++r.fotogrammiConVeicoli;
    std::printf("fotogramma %4d  %8s s  veicoli %zu", fe.numero, fixedText(fe.tempo).c_str(), records.size());
    for (int start : records) {
        const RecordVeicolo v = readRecord(veicoliAtt, start);
        std::printf("  [n. %s %s %s m]", v.numero.c_str(), v.arco.c_str(), v.lunghezza.c_str());
        ++r.avvistamenti[v.numero][v.arco];
    }
    std::printf("\n");
}

int runRun(const Args &args)
{
    std::string job;
    std::string out;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--out") {
            if (i + 1 >= args.size())
                throw RefusalError("Manca il valore di --out.");
            out = args[++i];
        } else if (!args[i].empty() && args[i][0] == '-') {
            throw RefusalError("Opzione sconosciuta \"" + printable(args[i]) + "\".");
        } else if (job.empty()) {
            job = args[i];
        } else {
            throw RefusalError("Un solo lavoro per volta: \"" + printable(args[i]) + "\" è di troppo.");
        }
    }
    if (job.empty())
        throw RefusalError("Uso: kalvor-cli run LAVORO.kvr [--out CARTELLA]");
    // Before the analysis, so that its results are never lost at the end.
    if (!out.empty())
        out = prepareOutputFolder(out);

    StatoLavoro s;
    HeadlessProjectSteps screens(s);
    readProjectFile(job, s, screens);
    std::printf("lavoro \"%s\" letto: fotogrammi in \"%s\"\n", job.c_str(),
                s.Estrattore.Cartella.empty() ? "./" : s.Estrattore.Cartella.c_str());

    // The chain the reading starts: the extractor's confirmation, the
    // transformation on the reference screen, the calibration.
    confirmExtraction(s);
    const RgbImage riferimento = readPng(frameFileName(s.Estrattore.Cartella, toInt(s.Prospettiva.FotogrammaIniziale)));
    runTransformation(s, riferimento.width, riferimento.height);
    std::printf("trasformazione: griglia metrica %dx%d\n", riferimento.width, riferimento.height);

    CalcolaMediaSfondo(s.C, s.Calibrazione, s.AreaCaptazione.PuntiRiferimento, s.Estrattore.Cartella,
                       GemelloSfondo::Calibrazione);
    std::printf("sfondo: media dei fotogrammi %s..%s (%d)\n", s.Calibrazione.ImmagineIniziale.c_str(),
                s.Calibrazione.ImmagineFinale.c_str(), s.C.NumeroFotogrammiMedia);

    Riepilogo r;
    ControlloElaborazione controllo;
    controllo.mostraMaschera = false; // nothing here shows it
    SpazioRilevamento spazio;
    OsservatoreElaborazione osservatore;
    osservatore.fotogramma = [&](const FotogrammaElaborato &fe) { stampaFotogramma(fe, s.Calibrazione.veicoliAtt, r); };
    ElaborazioneImmagini(s, controllo, spazio, osservatore);

    const auto [sup, inf] = r.perArco();
    std::printf("riepilogo: %d fotogrammi elaborati, %d con veicoli; veicoli trovati %zu (sup %d, inf %d), "
                "ultimo numero dato %d\n",
                r.fotogrammi, r.fotogrammiConVeicoli, r.avvistamenti.size(), sup, inf, s.C.NumeroVeicolo - 1);

    if (!out.empty()) {
        s.Calibrazione.VeicoliTOT.saveToFile(out + "veicoli.txt");
        std::printf("record dei veicoli in %sveicoli.txt\n", out.c_str());
    }
    return 0;
}

const CommandRegistration reg({"run", "run JOB.kvr [--out DIR]",
                               "open a job headless, transform, compute the calibration background and run the "
                               "automatic detection; print the vehicles per frame and a summary",
                               runRun});

} // namespace

} // namespace kalvor::cli
