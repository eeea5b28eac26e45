// SPDX-License-Identifier: GPL-3.0-or-later
// A job file read as `kalvor-cli run` reads it, then the same chain on three
// small frames beside it: the confirmation of the extraction, the
// transformation, the calibration background and the automatic run.
#include "common/errors.hpp"
#include "common/numbers.hpp"
#include "detection/elaborazione_automatica.hpp"
#include "detection/sfondo.hpp"
#include "extraction/extractor.hpp"
#include "extraction/frame_file.hpp"
#include "extraction/png_io.hpp"
#include "geometry/trasformazione.hpp"
#include "project/headless_project_steps.hpp"
#include "project/project_reader.hpp"

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>

namespace {

// A folder with frames 0, 1 and 2 (48 x 32, a bright block moving on grey).
const std::string &framesFolder()
{
    static const std::string folder = [] {
        char pattern[] = "/tmp/kalvor-fuzz-run-XXXXXX";
        if (::mkdtemp(pattern) == nullptr)
            std::abort();
        const std::string f = std::string(pattern) + "/";
        for (int n = 0; n < 3; ++n) {
            kalvor::RgbImage img(48, 32);
            for (int y = 0; y < img.height; ++y)
                for (int x = 0; x < img.width; ++x) {
                    const bool block = y >= 10 && y < 20 && x >= 5 + 10 * n && x < 15 + 10 * n;
                    std::uint8_t *p = img.row(y) + 3 * x;
                    p[0] = p[1] = p[2] = block ? 230 : 90;
                }
            kalvor::writePng(kalvor::frameFileName(f, n), img);
        }
        return f;
    }();
    return folder;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string job = framesFolder() + "lavoro.kvr";
    // A plain write: the atomic one syncs the disk, a hundred times slower here.
    std::ofstream(job, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char *>(data), static_cast<std::streamsize>(size));
    try {
        kalvor::StatoLavoro s;
        kalvor::HeadlessProjectSteps screens(s);
        kalvor::readProjectFile(job, s, screens);
        kalvor::confirmExtraction(s);
        const kalvor::RgbImage riferimento = kalvor::readPng(
            kalvor::frameFileName(s.Estrattore.Cartella, kalvor::toInt(s.Prospettiva.FotogrammaIniziale)));
        kalvor::runTransformation(s, riferimento.width, riferimento.height);
        kalvor::computeBackground(s.C, s.Calibrazione, s.AreaCaptazione.PuntiRiferimento, s.Estrattore.Cartella,
                                  kalvor::BackgroundFor::Calibrazione);
        kalvor::RunControl controllo;
        controllo.mostraMaschera = false;
        kalvor::DetectionWorkspace spazio;
        kalvor::ElaborazioneImmagini(s, controllo, spazio, {});
    } catch (const kalvor::Error &) {
    }
    return 0;
}
