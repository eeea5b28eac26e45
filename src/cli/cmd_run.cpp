// SPDX-License-Identifier: GPL-3.0-or-later
// `kalvor-cli run JOB.kvr [--out DIR] [--save OUT.kvr] ...`: opens a job as the
// main screen does, without a display (the frames folder is the job file's
// folder), then runs the transformation from its reference points, the
// calibration background and the automatic run over the calibration
// interval, and prints the vehicles found per frame and a summary; then the
// capture to the end of its interval (cli/run_capture) and, with --out, its
// confirmation, evaluation and result files (cli/run_results), then the
// safety indicators and the workbook (cli/run_safety) and the traffic
// analysis files (cli/run_analysis).
#include "cli/commands.hpp"
#include "cli/options.hpp"
#include "cli/progress.hpp"
#include "cli/run_analysis.hpp"
#include "cli/run_capture.hpp"
#include "cli/run_overlay.hpp"
#include "cli/run_results.hpp"
#include "cli/run_safety.hpp"
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
#include "project/job_check.hpp"
#include "project/profile_text.hpp"
#include "project/project_reader.hpp"
#include "state/record_veicolo.hpp"

#include <cstdio>
#include <iostream>
#include <map>
#include <optional>

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

void stampaFotogramma(const ProcessedFrame &fe, const TextList &veicoliAtt, Riepilogo &r)
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

const CommandHelp kHelp {
    "run",
    "LAVORO.kvr [--out CARTELLA] [--correggi] [--primo N] [--overlay CARTELLA] [--save USCITA.kvr]\n"
    "                [--profilo predefinito|robusto]",
    "Apre il lavoro senza schermo (i fotogrammi stanno nella cartella del file), applica la\n"
    "trasformazione dei punti di riferimento, calcola lo sfondo della calibrazione ed esegue il\n"
    "rilevamento automatico sull'intervallo di calibrazione; scrive i veicoli di ogni fotogramma\n"
    "e un riepilogo. Poi la captazione: dal fotogramma mostrato fino all'ultimo dell'intervallo\n"
    "di captazione, come premendo F4 fino alla fine, senza correzioni.",
    {{"--out", "CARTELLA",
      "dopo la captazione la conferma, come \"I dati vanno bene\", e scrive in CARTELLA i testi\n"
      "della schermata dei risultati: istanti.txt e veicoli.txt (le due tabelle),\n"
      "valutazione.txt (la valutazione per arco), rilevamenti.txt (i record della\n"
      "captazione) e tempi.txt (numero e tempo dei fotogrammi); poi indicatori.txt,\n"
      "veicoli.xlsx, traiettorie.csv, veicoli.csv, flussi.csv, indicatori_estesi.csv e i\n"
      "grafici in SVG"},
     {"--correggi", "", "conferma con le correzioni di \"Correggi\""},
     {"--intervallo", "S",
      "durata in secondi degli intervalli dei flussi in flussi.csv (predefinito 60; virgola o\n"
      "punto come separatore decimale)"},
     {"--primo", "N", "numero del primo veicolo valutato (predefinito 0)"},
     {"--overlay", "CARTELLA",
      "scrive in CARTELLA, per ogni fotogramma elaborato, controllo<n>.png: punti di\n"
      "riferimento numerati, asse e bordi della fascia, contorno della maschera e\n"
      "ogni veicolo con numero e lunghezza"},
     {"--save", "USCITA.kvr",
      "salva il lavoro dopo la captazione nella cartella dei fotogrammi, in modo che il\n"
      "programma lo apra all'ultimo fotogramma"},
     {"--profilo", "NOME",
      "profilo di rilevamento di questa esecuzione, per la calibrazione e la captazione:\n"
      "predefinito o robusto (se non indicato, quelli salvati nel lavoro); con --save il\n"
      "lavoro è salvato con questo profilo"}}};

// Both screens' profiles: those of the job, or the one given for this run.
void stampaProfili(const StatoLavoro &s)
{
    std::printf("profilo di rilevamento: calibrazione %s, captazione %s\n", profileText(s.Calibrazione.Profilo).c_str(),
                profileText(s.Captazione.Profilo).c_str());
}

