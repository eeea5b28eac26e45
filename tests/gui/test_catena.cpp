// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/app/applicazione.hpp"
#include "gui/app/impostazioni.hpp"
#include "gui/capture/aggiungi_veicolo.hpp"
#include "gui/capture/captazione.hpp"
#include "gui/capture/modifica_veicolo.hpp"
#include "gui/geometry/area_captazione.hpp"
#include "gui/geometry/prospettiva.hpp"
#include "gui/platform/scripted_platform.hpp"
#include "gui/project/assemblazione.hpp"
#include "support/modal_driver.hpp"
#include "support/screen_parts.hpp"

#include <QCommandLinkButton>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QtTest>

using namespace kalvor::gui;
using namespace kalvor::testing;
using test::ModalDriver;

namespace {

QString fieldText(QWidget *screen, const char *name)
{
    auto *field = screen->findChild<QLineEdit *>(name);
    return field ? field->text() : QStringLiteral("<missing>");
}

} // namespace

class TestCatena : public QObject
{
    Q_OBJECT
private slots:
    void chainShowsTheWorkScreensInOrderHoweverTheyClose()
    {
        ScriptedPlatform platform;
        Applicazione app(platform);
        ModalDriver driver;
        driver.then(ModalDriver::click("Conferma")); // Riferimenti
        driver.then(ModalDriver::closeBox()); // Estrattore: the chain goes on all the same
        driver.then([](QWidget *screen) { // Prospettiva: nothing to transform, so it stays open
            ModalDriver::click("Conferma")(screen);
            QVERIFY(screen->isVisible());
            screen->close();
        });
        driver.then(ModalDriver::closeBox()); // AreaCaptazione
        driver.then(ModalDriver::click("Conferma")); // Calibrazione, which shows the warning
        driver.then(ModalDriver::closeBox()); // Controindicazioni
        driver.then(ModalDriver::closeBox()); // Captazione has no confirming button of its own
        app.Impostazioni()->ConfermaClick();
        QCOMPARE(driver.seen,
                 (QStringList {"Riferimenti", "Estrattore", "Prospettiva", "AreaCaptazione", "Calibrazione",
                               "Controindicazioni", "Captazione"}));
        for (QWidget *screen : app.screens().mid(1))
            QVERIFY2(!screen->isVisible(), qPrintable(screen->objectName()));
        // Estrattore closed by its box: the magnifier of Prospettiva was never switched on by it;
        // Prospettiva's attempt to transform drew its (no) points, which switches the area's on,
        // then refused to go on and was closed by its box; the calibration confirmation switched
        // the capture's on.
        QVERIFY(!magnifierTimer(app.Prospettiva())->isActive());
        QVERIFY(magnifierTimer(app.AreaCaptazione())->isActive());
        QVERIFY(magnifierTimer(app.Captazione())->isActive());
        QCOMPARE(platform.messageTexts("error").size(), 1);
        QVERIFY(platform.messageTexts("error").front().startsWith("Le coordinate sono ancora da trasformare"));
    }

    void closingEveryScreenByItsBoxStillWalksTheWholeChain()
    {
        ScriptedPlatform platform;
        Applicazione app(platform);
        ModalDriver driver;
        app.Impostazioni()->ConfermaClick();
        QCOMPARE(
            driver.seen,
            (QStringList {"Riferimenti", "Estrattore", "Prospettiva", "AreaCaptazione", "Calibrazione", "Captazione"}));
        QVERIFY(!magnifierTimer(app.Prospettiva())->isActive());
        QVERIFY(!magnifierTimer(app.Captazione())->isActive());
    }

