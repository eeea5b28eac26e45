// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/project/apri_progetto.hpp"

#include "common/drawing.hpp"
#include "gui/app/applicazione.hpp"
#include "gui/capture/captazione.hpp"
#include "gui/geometry/area_captazione.hpp"
#include "gui/geometry/prospettiva.hpp"
#include "project/headless_project_steps.hpp"
#include "project/project_reader.hpp"

namespace kalvor::gui {

namespace {

// The reader's steps on the program's screens: the engine applies each step
// to the job state once (it throws, and so stops the reading, on a missing
// frame or a bad line); the screens then only show what it produced.
class ScreenSteps : public ProjectScreenSteps
{
public:
    explicit ScreenSteps(Applicazione &app)
        : m_app(app)
        , m_engine(app.stato())
    {
    }

    void AzzeraSenzaRichieste() override
    {
        m_engine.AzzeraSenzaRichieste();
        m_app.Prospettiva()->showReset(m_engine.referenceFrame());
    }
    void DisegnaPunti() override
    {
        m_engine.DisegnaPunti();
        m_app.Prospettiva()->showReferencePoints(m_engine.referenceMarkers());
    }
    void AzzeraDatiClick() override
    {
        m_engine.AzzeraDatiClick();
        m_app.AreaCaptazione()->showCleared(m_engine.areaFrame());
    }
    void disegnaElementi() override
    {
        m_engine.disegnaElementi();
        m_app.AreaCaptazione()->showElements(m_engine.areaDrawing());
    }
    // The capture screen starts its session from the job: background,
    // counters, the frame shown and its overlays.
    void CalcolaMediaClick() override { m_app.Captazione()->CalcolaMediaDaProgetto(); }
    void setBarraElaborazione(int position) override { m_app.Captazione()->setBarraElaborazione(position); }
    void showCaptureFrame(const RgbImage &frame) override { m_app.Captazione()->showCaptureFrame(frame); }
    void drawCaptureOverlays() override { m_app.Captazione()->drawCaptureOverlays(); }

private:
    Applicazione &m_app;
    HeadlessProjectSteps m_engine;
};

} // namespace

void readProjectFile(Applicazione &app, const QString &fileName, const ProjectProgress &progress)
{
    ScreenSteps steps(app);
    kalvor::readProjectFile(fileName.toStdString(), app.stato(), steps, progress);
}

} // namespace kalvor::gui
