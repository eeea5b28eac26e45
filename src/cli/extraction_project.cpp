// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/extraction_project.hpp"

#include "common/errors.hpp"
#include "common/numbers.hpp"
#include "common/printable.hpp"
#include "project/project_writer.hpp"

#include <algorithm>
#include <filesystem>

namespace kalvor::cli {

std::string extractionProjectPath(const std::string &requested, const std::string &framesFolder)
{
    namespace fs = std::filesystem;
    const fs::path p(requested);
    if (requested.empty() || !p.has_filename())
        throw RefusalError("Indicare il nome del file di progetto, non una cartella: \"" + printable(requested)
                           + "\".");
    if (!p.has_parent_path())
        return framesFolder + requested;
    const fs::path folder = fs::weakly_canonical(fs::absolute(p.parent_path()));
    const fs::path frames = fs::weakly_canonical(fs::absolute(framesFolder.empty() ? "." : framesFolder));
    if (folder != frames)
        throw RefusalError("Il file di progetto \"" + printable(requested)
                           + "\" deve stare nella cartella dei fotogrammi \"" + framesFolder + "\".");
    return requested;
}

void writeExtractionProject(const std::string &path, double step, const std::vector<ExtractedFrame> &frames)
{
    StatoLavoro s;
    s.Estrattore.step = fixedText(step);
    for (const auto &f : frames) {
        s.Estrattore.ListaFotogrammi.append(intText(f.number));
        s.Estrattore.ListaTempi.append(fixedText(f.time));
    }
    // The screens' frame numbers and intervals within the frames written, so
    // that the job never names a frame that is not there.
    if (!frames.empty()) {
        const int first = frames.front().number;
        const int last = frames.back().number;
        s.Prospettiva.FotogrammaIniziale = intText(first);
        s.AreaCaptazione.FotogrammaIniziale = intText(first);
        s.Calibrazione.ImmagineIniziale = intText(first);
        s.Calibrazione.ImmagineFinale = intText(std::min(last, first + 200));
        s.Captazione.ImmagineIniziale = intText(first);
        s.Captazione.ImmagineFinale = intText(std::min(last, first + 200));
    }
    writeProjectFile(path, s);
}

} // namespace kalvor::cli
