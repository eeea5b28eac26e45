// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/project/apri_progetto.hpp"

#include "gui/app/applicazione.hpp"
#include "gui/app/impostazioni.hpp"
#include "project/headless_project_steps.hpp"
#include "project/project_reader.hpp"

#include <QCommandLinkButton>
#include <QProgressBar>

namespace kalvor::gui {

namespace {

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
        // The screens show the job from the state when the chain opens them;
        // the steps do the screens' work on the state and stop the reading on
        // a missing frame or a bad line.
        HeadlessProjectSteps steps(app.stato());
        kalvor::readProjectFile(fileName.toStdString(), app.stato(), steps,
                                [&](int percent) { indicator.progress(percent); });
    }
    app.Impostazioni()->refreshFromState();
    app.Impostazioni()->ConfermaClick();
}

} // namespace kalvor::gui
