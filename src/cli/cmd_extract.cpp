// SPDX-License-Identifier: GPL-3.0-or-later
// `kalvor-cli extract VIDEO --out DIR [--step S] [--first N] [--from T]
// [--to T] [--size WxH|native] [--project FILE]`: the frame extraction
// without a display; --project also writes a project file of the new job
// beside the frames.
#include "cli/commands.hpp"
#include "cli/extraction_project.hpp"
#include "common/errors.hpp"
#include "common/files.hpp"
#include "common/numbers.hpp"
#include "common/printable.hpp"
#include "extraction/batch_extraction.hpp"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <unistd.h>

namespace kalvor::cli {

namespace {

// Decimals on the command line may use either separator.
double decimalArgument(const std::string &name, const std::string &text)
{
    try {
        const bool comma = text.find(',') != std::string::npos;
        return toDecimal(text, comma ? NumberFormat::comma() : NumberFormat::dot());
    } catch (const ConversionError &) {
        throw ConversionError("Valore non valido per " + name + ": \"" + printable(text) + "\".");
    }
}

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

void printProgress(const BatchProgress &p)
{
    static const auto t0 = std::chrono::steady_clock::now();
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    const double pct = p.duration > 0 ? std::min(100.0, 100.0 * p.videoTime / p.duration) : 0.0;
    std::fprintf(stderr, "\r%5.1f%%  %d fotogrammi  %.1f fotog./s   ", pct, p.framesWritten,
                 wall > 0 ? p.framesWritten / wall : 0.0);
    std::fflush(stderr);
}

int runExtract(const Args &args)
{
    BatchRequest r;
    bool haveOut = false;
    std::string project;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string &a = args[i];
        const auto value = [&]() -> const std::string & {
            if (i + 1 >= args.size())
                throw RefusalError("Manca il valore di " + a + ".");
            return args[++i];
        };
        if (a == "--out") {
            r.folder = value();
            haveOut = true;
        } else if (a == "--step") {
            r.step = decimalArgument(a, value());
        } else if (a == "--first") {
            const std::string &v = value();
            try {
                r.firstNumber = toInt(v);
            } catch (const ConversionError &) {
                throw ConversionError("Valore non valido per --first: \"" + printable(v) + "\".");
            }
        } else if (a == "--from") {
            r.from = decimalArgument(a, value());
        } else if (a == "--to") {
            r.to = decimalArgument(a, value());
            if (r.to < 0)
                throw RefusalError("L'istante finale non può essere negativo.");
        } else if (a == "--size") {
            r.size = sizeArgument(value(), r.nativeSize);
        } else if (a == "--project") {
            project = value();
        } else if (a == "--plain") {
            r.pipelined = false; // the single-thread reference, for comparisons
        } else if (!a.empty() && a[0] == '-') {
            throw RefusalError("Opzione sconosciuta \"" + printable(a) + "\".");
        } else if (r.video.empty()) {
            r.video = a;
        } else {
            throw RefusalError("Un solo filmato per volta: \"" + printable(a) + "\" è di troppo.");
        }
    }
    if (r.video.empty() || !haveOut)
        throw RefusalError("Uso: kalvor-cli extract FILMATO --out CARTELLA [--step S] [--first N] [--from T] "
                           "[--to T] [--size LxA|native] [--project FILE]");
    r.folder = prepareOutputFolder(r.folder);
    if (!project.empty())
        project = extractionProjectPath(project, r.folder);

    const bool tty = isatty(fileno(stderr)) != 0;
    std::function<void(const BatchProgress &)> progress;
    if (tty)
        progress = [](const BatchProgress &p) { printProgress(p); };
    const BatchResult result = extractFrames(r, progress);
    if (tty)
        std::fputc('\n', stderr);
    if (result.frames.empty())
        throw RefusalError("Nessun fotogramma estratto: il filmato non ha fotogrammi dopo l'istante "
                           + fixedText(r.from) + " s.");
    const std::string listName = r.folder + "fotogrammi.txt";
    frameListText(result.frames).saveToFile(listName);

    const double videoSpan = result.frames.empty() ? 0.0 : result.frames.back().time - r.from;
    std::printf("%zu fotogrammi %dx%d in %s (elenco: %s)\n", result.frames.size(), result.size.width,
                result.size.height, r.folder.c_str(), listName.c_str());
    std::printf("tempo %.3f s: %.1f fotogrammi/s, %.1f volte il tempo reale; decodifica %.3f s, PNG %.3f s\n",
                result.wallSeconds, result.wallSeconds > 0 ? result.frames.size() / result.wallSeconds : 0.0,
                result.wallSeconds > 0 ? videoSpan / result.wallSeconds : 0.0, result.decodeSeconds,
                result.encodeSeconds);
    if (!project.empty()) {
        writeExtractionProject(project, r.step, result.frames);
        std::printf("progetto: %s\n", project.c_str());
    }
    return 0;
}

const CommandRegistration reg({"extract",
                               "extract VIDEO --out DIR [--step S] [--first N] [--from T] [--to T] [--size WxH|native] "
                               "[--project FILE]",
                               "extract captioned PNG frames every S seconds (default 0.2) with their times",
                               runExtract});

} // namespace

} // namespace kalvor::cli
