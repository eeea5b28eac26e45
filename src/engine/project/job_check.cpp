// SPDX-License-Identifier: GPL-3.0-or-later
#include "project/job_check.hpp"

#include "common/errors.hpp"
#include "common/files.hpp"
#include "extraction/frame_file.hpp"
#include "extraction/png_io.hpp"
#include "geometry/area_captazione.hpp"
#include "geometry/prospettiva.hpp"
#include "project/headless_project_steps.hpp"
#include "project/project_numbers.hpp"
#include "project/project_reader.hpp"

#include <filesystem>

namespace kalvor {

namespace {

// The reader's screen steps on the state alone: what each does to the items,
// without loading frames or computing the capture background.
class StateOnlySteps : public ProjectScreenSteps
{
public:
    explicit StateOnlySteps(StatoLavoro &s)
        : m_s(s)
    {
    }
    void AzzeraSenzaRichieste() override
    {
        startReferenceReset(m_s);
        finishAzzeraSenzaRichieste(m_s);
    }
    void DisegnaPunti() override { }
    void AzzeraDatiClick() override { clearArea(m_s.AreaCaptazione); }
    void disegnaElementi() override { }
    void CalcolaMediaClick() override { avviaCaptazione(m_s); }
    void setBarraElaborazione(int) override { }
    void showCaptureFrame(const RgbImage &) override { }
    void drawCaptureOverlays() override { }

private:
    StatoLavoro &m_s;
};

void readWithoutFrames(const TextList &testo, StatoLavoro &s)
{
    StateOnlySteps steps(s);
    readProjectLines(testo, s, steps);
}

} // namespace

JobFileCheck checkJobFile(const std::string &path, StatoLavoro &s)
{
    JobFileCheck out;
    TextList testo;
    testo.loadFromFile(path);
    s.Estrattore.Cartella = folderOf(path);
    out.problems = checkProjectNumbers(testo);
    if (!out.problems.empty())
        return out;
    out.read = true;
    try {
        readWithoutFrames(testo, s);
    } catch (const FileError &e) {
        // The capture's current frame, the one file this reading loads: the
        // rest of the job is still worth confirming.
        out.problems.push_back({"Captazione", e.what()});
    } catch (const Error &e) {
        out.problems.push_back({"file", e.what()});
        return out;
    }
    try {
        const std::string reference = frameFileName(s.Estrattore.Cartella, toInt(s.Prospettiva.FotogrammaIniziale));
        std::error_code ec;
        if (std::filesystem::is_regular_file(reference, ec)) {
            const RgbImage frame = readPng(reference);
            out.frameWidth = frame.width;
            out.frameHeight = frame.height;
        }
    } catch (const Error &e) {
        out.problems.push_back({"Prospettiva", e.what()});
    }
    const auto confirmed = confirmJob(s, out.frameWidth, out.frameHeight);
    out.problems.insert(out.problems.end(), confirmed.begin(), confirmed.end());
    return out;
}

} // namespace kalvor
