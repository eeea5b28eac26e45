// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/app/applicazione.hpp"

#include "gui/app/controindicazioni.hpp"
#include "gui/app/impostazioni.hpp"
#include "gui/app/kalvor_application.hpp"
#include "gui/app/logo.hpp"
#include "gui/app/qt_translations.hpp"
#include "gui/app/riferimenti.hpp"
#include "gui/app/screen_keys.hpp"
#include "gui/capture/aggiungi_veicolo.hpp"
#include "gui/capture/captazione.hpp"
#include "gui/capture/modifica_veicolo.hpp"
#include "gui/detection/calibrazione.hpp"
#include "gui/extraction/estrattore.hpp"
#include "gui/geometry/area_captazione.hpp"
#include "gui/geometry/prospettiva.hpp"
#include "gui/geometry/punti_gps.hpp"
#include "gui/geometry/scelta_verso_letture.hpp"
#include "gui/platform/click_animation.hpp"
#include "gui/platform/qt_platform.hpp"
#include "gui/platform/resources.hpp"
#include "gui/platform/style.hpp"
#include "gui/project/assemblazione.hpp"
#include "gui/results/risultati.hpp"
#include "gui/safety/indicatori_sicurezza.hpp"

#include <QCoreApplication>
#include <QDialog>
#include <QTimer>

namespace kalvor::gui {

Applicazione::Applicazione(Platform &platform)
    : m_platform(platform)
{
    // The order of creation is the program's: the first becomes the main screen.
    m_impostazioni = std::make_unique<TImpostazioni>(*this, m_stato, m_platform);
    QWidget *owner = m_impostazioni.get();
    m_prospettiva = new TProspettiva(*this, m_stato, m_platform, owner);
    m_calibrazione = new TCalibrazione(*this, m_stato, m_platform, owner);
    m_captazione = new TCaptazione(*this, m_stato, m_platform, owner);
    m_logo = new Tlogo(*this, m_stato, m_platform, owner);
    m_estrattore = new TEstrattore(*this, m_stato, m_platform, owner);
    m_areaCaptazione = new TAreaCaptazione(*this, m_stato, m_platform, owner);
    m_aggiungiVeicolo = new TAggiungiVeicolo(*this, m_stato, m_platform, owner);
    m_modificaVeicolo = new TModificaVeicolo(*this, m_stato, m_platform, owner);
    m_risultati = new TRisultati(*this, m_stato, m_platform, owner);
    m_sceltaVersoLetture = new TSceltaVersoLetture(*this, m_stato, m_platform, owner);
    m_riferimenti = new TRiferimenti(*this, m_stato, m_platform, owner);
    m_controindicazioni = new TControindicazioni(*this, m_stato, m_platform, owner);
    m_assemblazione = new TAssemblazione(*this, m_stato, m_platform, owner);
    m_puntiGPS = new TPuntiGPS(*this, m_stato, m_platform, owner);
    m_indicatoriSicurezza = new TIndicatoriSicurezza(*this, m_stato, m_platform, owner);

    QObject::connect(m_puntiGPS, &TPuntiGPS::pointRecorded, m_prospettiva, &TProspettiva::showRecordedPoint);

    for (QWidget *screen : screens())
        if (auto *dialog = qobject_cast<QDialog *>(screen))
            disableAutomaticEnter(dialog);
    for (QDialog *step :
         std::initializer_list<QDialog *> {m_riferimenti, m_estrattore, m_prospettiva, m_areaCaptazione, m_calibrazione,
                                           m_captazione, m_risultati, m_indicatoriSicurezza, m_assemblazione})
        keepOpenOnEscape(step);
}

Applicazione::~Applicazione() = default;

QList<QWidget *> Applicazione::screens() const
{
    return {m_impostazioni.get(), m_prospettiva,    m_calibrazione,      m_captazione,      m_logo,
            m_estrattore,         m_areaCaptazione, m_aggiungiVeicolo,   m_modificaVeicolo, m_risultati,
            m_sceltaVersoLetture, m_riferimenti,    m_controindicazioni, m_assemblazione,   m_puntiGPS,
            m_indicatoriSicurezza};
}

void Applicazione::start()
{
    m_impostazioni->showMaximized();
    m_impostazioni->FormShow();
}

void Applicazione::showModal(QDialog *screen)
{
    if (m_ending || !screen)
        return;
    screen->exec();
}

namespace {

QTimer *magnifierTimer(QWidget *screen)
{
    return screen ? screen->findChild<QTimer *>(QStringLiteral("ingrandimento_TIMER")) : nullptr;
}

} // namespace

void Applicazione::switchMagnifierOn(QWidget *screen)
{
    if (QTimer *timer = magnifierTimer(screen))
        timer->start();
}

void Applicazione::switchMagnifierOff(QWidget *screen)
{
    if (QTimer *timer = magnifierTimer(screen))
        timer->stop();
}

void Applicazione::playClickAnimation(QWidget *screen, QPoint globalPos)
{
    ClickAnimation::play(screen, globalPos, m_impostazioni->ImmaginiAnimazioneMouse(), clickAnimationMs);
}

void Applicazione::endProgram()
{
    m_ending = true;
    // Every open screen is rejected; each nested loop returns as control comes back to it.
    const QList<QWidget *> all = screens();
    for (auto it = all.rbegin(); it != all.rend(); ++it)
        if (auto *dialog = qobject_cast<QDialog *>(*it); dialog && dialog->isVisible())
            dialog->reject();
    m_impostazioni->close();
    QCoreApplication::exit(0);
}

int runKalvor(int argc, char **argv)
{
    KalvorApplication qapp(argc, argv);
    installQtItalian();
    QCoreApplication::setApplicationName(QStringLiteral("Kalvor"));
    QGuiApplication::setApplicationDisplayName(QStringLiteral("Kalvor"));
    QGuiApplication::setDesktopFileName(QStringLiteral("kalvor"));
    QGuiApplication::setWindowIcon(QIcon(picturePath(QStringLiteral("kalvor.svg"))));
    setCurrentNumberFormat(NumberFormat::fromLocale());
    applyProgramStyle(qapp);

    QtPlatform platform;
    qapp.setPlatform(&platform);
    int result = 0;
    {
        Applicazione app(platform);
        app.start();
        if (!app.ending())
            result = QApplication::exec();
    }
    qapp.setPlatform(nullptr);
    return result;
}

} // namespace kalvor::gui
