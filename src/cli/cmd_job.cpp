// SPDX-License-Identifier: GPL-3.0-or-later
// `kalvor-cli job LAVORO.kvr ...`: a new job from options (or a setup file of
// the same), checked as the screens check it and written in the project file
// format, ready for `run` or for the program.
#include "cli/commands.hpp"
#include "cli/options.hpp"
#include "cli/progress.hpp"
#include "common/errors.hpp"
#include "common/files.hpp"
#include "common/numbers.hpp"
#include "extraction/batch_extraction.hpp"
#include "extraction/frame_file.hpp"
#include "extraction/png_io.hpp"
#include "project/job_confirmation.hpp"
#include "project/job_setup.hpp"
#include "project/project_writer.hpp"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <iostream>
#include <sstream>

namespace kalvor::cli {

namespace {

const CommandHelp kHelp {
    "job",
    "LAVORO.kvr --direction VERSO --points \"x,y ...\" (--distances \"d ...\" | --gps \"X,Y ...\")\n"
    "                --area \"x,y x,y x,y x,y\" [opzioni]",
    "Crea un lavoro nuovo: i fotogrammi sono quelli della cartella di LAVORO.kvr, elencati in\n"
    "fotogrammi.txt (lo scrive kalvor-cli extract), oppure estratti prima da --video. Il lavoro\n"
    "è controllato come lo controllano le schermate (punti dentro il fotogramma, griglia\n"
    "trasformabile, asse dell'area da sinistra a destra: P1 e P2 scambiati se dati al contrario,\n"
    "intervalli dentro i fotogrammi estratti) e scritto solo se tutto va bene.",
    {{"--video", "FILMATO", "estrae prima i fotogrammi del filmato nella cartella del lavoro"},
     {"--step", "S", "con --video: secondi fra due fotogrammi (0,2 se non indicato)"},
     {"--direction", "VERSO",
      "dove iniziano i punti misurati: 00 in alto a sinistra, 640480 in basso\n"
      "a destra, 0480 in basso a sinistra, 6400 in alto a destra"},
     {"--points", "\"x,y ...\"", "colonna,riga in pixel dei punti di riferimento, nell'ordine delle misure"},
     {"--distances", "\"d ...\"", "distanza reale in metri da ogni punto al successivo"},
     {"--gps", "\"X,Y ...\"", "coordinate GPS X,Y in metri interi di ogni punto, invece delle distanze"},
     {"--area", "\"x,y x4\"",
      "i quattro punti dell'area: i due estremi dell'asse della strada, poi i due\n"
      "punti la cui distanza in righe dà l'altezza della fascia"},
     {"--reference-frame", "N", "fotogramma dei punti di riferimento (il primo se non indicato)"},
     {"--area-frame", "N", "fotogramma dell'area (quello dei punti di riferimento se non indicato)"},
     {"--calibration", "A-B",
      "fotogrammi della calibrazione: media dello sfondo e rilevamento automatico\n"
      "(i primi 201 se non indicato)"},
     {"--capture", "A-B",
      "fotogrammi della media dello sfondo della captazione, che poi parte da A\n"
      "(i primi 201 se non indicato)"},
     {"--first-vehicle", "N", "numero del primo veicolo (0)"},
     {"--position-change", "M", "variazione di posizione ammessa fra due fotogrammi, in metri (50)"},
     {"--min-length", "M", "lunghezza minima di un veicolo, in metri (2)"},
     {"--vehicle-area", "M2", "area minima di un veicolo, in metri quadrati (4)"},
     {"--upper-margin", "N", "margine superiore (12 in calibrazione, 15 in captazione)"},
     {"--lower-margin", "N", "margine inferiore (-12 in calibrazione, -15 in captazione)"},
     {"--profilo", "NOME",
      "profilo di rilevamento della calibrazione e della captazione: predefinito o\n"
      "robusto (predefinito se non indicato)"},
     {"--place", "TESTO", "luogo del rilievo"},
     {"--operator", "TESTO", "tecnico che elabora"},
     {"--date", "TESTO", "data dell'elaborazione"},
     {"--setup", "FILE",
      "legge le opzioni da FILE, una per riga: nome e valore (\"direction 00\");\n"
      "le righe vuote e quelle che iniziano con # sono ignorate; le opzioni della\n"
      "riga di comando prevalgono"},
     {"--force", "", "sostituisce un file di lavoro già esistente"}},
    decimalsHelpLine()};

struct PairText
{
    std::string first;
    std::string second;
};

std::vector<PairText> pairs(const std::string &option, const std::string &text)
{
    std::vector<PairText> out;
    std::istringstream in(text);
    std::string item;
    while (in >> item) {
        const auto comma = item.find(',');
        if (comma == std::string::npos)
            throw RefusalError("In " + option + " manca la virgola fra i due valori di \"" + item + "\".");
        out.push_back({item.substr(0, comma), item.substr(comma + 1)});
    }
    return out;
}

std::vector<PixelPoint> points(const std::string &option, const std::string &text)
{
    std::vector<PixelPoint> out;
    for (const auto &p : pairs(option, text))
        out.push_back({optionInteger(option, p.first), optionInteger(option, p.second)});
    return out;
}

std::vector<double> decimals(const std::string &option, const std::string &text)
{
    std::vector<double> out;
    std::istringstream in(text);
    std::string item;
    while (in >> item)
        out.push_back(optionDecimal(option, item));
    return out;
}

// "A-B", with A and B frame numbers.
std::pair<int, int> interval(const std::string &option, const std::string &text)
{
    const auto dash = text.find('-', 1);
    if (dash == std::string::npos)
        throw RefusalError("Valore non valido per " + option + ": \"" + text + "\" (atteso INIZIALE-FINALE).");
    return {optionInteger(option, text.substr(0, dash)), optionInteger(option, text.substr(dash + 1))};
}

std::string trimmed(const std::string &s)
{
    const auto b = s.find_first_not_of(" \t");
    const auto e = s.find_last_not_of(" \t");
    return b == std::string::npos ? std::string() : s.substr(b, e - b + 1);
}

// The setup file's options, then those of the command line, which win.
Args withSetupFile(const Args &args, const ParsedOptions &commandLine)
{
    const std::string file = commandLine.text("--setup");
    TextList lines;
    lines.loadFromFile(file);
    Args merged;
    for (int i = 0; i < lines.count(); ++i) {
        const std::string line = trimmed(lines.line(i));
        if (line.empty() || line[0] == '#')
            continue;
        const auto space = line.find_first_of(" \t");
        std::string name = line.substr(0, space);
        if (name.rfind("--", 0) != 0)
            name = "--" + name;
        if (name == "--setup")
            throw RefusalError("Il file \"" + file + "\", riga " + intText(i + 1) + ": --setup non vale dentro un "
                               + "file di impostazioni.");
        if (commandLine.has(name))
            continue;
        merged.push_back(name);
        if (space != std::string::npos)
            merged.push_back(trimmed(line.substr(space)));
    }
    merged.insert(merged.end(), args.begin(), args.end());
    return merged;
}

// The frames already extracted into the folder, from fotogrammi.txt.
void listedFrames(const std::string &folder, JobSetup &j)
{
    const std::string list = folder + "fotogrammi.txt";
    if (!std::filesystem::is_regular_file(list))
        throw RefusalError("Nella cartella \"" + (folder.empty() ? std::string("./") : folder)
                           + "\" manca fotogrammi.txt: estrarre prima i fotogrammi con kalvor-cli extract "
                             "(o indicare --video).");
    TextList lines;
    lines.loadFromFile(list);
    for (int i = 0; i < lines.count(); ++i) {
        const std::string &l = lines.line(i);
        if (l.empty())
            continue;
        const auto tab = l.find('\t');
        const std::string where = list + ", riga " + intText(i + 1);
        if (tab == std::string::npos)
            throw RefusalError(where + ": attesi numero e tempo separati da una tabulazione.");
        j.frames.push_back(optionInteger(where, l.substr(0, tab)));
        j.times.push_back(optionDecimal(where, l.substr(tab + 1)));
    }
}

void extractedFrames(const std::string &folder, const ParsedOptions &o, JobSetup &j)
{
    BatchRequest r;
    r.video = o.text("--video");
    r.folder = folder;
    r.step = j.step;
    std::error_code ec;
    std::filesystem::create_directories(folder.empty() ? "." : folder, ec);
    ProgressLine line;
    std::function<void(const BatchProgress &)> progress;
    if (line.shown())
        progress = [&](const BatchProgress &p) {
            line.update(p.duration > 0 ? p.videoTime / p.duration : 0.0, p.framesWritten);
        };
    const BatchResult result = extractFrames(r, progress);
    line.finish();
    frameListText(result.frames).saveToFile(folder + "fotogrammi.txt");
    for (const auto &f : result.frames) {
        j.frames.push_back(f.number);
        j.times.push_back(f.time);
    }
    std::printf("%zu fotogrammi %dx%d estratti in \"%s\" (elenco: %sfotogrammi.txt)\n", result.frames.size(),
                result.size.width, result.size.height, folder.empty() ? "./" : folder.c_str(), folder.c_str());
}

void detectionOptions(const ParsedOptions &o, CampiRilevamento &c)
{
    c.VeicoloIniziale = intText(o.integer("--first-vehicle", toInt(c.VeicoloIniziale)));
    if (o.has("--position-change"))
        c.VariazionePosTXT = fixedText(o.decimal("--position-change", 0));
    if (o.has("--min-length"))
        c.LunghezzaMinTXT = fixedText(o.decimal("--min-length", 0));
    if (o.has("--vehicle-area"))
        c.AreaVeicoloTXT = fixedText(o.decimal("--vehicle-area", 0));
    if (o.has("--upper-margin"))
        c.MargineSuperiore = intText(o.integer("--upper-margin", 0));
    if (o.has("--lower-margin"))
        c.MargineInferiore = intText(o.integer("--lower-margin", 0));
    if (o.has("--profilo"))
        c.Profilo = optionProfile("--profilo", o.text("--profilo"));
}

void requireOption(const ParsedOptions &o, const std::string &name)
{
    if (!o.has(name))
        throw RefusalError("Manca " + name + ". Vedere kalvor-cli job --help.");
}

int runJob(const Args &arguments)
{
    auto options = parseOptions(arguments, kHelp);
    if (!options)
        return 0;
    if (options->has("--setup")) {
        options = parseOptions(withSetupFile(arguments, *options), kHelp);
        if (!options)
            return 0;
    }
    const ParsedOptions &o = *options;
    if (o.positional.size() != 1)
        throw RefusalError(o.positional.empty() ? "Indicare il file del lavoro da creare. Vedere kalvor-cli job --help."
                                                : "Un solo lavoro per volta: \"" + o.positional[1] + "\" è di troppo.");
    const std::string path = o.positional[0];
    if (path.empty() || path.back() == '/')
        throw RefusalError("Indicare il nome del file del lavoro, non una cartella: \"" + path + "\".");
    if (std::filesystem::exists(path) && !o.has("--force"))
        throw RefusalError("Il file \"" + path + "\" esiste già: usare --force per sostituirlo.");
    requireOption(o, "--direction");
    requireOption(o, "--points");
    requireOption(o, "--area");
    if (o.has("--distances") == o.has("--gps"))
        throw RefusalError("Indicare o --distances o --gps (uno dei due). Vedere kalvor-cli job --help.");
    if (o.has("--step") && !o.has("--video"))
        throw RefusalError("--step vale solo con --video: i fotogrammi già estratti hanno il loro intervallo.");

    // Everything given is converted before any extraction starts.
    JobSetup j;
    j.luogo = o.text("--place");
    j.elaboratore = o.text("--operator");
    j.dataelaborazione = o.text("--date");
    j.step = o.decimal("--step", j.step);
    j.direction = directionFromCode(o.text("--direction"));
    j.points = points("--points", o.text("--points"));
    j.distances = decimals("--distances", o.text("--distances"));
    j.gps = o.has("--gps");
    j.gpsPoints = points("--gps", o.text("--gps"));
    j.area = points("--area", o.text("--area"));
    detectionOptions(o, j.calibration);
    detectionOptions(o, j.capture);
    const int referenceFrame = o.integer("--reference-frame", 0);
    const int areaFrame = o.integer("--area-frame", referenceFrame);
    std::pair<int, int> calibration {};
    std::pair<int, int> capture {};
    if (o.has("--calibration"))
        calibration = interval("--calibration", o.text("--calibration"));
    if (o.has("--capture"))
        capture = interval("--capture", o.text("--capture"));

    const std::string folder = folderOf(path);
    if (o.has("--video"))
        extractedFrames(folder, o, j);
    else
        listedFrames(folder, j);
    if (j.frames.empty())
        throw RefusalError("Nessun fotogramma estratto in \"" + folder + "\".");
    if (!o.has("--step") && j.times.size() > 1)
        j.step = j.times[1] - j.times[0];

    const int first = j.frames.front();
    const int last = j.frames.back();
    j.referenceFrame = o.has("--reference-frame") ? referenceFrame : first;
    j.areaFrame = o.has("--area-frame") ? areaFrame : j.referenceFrame;
    if (!o.has("--calibration"))
        calibration = {first, std::min(last, first + 200)};
    if (!o.has("--capture"))
        capture = {first, std::min(last, first + 200)};
    j.calibration.ImmagineIniziale = intText(calibration.first);
    j.calibration.ImmagineFinale = intText(calibration.second);
    j.capture.ImmagineIniziale = intText(capture.first);
    j.capture.ImmagineFinale = intText(capture.second);

    StatoLavoro job = jobState(j);
    job.Estrattore.Cartella = folder;
    const std::string reference = frameFileName(folder, j.referenceFrame);
    if (!std::filesystem::is_regular_file(reference))
        throw RefusalError("Prospettiva: manca il file del fotogramma " + intText(j.referenceFrame) + ": \"" + reference
                           + "\".");
    const RgbImage frame = readPng(reference);
    const auto problems = confirmJob(job, frame.width, frame.height);
    if (!problems.empty()) {
        std::string text = problemsText(problems);
        text.pop_back();
        throw RefusalError("Lavoro non creato:\n" + text);
    }
    writeProjectFile(path, job);
    std::printf("lavoro \"%s\" creato: fotogrammi %d–%d (%dx%d), calibrazione %s–%s, captazione %s–%s\n", path.c_str(),
                first, last, frame.width, frame.height, job.Calibrazione.ImmagineIniziale.c_str(),
                job.Calibrazione.ImmagineFinale.c_str(), job.Captazione.ImmagineIniziale.c_str(),
                job.Captazione.ImmagineFinale.c_str());
    return 0;
}

const CommandRegistration reg({"job",
                               "job LAVORO.kvr --direction VERSO --points \"x,y ...\" (--distances \"d ...\" | "
                               "--gps \"X,Y ...\") --area \"x,y x,y x,y x,y\" [opzioni]",
                               "crea un lavoro controllato come lo controllano le schermate", runJob});

} // namespace

} // namespace kalvor::cli
