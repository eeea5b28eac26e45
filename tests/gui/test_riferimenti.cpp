// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/app/applicazione.hpp"
#include "gui/app/riferimenti.hpp"
#include "gui/platform/scripted_platform.hpp"
#include "support/modal_driver.hpp"

#include <QCommandLinkButton>
#include <QLineEdit>
#include <QtTest>

using namespace kalvor::gui;

class TestRiferimenti : public QObject
{
    Q_OBJECT
private slots:
    void f1WritesTodayInTheDateFieldWhateverTheModifiers_data()
    {
        QTest::addColumn<int>("modifiers");
        QTest::newRow("none") << int(Qt::NoModifier);
        QTest::newRow("shift") << int(Qt::ShiftModifier);
        QTest::newRow("ctrl+alt") << int(Qt::ControlModifier | Qt::AltModifier);
        QTest::newRow("shift+ctrl+alt+meta")
            << int(Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    }

    void f1WritesTodayInTheDateFieldWhateverTheModifiers()
    {
        QFETCH(int, modifiers);
        ScriptedPlatform platform;
        platform.fixedDate = QDate(2026, 3, 7);
        Applicazione app(platform);
        auto *data = app.Riferimenti()->findChild<QLineEdit *>("dataelaborazione");
        QTest::keyClicks(data, "ieri sera");
        QCOMPARE(app.stato().Riferimenti.dataelaborazione, std::string("ieri sera"));
        QTest::keyClick(data, Qt::Key_F1, Qt::KeyboardModifiers(modifiers));
        QCOMPARE(data->text(), QString("07/03/2026"));
        QCOMPARE(app.stato().Riferimenti.dataelaborazione, std::string("07/03/2026"));
    }

    void f1InTheOtherFieldsDoesNothing()
    {
        ScriptedPlatform platform;
        Applicazione app(platform);
        for (const char *name : {"luogo", "elaboratore"}) {
            auto *field = app.Riferimenti()->findChild<QLineEdit *>(name);
            QTest::keyClicks(field, "Padova");
            QTest::keyClick(field, Qt::Key_F1);
            QTest::keyClick(field, Qt::Key_F1, Qt::ShiftModifier);
            QCOMPARE(field->text(), QString("Padova"));
        }
        QCOMPARE(app.stato().Riferimenti.luogo, std::string("Padova"));
        QCOMPARE(app.stato().Riferimenti.elaboratore, std::string("Padova"));
        QCOMPARE(app.stato().Riferimenti.dataelaborazione, std::string());
    }

    void confirmationDropsTheFrameListsOnlyForANewJob_data()
    {
        QTest::addColumn<int>("referenceLines");
        QTest::addColumn<bool>("listsKept");
        QTest::newRow("no reference point") << 0 << false;
        QTest::newRow("one line") << 1 << false;
        QTest::newRow("two lines") << 2 << true;
        QTest::newRow("five lines") << 5 << true;
    }

    void confirmationDropsTheFrameListsOnlyForANewJob()
    {
        QFETCH(int, referenceLines);
        QFETCH(bool, listsKept);
        ScriptedPlatform platform;
        Applicazione app(platform);
        auto &stato = app.stato();
        stato.Estrattore.ListaFotogrammi = {"0", "1", "2"};
        stato.Estrattore.ListaTempi = {"0", "0,2", "0,4"};
        for (int i = 0; i < referenceLines; ++i)
            stato.Prospettiva.coordinataXPixelP.append(std::to_string(100 + i));
        test::ModalDriver driver;
        driver.then(test::ModalDriver::click("Conferma"));
        app.showModal(app.Riferimenti());
        QCOMPARE(driver.seen, QStringList {"Riferimenti"});
        QVERIFY(!app.Riferimenti()->isVisible());
        QCOMPARE(stato.Estrattore.ListaFotogrammi.count(), listsKept ? 3 : 0);
        QCOMPARE(stato.Estrattore.ListaTempi.count(), listsKept ? 3 : 0);
        QCOMPARE(stato.Prospettiva.coordinataXPixelP.count(), referenceLines);
    }

    void screenShowsTheStateWhenOpened()
    {
        ScriptedPlatform platform;
        Applicazione app(platform);
        app.stato().Riferimenti = {"Treviso", "Ing. Rossi", "01/02/2009"};
        QStringList shown;
        test::ModalDriver driver;
        driver.then([&](QWidget *screen) {
            for (const char *name : {"luogo", "elaboratore", "dataelaborazione"})
                shown << screen->findChild<QLineEdit *>(name)->text();
            screen->close();
        });
        app.showModal(app.Riferimenti());
        QCOMPARE(shown, (QStringList {"Treviso", "Ing. Rossi", "01/02/2009"}));
        QCOMPARE(app.Riferimenti()->findChild<QCommandLinkButton *>("Conferma")->text(),
                 QString("clicca qui per procedere all'elaborazione"));
    }
};

QTEST_MAIN(TestRiferimenti)
#include "test_riferimenti.moc"
