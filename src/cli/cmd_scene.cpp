// SPDX-License-Identifier: GPL-3.0-or-later
// `kalvor-cli scene OUT [--duration S] [--codec lossless|mpeg4|h264] [--size WxH]
// [--seed N] [--quality Q] [--truth FILE]`: a synthetic road video (or PNG
// frames when OUT ends with '/') for demos and benchmarks. Q is the H.264 CRF
// (default 23) or the MPEG-4 quantiser.
#include "cli/commands.hpp"
#include "common/errors.hpp"
#include "common/files.hpp"
#include "common/numbers.hpp"
#include "common/printable.hpp"
#include "support/road_scene.hpp"
#include "support/video_writer.hpp"

#include <filesystem>
#include <iostream>

namespace kalvor::cli {

namespace {

int runScene(const Args &args)
{
    testing::SceneOptions o;
    testing::VideoSettings v;
    v.codec = testing::VideoCodec::H264;
    std::string out;
    std::string truth;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string &a = args[i];
        const auto value = [&]() -> const std::string & {
            if (i + 1 >= args.size())
                throw RefusalError("Manca il valore di " + a + ".");
            return args[++i];
        };
        if (a == "--duration") {
            o.duration = toDecimal(value(), NumberFormat::dot());
        } else if (a == "--codec") {
            const std::string c = value();
            if (c == "lossless")
                v.codec = testing::VideoCodec::Lossless;
            else if (c == "mpeg4")
                v.codec = testing::VideoCodec::Mpeg4;
            else if (c == "h264")
                v.codec = testing::VideoCodec::H264;
            else
                throw RefusalError("Codifica sconosciuta \"" + printable(c) + "\": lossless, mpeg4 o h264.");
        } else if (a == "--size") {
            const std::string s = value();
            const auto x = s.find('x');
            if (x == std::string::npos)
                throw ConversionError("Dimensione non valida \"" + printable(s) + "\".");
            o.width = toInt(s.substr(0, x));
            o.height = toInt(s.substr(x + 1));
        } else if (a == "--quality") {
            v.quality = toInt(value());
        } else if (a == "--seed") {
            o.seed = static_cast<std::uint64_t>(toInt(value()));
        } else if (a == "--truth") {
            truth = value();
        } else if (out.empty()) {
            out = a;
        } else {
            throw RefusalError("Argomento di troppo \"" + printable(a) + "\".");
        }
    }
    if (out.empty())
        throw RefusalError("Uso: kalvor-cli scene USCITA [--duration S] [--codec lossless|mpeg4|h264] [--size LxA] "
                           "[--seed N] [--quality Q] [--truth FILE]");
    const testing::RoadScene scene(o);
    if (out.back() == '/') {
        std::filesystem::create_directories(out);
        testing::writeScenePngs(scene, out, 0, scene.frameCount());
    } else {
        try {
            testing::encodeScene(scene, out, v);
        } catch (const std::runtime_error &e) {
            throw FileError("Impossibile scrivere il filmato \"" + printable(out) + "\": " + e.what());
        }
    }
    if (!truth.empty())
        writeFileAtomically(truth, testing::truthCsv(scene));
    std::cout << scene.frameCount() << " fotogrammi " << o.width << "x" << o.height << " in " << out << "\n";
    return 0;
}

const CommandRegistration reg({"scene",
                               "scene OUT [--duration S] [--codec lossless|mpeg4|h264] [--size WxH] [--seed N] "
                               "[--quality Q] [--truth FILE]",
                               "write a synthetic road video (or PNG frames into OUT/) with known vehicles", runScene});

} // namespace

} // namespace kalvor::cli
