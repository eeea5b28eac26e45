// SPDX-License-Identifier: GPL-3.0-or-later
// `kalvor-cli scene OUT [--duration S] [--codec lossless|mpeg4|h264] [--size WxH]
// [--seed N] [--quality Q] [--truth FILE]`: a synthetic road video (or PNG
// frames when OUT ends with '/') for demos and benchmarks. Q is the H.264 CRF
// (default 23) or the MPEG-4 quantiser.
#include "cli/commands.hpp"
#include "cli/options.hpp"
#include "common/errors.hpp"
#include "common/files.hpp"
#include "common/numbers.hpp"
#include "common/printable.hpp"
#include "scene/road_scene.hpp"
#include "scene/video_writer.hpp"

#include <filesystem>
#include <iostream>

namespace kalvor::cli {

namespace {

const CommandHelp kHelp {"scene",
                         "USCITA [opzioni]",
                         "Scrive un filmato sintetico di una strada con veicoli noti (o i fotogrammi PNG in USCITA/\n"
                         "quando USCITA finisce con '/'), per dimostrazioni e misure di prestazioni.",
                         {{"--duration", "S", "durata in secondi"},
                          {"--codec", "lossless|mpeg4|h264", "codifica del filmato (h264 se non indicata)"},
                          {"--size", "LxA", "larghezza e altezza in pixel"},
                          {"--seed", "N", "seme dei numeri casuali della scena"},
                          {"--quality", "Q", "CRF di H.264 (23 se non indicato) o quantizzatore di MPEG-4"},
                          {"--truth", "FILE", "scrive anche la verità della scena (CSV)"}},
                         decimalsHelpLine()};

int runScene(const Args &args)
{
    const auto options = parseOptions(args, kHelp);
    if (!options)
        return 0;
    const ParsedOptions &opt = *options;
    scene::SceneOptions o;
    scene::VideoSettings v;
    v.codec = scene::VideoCodec::H264;
    o.duration = opt.decimal("--duration", o.duration);
    if (opt.has("--codec")) {
        const std::string c = opt.text("--codec");
        if (c == "lossless")
            v.codec = scene::VideoCodec::Lossless;
        else if (c == "mpeg4")
            v.codec = scene::VideoCodec::Mpeg4;
        else if (c == "h264")
            v.codec = scene::VideoCodec::H264;
        else
            throw RefusalError("Codifica sconosciuta \"" + printable(c) + "\": lossless, mpeg4 o h264.");
    }
    if (opt.has("--size")) {
        const std::string s = opt.text("--size");
        const auto x = s.find('x');
        if (x == std::string::npos)
            throw RefusalError("Dimensione non valida \"" + printable(s) + "\": atteso LARGHEZZAxALTEZZA.");
        o.width = optionInteger("--size", s.substr(0, x));
        o.height = optionInteger("--size", s.substr(x + 1));
    }
    v.quality = opt.integer("--quality", v.quality);
    if (opt.has("--seed"))
        o.seed = static_cast<std::uint64_t>(opt.integer("--seed", 0));
    const std::string truth = opt.text("--truth");
    if (opt.positional.size() > 1)
        throw RefusalError("Argomento di troppo \"" + printable(opt.positional[1]) + "\".");
    const std::string out = opt.positional.empty() ? std::string() : opt.positional[0];
    if (out.empty())
        throw RefusalError("Uso: kalvor-cli scene " + kHelp.synopsis + ". Vedere kalvor-cli scene --help.");
    const scene::RoadScene road(o);
    if (out.back() == '/') {
        std::filesystem::create_directories(out);
        scene::writeScenePngs(road, out, 0, road.frameCount());
    } else {
        try {
            scene::encodeScene(road, out, v);
        } catch (const std::runtime_error &e) {
            throw FileError("Impossibile scrivere il filmato \"" + printable(out) + "\" (" + printable(e.what())
                            + ").");
        }
    }
    if (!truth.empty())
        writeFileAtomically(truth, scene::truthCsv(road));
    std::cout << road.frameCount() << " fotogrammi " << o.width << "x" << o.height << " in " << out << "\n";
    return 0;
}

const CommandRegistration reg({"scene",
                               "scene USCITA [--duration S] [--codec lossless|mpeg4|h264] [--size LxA] [--seed N] "
                               "[--quality Q] [--truth FILE]",
                               "scrive un filmato sintetico di una strada con veicoli noti", runScene});

} // namespace

} // namespace kalvor::cli