    void secondPassShowsTheValuesOfTheFirst()
    {
        ScriptedPlatform platform;
        Applicazione app(platform);
        {
            ModalDriver first;
            first.then(ModalDriver::typeInto("luogo", "Verona, via Mameli", ModalDriver::click("Conferma")));
            first.then(ModalDriver::typeInto("step", "0,5", ModalDriver::closeBox()));
            first.then(ModalDriver::typeInto("FotogrammaIniziale", "12", ModalDriver::closeBox()));
            first.then(ModalDriver::typeInto("FotogrammaIniziale", "7", ModalDriver::closeBox()));
            first.then(ModalDriver::typeInto("ImmagineFinale", "150", ModalDriver::click("Conferma")));
            first.then(ModalDriver::closeBox());
            first.then(ModalDriver::closeBox());
            app.Impostazioni()->ConfermaClick();
            QCOMPARE(first.seen.size(), 7);
        }
        QCOMPARE(app.stato().Riferimenti.luogo, std::string("Verona, via Mameli"));
        QCOMPARE(app.stato().Estrattore.step, std::string("0,5"));
        QCOMPARE(app.stato().Captazione.ImmagineFinale, std::string("150"));

        QStringList shown;
        ModalDriver second;
        auto record = [&shown](const char *field) {
            return [&shown, field](QWidget *screen) {
                shown << fieldText(screen, field);
                screen->close();
            };
        };
        second.then(record("luogo"));
        second.then(record("step"));
        second.then(record("FotogrammaIniziale"));
        second.then(record("FotogrammaIniziale"));
        second.then(record("ImmagineFinale"));
        second.then(record("ImmagineFinale")); // the capture screen got the calibration's value
        app.Impostazioni()->ConfermaClick();
        QCOMPARE(shown, (QStringList {"Verona, via Mameli", "0,5", "12", "7", "150", "150"}));
    }

    void chiudiEndsTheProgramWithModalScreensOpen()
    {
        ScriptedPlatform platform;
        Applicazione app(platform);
        app.Impostazioni()->show();
        ModalDriver driver;
        for (int i = 0; i < 5; ++i)
            driver.then(ModalDriver::closeBox());
        driver.then(ModalDriver::click("Conferma")); // Captazione: "I dati vanno bene" opens the results
        driver.then(ModalDriver::click("ChiudiTutto")); // Risultati: "Chiudi"
        driver.otherwise([](QWidget *screen) { QFAIL(qPrintable("unexpected screen " + screen->objectName())); });
        bool timedOut = false;
        QTimer::singleShot(0, app.Impostazioni(), [&] { app.Impostazioni()->ConfermaClick(); });
        QTimer::singleShot(10000, [&] {
            timedOut = true;
            QCoreApplication::exit(1);
        });
        const int result = QApplication::exec();
        QVERIFY(!timedOut);
        QCOMPARE(result, 0);
        QVERIFY(app.ending());
        QCOMPARE(driver.seen.last(), QString("Risultati"));
        QCOMPARE(driver.seen.size(), 7);
        for (QWidget *screen : app.screens())
            QVERIFY2(!screen->isVisible(), qPrintable(screen->objectName()));
    }

    void enterAndEscDoNotLeaveAWorkScreen_data()
    {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<QString>("field");
        QTest::newRow("Riferimenti") << "Riferimenti"
                                     << "luogo";
        QTest::newRow("Estrattore") << "Estrattore"
                                    << "step";
        QTest::newRow("Prospettiva") << "Prospettiva"
                                     << "FotogrammaIniziale";
        QTest::newRow("AreaCaptazione") << "AreaCaptazione"
                                        << "FotogrammaIniziale";
        QTest::newRow("Calibrazione") << "Calibrazione"
                                      << "ImmagineFinale";
        QTest::newRow("Captazione") << "Captazione"
                                    << "ImmagineFinale";
        QTest::newRow("Risultati") << "Risultati"
                                   << "IstanteInizialeTXT";
    }

