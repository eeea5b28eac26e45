// SPDX-License-Identifier: GPL-3.0-or-later
// `kalvor-cli frames-demo DIR`: writes a few frame files and reads them back,
// showing the frame naming and the PNG round trip.
#include "cli/commands.hpp"
#include "cli/options.hpp"
#include "common/errors.hpp"
#include "common/printable.hpp"
#include "extraction/frame_file.hpp"
#include "extraction/png_io.hpp"

#include <chrono>
#include <filesystem>
#include <iostream>

namespace kalvor::cli {

namespace {

RgbImage gradientFrame(int w, int h, int k)
{
    RgbImage img(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            std::uint8_t *p = img.row(y) + 3 * x;
            p[0] = static_cast<std::uint8_t>((x + 7 * k) & 0xFF);
            p[1] = static_cast<std::uint8_t>(y & 0xFF);
            p[2] = static_cast<std::uint8_t>((x ^ y) & 0xFF);
        }
    return img;
}

const CommandHelp kHelp {"frames-demo",
                         "CARTELLA",
                         "Scrive cinque fotogrammi 640x480 in CARTELLA e li rilegge, per mostrare i nomi\n"
                         "dei file dei fotogrammi e la lettura e scrittura PNG.",
                         {}};

int runFramesDemo(const Args &arguments)
{
    const auto options = parseOptions(arguments, kHelp);
    if (!options)
        return 0;
    const Args &args = options->positional;
    if (args.size() != 1)
        throw RefusalError("Indicare la cartella dei fotogrammi: kalvor-cli frames-demo CARTELLA");
    std::string dir = args[0];
    if (dir.back() != '/')
        dir += '/';
    std::filesystem::create_directories(dir);
    const int count = 5;
    const auto t0 = std::chrono::steady_clock::now();
    for (int n = 0; n < count; ++n) {
        const std::string name = frameFileName(dir, n);
        const RgbImage img = gradientFrame(640, 480, n);
        writePng(name, img);
        const RgbImage back = readPng(name);
        if (!(back == img))
            throw Error("Il fotogramma \"" + printable(name) + "\" riletto è diverso da quello scritto.");
        std::cout << "scritto e riletto " << name << " (" << img.width << "x" << img.height << ", "
                  << std::filesystem::file_size(name) << " byte)\n";
    }
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
    std::cout << count << " fotogrammi scritti e riletti identici in " << localeDecimal(ms, 1) << " ms\n";
    return 0;
}

const CommandRegistration reg({"frames-demo", "frames-demo CARTELLA",
                               "scrive cinque fotogrammi 640x480 in CARTELLA e li rilegge", runFramesDemo});

} // namespace

} // namespace kalvor::cli
