// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/app/applicazione.hpp"
#include "gui/app/impostazioni.hpp"
#include "gui/platform/scripted_platform.hpp"
#include "support/modal_driver.hpp"

#include <QDialog>
#include <QtTest>

using namespace kalvor::gui;

class TestAvvio : public QObject
{
    Q_OBJECT
private slots:
    void screensAreCreatedInOrderWithTheirCaptions()
    {
        ScriptedPlatform platform;
        Applicazione app(platform);
        const QList<QPair<QString, QString>> expected = {
            {"Impostazioni", "Precisazioni tecniche per l'utilizzo della KALVOR"},
            {"Prospettiva", "Distanze di riferimento"},
            {"Calibrazione", "Calibrazione modello"},
            {"Captazione", "Captazione veicoli assistita  dal calcolatore"},
            {"logo", "logo"},
            {"Estrattore", "Estrattore fotogrammi da esaminare"},
            {"AreaCaptazione", "Definisci l'area di esaminazione"},
            {"AggiungiVeicolo", "Aggiungi Veicolo"},
            {"ModificaVeicolo", "Modifica Veicolo"},
            {"Risultati", "Risultati"},
            {"SceltaVersoLetture", "Come hai preso le misure?"},
            {"Riferimenti", "Riferimenti"},
            {"Controindicazioni", "Controindicazioni"},
            {"Assemblazione", "Assemblazione elaborazioni"},
            {"PuntiGPS", "Coordinate GPS"},
            {"IndicatoriSicurezza", "IndicatoriSicurezza"},
        };
        const QList<QWidget *> screens = app.screens();
        QCOMPARE(screens.size(), expected.size());
        for (int i = 0; i < expected.size(); ++i) {
            QCOMPARE(screens[i]->objectName(), expected[i].first);
            QCOMPARE(screens[i]->windowTitle(), expected[i].second);
        }
        // The real creation order: the main screen owns the others in the order they were made.
        QStringList owned;
        for (QObject *child : app.Impostazioni()->children())
            if (auto *dialog = qobject_cast<QDialog *>(child))
                owned << dialog->objectName();
        QStringList expectedOwned;
        for (int i = 1; i < expected.size(); ++i)
            expectedOwned << expected[i].first;
        QCOMPARE(owned, expectedOwned);
        // One class per screen, named as the program names it.
        QCOMPARE(QString(screens[0]->metaObject()->className()), QString("kalvor::gui::TImpostazioni"));
        QCOMPARE(QString(screens[4]->metaObject()->className()), QString("kalvor::gui::Tlogo"));
        QCOMPARE(QString(screens[15]->metaObject()->className()), QString("kalvor::gui::TIndicatoriSicurezza"));
    }

    void windowKindsFollowTheScreens()
    {
        ScriptedPlatform platform;
        Applicazione app(platform);
        const QList<QWidget *> s = app.screens();
        for (int maximized : {1, 2, 3, 5, 6})
            QVERIFY2(s[maximized]->windowState() & Qt::WindowMaximized, qPrintable(s[maximized]->objectName()));
        for (int borderless : {4, 12})
            QVERIFY(s[borderless]->windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(s[4]->size(), QSize(649, 448));
        QCOMPARE(s[12]->size(), QSize(785, 561));
        for (int closeOnly : {7, 8, 13}) {
            QVERIFY(s[closeOnly]->windowFlags() & Qt::WindowCloseButtonHint);
            QVERIFY(!(s[closeOnly]->windowFlags() & Qt::WindowMinMaxButtonsHint));
        }
    }

    void startShowsTheMainScreenAfterTheAboutBox()
    {
        ScriptedPlatform platform;
        Applicazione app(platform);
        for (QWidget *screen : app.screens())
            QVERIFY(!screen->isVisible());
        test::ModalDriver driver;
        bool mainVisibleBehindAbout = false;
        driver.then([&](QWidget *screen) {
            mainVisibleBehindAbout = app.Impostazioni()->isVisible();
            screen->close();
        });
        app.start();
        QCOMPARE(driver.seen, QStringList {"logo"});
        QVERIFY(mainVisibleBehindAbout);
        QVERIFY(app.Impostazioni()->isVisible());
        QVERIFY(app.Impostazioni()->windowState() & Qt::WindowMaximized);
        for (QWidget *screen : app.screens().mid(1))
            QVERIFY2(!screen->isVisible(), qPrintable(screen->objectName()));
        QVERIFY(platform.messageTexts("error").isEmpty());
    }
};

QTEST_MAIN(TestAvvio)
#include "test_avvio.moc"