    void enterAndEscDoNotLeaveAWorkScreen()
    {
        QFETCH(QString, screen);
        QFETCH(QString, field);
        ScriptedPlatform platform;
        Applicazione app(platform);
        QDialog *dialog = nullptr;
        for (QWidget *candidate : app.screens())
            if (candidate->objectName() == screen)
                dialog = qobject_cast<QDialog *>(candidate);
        QVERIFY(dialog);
        ModalDriver driver;
        bool stillOpen = false;
        driver.then([&](QWidget *shown) {
            auto *edit = shown->findChild<QLineEdit *>(field);
            edit->setFocus();
            QTest::keyClick(edit, Qt::Key_Return);
            QTest::keyClick(edit, Qt::Key_Enter);
            QTest::keyClick(edit, Qt::Key_Escape);
            stillOpen = shown->isVisible();
            shown->close();
        });
        app.showModal(dialog);
        QVERIFY(stillOpen);
        QCOMPARE(driver.seen, QStringList {screen}); // no other screen was opened by Enter
    }

    void escClosesTheCaptureDialogs()
    {
        ScriptedPlatform platform;
        Applicazione app(platform);
        ModalDriver driver;
        auto escape
            = [](QWidget *shown) { QTest::keyClick(shown->findChild<QLineEdit *>("NumeroVeicolo"), Qt::Key_Escape); };
        driver.then(escape);
        driver.then(escape);
        app.showModal(app.AggiungiVeicolo());
        app.showModal(app.ModificaVeicolo());
        QCOMPARE(driver.seen, (QStringList {"AggiungiVeicolo", "ModificaVeicolo"}));
    }

    void assemblaggioNamesTheFileAndShowsTheAssembly()
    {
        ScriptedPlatform platform;
        Applicazione app(platform);
        ModalDriver driver;
        QString caption;
        driver.then([&](QWidget *screen) {
            caption = screen->findChild<QLabel *>("NomeFileApertoTXT")->text();
            screen->close();
        });
        app.Impostazioni()->findChild<QCommandLinkButton *>("Assemblaggio")->click();
        QCOMPARE(driver.seen, QStringList {"Assemblazione"});
        QCOMPARE(caption, QString("Nome del file aperto"));
    }

    void apriDatiAsksForAProjectFileAndStopsWhenCancelled()
    {
        ScriptedPlatform platform;
        Applicazione app(platform);
        ModalDriver driver;
        app.Impostazioni()->findChild<QCommandLinkButton *>("ApriDati")->click();
        QCOMPARE(platform.dialogs.size(), size_t(1));
        QCOMPARE(platform.dialogs[0].kind, QString("open"));
        QCOMPARE(platform.dialogs[0].options.title, QString("Apri un lavoro KALVOR fatto in precedenza"));
        QCOMPARE(platform.dialogs[0].options.filter, QString("Progetto KALVOR (*.kvr)"));
        QCOMPARE(platform.dialogs[0].options.defaultExtension, QString("kvr"));
        QVERIFY(driver.seen.isEmpty());
        QVERIFY(platform.messages.empty());
    }

    void mainScreenButtonsAndAdviceAreAsTheProgramShowsThem()
    {
        ScriptedPlatform platform;
        Applicazione app(platform);
        TImpostazioni *main = app.Impostazioni();
        QCOMPARE(main->findChild<QCommandLinkButton *>("Conferma")->text(),
                 QString("Se hai preso i dati campione in questo modo clicca qui per procedere all'elaborazione"));
        QCOMPARE(main->findChild<QCommandLinkButton *>("ApriDati")->text(),
                 QString("Se hai già un file dati clicca qui per caricarli e procedere"));
        QCOMPARE(main->findChild<QCommandLinkButton *>("Assemblaggio")->text(),
                 QString("Se vuoi assemblare i risultati di una elaborazione conclusa"));
        QCOMPARE(main->findChild<QLabel *>("Label1")->text(), QString("Angolazione di ripresa e dimensione video"));
        QCOMPARE(main->findChild<QLabel *>("Label2")->text(), QString("Distanza massima di ripresa"));
        QCOMPARE(main->findChild<QLabel *>("Label3")->text(), QString("Distanze di riferimento"));
        QVERIFY(!main->findChild<QProgressBar *>("Barra")->isVisibleTo(main));
        QCOMPARE(main->findChild<QProgressBar *>("Barra")->maximum(), 100);
    }
};

QTEST_MAIN(TestCatena)
#include "test_catena.moc"