int runRun(const Args &args)
{
    const auto options = parseOptions(args, kHelp);
    if (!options)
        return 0;
    if (options->positional.size() > 1)
        throw RefusalError("Un solo lavoro per volta: \"" + printable(options->positional[1]) + "\" è di troppo.");
    const std::string job = options->positional.empty() ? std::string() : options->positional[0];
    std::string out = options->text("--out");
    if (job.empty())
        throw RefusalError("Uso: kalvor-cli run LAVORO.kvr [--out CARTELLA]. Vedere kalvor-cli run --help.");
    const std::string salva = verificaSalvataggio(options->text("--save"), job);
    OpzioniRisultati risultati;
    risultati.correggi = options->has("--correggi");
    if (options->has("--primo"))
        risultati.primo = intText(options->integer("--primo", 0));
    OpzioniRunAnalisi analisi;
    analisi.durataIntervallo = options->decimal("--intervallo", analisi.durataIntervallo);
    if (!(analisi.durataIntervallo > 0.0))
        throw RefusalError("La durata dell'intervallo deve essere maggiore di zero.");
    std::optional<ProfiloRilevamento> profilo;
    if (options->has("--profilo"))
        profilo = optionProfile("--profilo", options->text("--profilo"));
    // Before the analysis, so that its results are never lost at the end.
    if (!out.empty())
        out = prepareOutputFolder(out);

    std::optional<RunOverlay> overlay;
    if (options->has("--overlay"))
        overlay.emplace(options->text("--overlay"));

    // Nothing runs on a job that a screen would have refused.
    {
        StatoLavoro probe;
        const JobFileCheck check = checkJobFile(job, probe);
        if (!check.problems.empty())
            throw RefusalError(refusedJobText(check.problems));
    }
    StatoLavoro s;
    SessioneCaptazione sessione;
    PassiProgettoCaptazione screens(s, sessione, profilo);
    readProjectFile(job, s, screens);
    if (profilo)
        s.Calibrazione.Profilo = *profilo;
    std::printf("lavoro \"%s\" letto: fotogrammi in \"%s\"\n", job.c_str(),
                s.Estrattore.Cartella.empty() ? "./" : s.Estrattore.Cartella.c_str());

    // The chain the reading starts: the confirmations of the extractor, the
    // reference screen (the transformation) and the area (its normalisation).
    const RgbImage &riferimento = screens.referenceFrame();
    requireConfirmedJob(s, riferimento.width, riferimento.height);
    std::printf("trasformazione: griglia metrica %dx%d\n", riferimento.width, riferimento.height);
    stampaProfili(s);

    const int primo = toInt(s.Calibrazione.ImmagineIniziale);
    const int fotogrammi = toInt(s.Calibrazione.ImmagineFinale) - primo + 1;
    {
        ProgressLine line;
        computeBackground(s.C, s.Calibrazione, s.AreaCaptazione.PuntiRiferimento, s.Estrattore.Cartella,
                          BackgroundFor::Calibrazione,
                          [&](int n, const RgbImage &) { line.update((n - primo + 1.0) / fotogrammi, n - primo + 1); });
    }
    std::printf("sfondo: media dei fotogrammi %s..%s (%d)\n", s.Calibrazione.ImmagineIniziale.c_str(),
                s.Calibrazione.ImmagineFinale.c_str(), s.C.NumeroFotogrammiMedia);

    Riepilogo r;
    RunControl controllo;
    DetectionWorkspace spazio;
    RunObserver osservatore;
    controllo.mostraMaschera = overlay.has_value(); // the outline needs the whole mask
    ProgressLine line;
    osservatore.fotogramma = [&](const ProcessedFrame &fe) {
        line.clear();
        stampaFotogramma(fe, s.Calibrazione.veicoliAtt, r);
        std::fflush(stdout);
        line.update((fe.numero - primo + 1.0) / fotogrammi, r.fotogrammi, true);
        if (overlay)
            overlay->frame(s, fe);
    };
    ElaborazioneImmagini(s, controllo, spazio, osservatore);

    line.finish();
    const auto [sup, inf] = r.perArco();
    std::printf("riepilogo: %d fotogrammi elaborati, %d con veicoli; veicoli trovati %zu (sup %d, inf %d), "
                "ultimo numero dato %d\n",
                r.fotogrammi, r.fotogrammiConVeicoli, r.avvistamenti.size(), sup, inf, s.C.NumeroVeicolo - 1);

    if (overlay)
        std::printf("immagini di controllo: %d in %scontrollo<n>.png\n", overlay->written(), overlay->folder().c_str());
    eseguiCaptazione(s, sessione, salva);
    if (!out.empty()) {
        eseguiRisultati(s, risultati, out);
        runSafetyStage(s, out);
        runAnalysis(s, out, analisi);
    }
    return 0;
}

const CommandRegistration reg({"run",
                               "run LAVORO.kvr [--out CARTELLA] [--correggi] [--primo N] [--overlay CARTELLA] "
                               "[--save USCITA.kvr] [--intervallo S] [--profilo predefinito|robusto]",
                               "apre un lavoro senza schermo ed esegue il rilevamento automatico sull'intervallo di "
                               "calibrazione; poi la captazione fino all'ultimo fotogramma del suo intervallo, e "
                               "salva il lavoro; con --out la conferma e ne scrive i risultati, gli indicatori di "
                               "sicurezza, la cartella Excel, le traiettorie, i flussi e i grafici",
                               runRun});

} // namespace

} // namespace kalvor::cli
