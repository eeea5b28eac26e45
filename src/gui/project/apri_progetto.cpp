// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/project/apri_progetto.hpp"

#include "common/drawing.hpp"
#include "gui/app/applicazione.hpp"
#include "gui/app/impostazioni.hpp"
#include "gui/geometry/area_captazione.hpp"
#include "gui/geometry/prospettiva.hpp"
#include "project/headless_project_steps.hpp"
#include "project/project_reader.hpp"

#include <QCommandLinkButton>
#include <QProgressBar>

namespace kalvor::gui {

namespace {

// The reader's steps on the program's screens. Each step first does its work
// on the job state through the engine, which throws and so stops the reading
// on a missing frame or a bad line, and then lets the screen show the result
// (the screens report their own errors and carry on).
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
        m_app.Prospettiva()->AzzeraSenzaRichieste();
    }
    void DisegnaPunti() override
    {
        m_engine.DisegnaPunti();
        m_app.Prospettiva()->DisegnaPunti();
    }
    void AzzeraDatiClick() override
    {
        m_engine.AzzeraDatiClick();
        m_app.AreaCaptazione()->AzzeraDatiClick();
    }
    void disegnaElementi() override
    {
        m_engine.disegnaElementi();
        m_app.AreaCaptazione()->disegnaElementi();
    }
    // The capture screen shows no frame and draws no overlay yet: its part is
    // the background and the counters on the job state.
    void CalcolaMediaClick() override { m_engine.CalcolaMediaClick(); }
    void setBarraElaborazione(int) override { }
    void showCaptureFrame(const RgbImage &frame) override { m_engine.showCaptureFrame(frame); }
    void drawCaptureOverlays() override { }

private:
    Applicazione &m_app;
    HeadlessProjectSteps m_engine;
};

// Barra shown and Conferma disabled while reading; both back to normal when
// the reading ends, also on a failure, so that the program stays usable.
class ReadingIndicator
{
public:
    explicit ReadingIndicator(TImpostazioni *main)
        : m_main(main)
    {
        m_main->Barra()->setRange(0, 100);
        m_main->Barra()->setValue(0);
        m_main->Barra()->show();
        m_main->Conferma()->setEnabled(false);
    }
    ~ReadingIndicator()
    {
        m_main->Conferma()->setEnabled(true);
        m_main->Barra()->hide();
    }
    ReadingIndicator(const ReadingIndicator &) = delete;
    ReadingIndicator &operator=(const ReadingIndicator &) = delete;

    void progress(int percent) { m_main->Barra()->setValue(percent); }

private:
    TImpostazioni *m_main;
};

} // namespace

void readProjectFile(Applicazione &app, const QString &fileName)
{
    {
        ReadingIndicator indicator(app.Impostazioni());
        ScreenSteps steps(app);
        kalvor::readProjectFile(fileName.toStdString(), app.stato(), steps,
                                [&](int percent) { indicator.progress(percent); });
    }
    app.Impostazioni()->refreshFromState();
    app.Impostazioni()->ConfermaClick();
}

} // namespace kalvor::gui
