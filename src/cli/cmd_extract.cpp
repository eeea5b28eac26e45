// SPDX-License-Identifier: GPL-3.0-or-later
// `kalvor-cli extract VIDEO --out DIR [--step S] [--first N] [--from T]
// [--to T] [--size WxH|native] [--project FILE]`: the frame extraction
// without a display; --project also writes a project file of the new job
// beside the frames.
#include "cli/commands.hpp"
#include "cli/extraction_project.hpp"
#include "cli/options.hpp"
#include "cli/progress.hpp"
#include "common/errors.hpp"
#include "common/files.hpp"
#include "common/numbers.hpp"
#include "common/printable.hpp"
#include "extraction/batch_extraction.hpp"
#include "extraction/frame_file.hpp"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <unistd.h>

namespace kalvor::cli {

namespace {

FrameSize sizeArgument(const std::string &text, bool &native)
{
    native = text == "native";
    if (native)
        return {};
    const auto x = text.find('x');
    try {
        if (x == std::string::npos)
            throw ConversionError(text);
        return {toInt(text.substr(0, x)), toInt(text.substr(x + 1))};
    } catch (const ConversionError &) {
        throw ConversionError("Valore non valido per --size: \"" + printable(text)
                              + "\" (atteso LARGHEZZAxALTEZZA o native).");
    }
}

// The share of the asked span of the video decoded so far.
double extractedFraction(const BatchRequest &r, const BatchProgress &p)
{
    const double end = r.to >= 0 && (p.duration <= 0 || r.to < p.duration) ? r.to : p.duration;
    return end > r.from ? (p.videoTime - r.from) / (end - r.from) : 0.0;
}

const CommandHelp kHelp {
    "extract",
    "FILMATO --out CARTELLA [opzioni]",
    "Estrae dal filmato un fotogramma ogni S secondi, con la didascalia del numero e del\n"
    "tempo, come file PNG numerati in CARTELLA, e scrive l'elenco fotogrammi.txt (numero e\n"
    "tempo di ciascuno).",
    {{"--out", "CARTELLA", "la cartella dei fotogrammi (creata se manca)"},
     {"--step", "S", "secondi fra due fotogrammi (0,2 se non indicato)"},
     {"--first", "N", "numero del primo fotogramma (0 se non indicato)"},
     {"--from", "T", "istante del filmato da cui iniziare, in secondi"},
     {"--to", "T", "istante del filmato a cui fermarsi, in secondi (fino alla fine se non indicato)"},
     {"--size", "LxA|native",
      "dimensione dei fotogrammi; se non indicata, quella del filmato ridotta\n"
      "entro 640x480 mantenendo la forma dell'immagine"},
     {"--project", "FILE",
      "scrive anche un file di progetto del nuovo lavoro nella cartella dei\n"
      "fotogrammi"},
     {"--plain", "", "estrazione di riferimento in un solo thread, per confronti"}},
    decimalsHelpLine()};

int runExtract(const Args &args)
{
    const auto options = parseOptions(args, kHelp);
    if (!options)
        return 0;
    const ParsedOptions &o = *options;
    BatchRequest r;
    const bool haveOut = o.has("--out");
    r.folder = o.text("--out");
    r.step = o.decimal("--step", r.step);
    r.firstNumber = o.integer("--first", r.firstNumber);
    r.from = o.decimal("--from", r.from);
    if (o.has("--to")) {
        r.to = o.decimal("--to", r.to);
        if (r.to < 0)
            throw RefusalError("L'istante finale non può essere negativo.");
    }
    if (o.has("--size"))
        r.size = sizeArgument(o.text("--size"), r.nativeSize);
    std::string project = o.text("--project");
    r.pipelined = !o.has("--plain"); // the single-thread reference, for comparisons
    if (o.positional.size() > 1)
        throw RefusalError("Un solo filmato per volta: \"" + printable(o.positional[1]) + "\" è di troppo.");
    if (!o.positional.empty())
        r.video = o.positional[0];
    if (r.video.empty() || !haveOut)
        throw RefusalError("Uso: " + kHelp.command + " " + kHelp.synopsis + ". Vedere kalvor-cli extract --help.");
    r.folder = prepareOutputFolder(r.folder);
    if (!project.empty())
        project = extractionProjectPath(project, r.folder);

    ProgressLine line;
    std::function<void(const BatchProgress &)> progress;
    if (line.shown())
        progress = [&](const BatchProgress &p) { line.update(extractedFraction(r, p), p.framesWritten); };
    const BatchResult result = extractFrames(r, progress);
    line.finish();
    if (result.frames.empty())
        throw RefusalError("Nessun fotogramma estratto: il filmato non ha fotogrammi dopo l'istante "
                           + fixedText(r.from) + " s.");
    const std::string listName = r.folder + "fotogrammi.txt";
    frameListText(result.frames).saveToFile(listName);

    const double videoSpan = result.frames.empty() ? 0.0 : result.frames.back().time - r.from;
    const double wall = result.wallSeconds;
    std::printf("%zu fotogrammi %dx%d in %s (elenco: %s)\n", result.frames.size(), result.size.width,
                result.size.height, r.folder.c_str(), listName.c_str());
    std::printf("tempo %s s: %s fotogrammi/s, %s volte il tempo reale; decodifica %s s, PNG %s s\n",
                localeDecimal(wall, 3).c_str(), localeDecimal(wall > 0 ? result.frames.size() / wall : 0.0, 1).c_str(),
                localeDecimal(wall > 0 ? videoSpan / wall : 0.0, 1).c_str(),
                localeDecimal(result.decodeSeconds, 3).c_str(), localeDecimal(result.encodeSeconds, 3).c_str());
    if (!project.empty()) {
        writeExtractionProject(project, r.step, result.frames);
        std::printf("progetto: %s\n", project.c_str());
    }
    if (!result.frames.empty())
        std::printf("file scritti: %s ... %s, %s%s%s\n", frameFileName(r.folder, result.frames.front().number).c_str(),
                    frameFileName(r.folder, result.frames.back().number).c_str(), listName.c_str(),
                    project.empty() ? "" : ", ", project.c_str());
    return 0;
}

const CommandRegistration reg({"extract",
                               "extract FILMATO --out CARTELLA [--step S] [--first N] [--from T] [--to T] "
                               "[--size LxA|native] [--project FILE]",
                               "estrae un fotogramma ogni S secondi (0,2 se non indicato) con il suo tempo",
                               runExtract});

} // namespace

} // namespace kalvor::cli
