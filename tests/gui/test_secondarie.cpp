// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/app/applicazione.hpp"
#include "gui/app/controindicazioni.hpp"
#include "gui/app/logo.hpp"
#include "gui/platform/scripted_platform.hpp"

#include <QLabel>
#include <QtTest>

using namespace kalvor::gui;

class TestSecondarie : public QObject
{
    Q_OBJECT
private slots:
    void aboutBoxClosesOnAClickOnAnyElement_data()
    {
        QTest::addColumn<QString>("element");
        for (const char *name : {"sfondo", "logoIMG", "Label11", "Label3", "Label4", "versioneTXT", "Label1", "Label2",
                                 "Label6", "Image1"})
            QTest::newRow(name) << QString(name);
        QTest::newRow("the box itself") << QString();
    }

    void aboutBoxClosesOnAClickOnAnyElement()
    {
        QFETCH(QString, element);
        ScriptedPlatform platform;
        Applicazione app(platform);
        Tlogo *logo = app.logo();
        logo->show();
        QWidget *target = element.isEmpty() ? logo : logo->findChild<QWidget *>(element);
        QVERIFY2(target, qPrintable(element));
        QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(2, 2));
        QVERIFY(!logo->isVisible());
        QVERIFY(platform.openedUrls.isEmpty());
    }

    void aboutBoxStaysOpenOnTheWebAddressAndOpensIt()
    {
        ScriptedPlatform platform;
        Applicazione app(platform);
        Tlogo *logo = app.logo();
        logo->show();
        QTest::mouseClick(logo->findChild<QWidget *>("sitoweb"), Qt::LeftButton);
        QVERIFY(logo->isVisible());
        QCOMPARE(platform.openedUrls, QStringList {Tlogo::webAddress});
        QVERIFY(platform.messages.empty());
    }

    void aboutBoxShowsItsVersionLine()
    {
        ScriptedPlatform platform;
        Applicazione app(platform);
        QCOMPARE(app.logo()->findChild<QLabel *>("versioneTXT")->text(), QString("versione 16 Novembre 2010"));
        QCOMPARE(app.logo()->size(), QSize(649, 448));
    }

    void warningScreenShowsItsTexts()
    {
        ScriptedPlatform platform;
        Applicazione app(platform);
        TControindicazioni *warning = app.Controindicazioni();
        QCOMPARE(warning->findChild<QLabel *>("Label11")->text(), QString("Controindicazioni"));
        QCOMPARE(warning->findChild<QLabel *>("Label1")->text(), QString("ATTENZIONE !!!!!"));
        auto *testo = warning->findChild<QLabel *>("testo");
        QCOMPARE(testo->text(),
                 QString("può provocare nervorismo, crisi psico-neuro-attive, aggressività e ritorsioni "
                         "contro i calcolatori"));
        QVERIFY(testo->wordWrap());
        QCOMPARE(warning->size(), QSize(785, 561));
    }

    void warningScreenClosesOnAClickAnywhere_data()
    {
        QTest::addColumn<QString>("element");
        for (const char *name : {"sfondo", "Image2", "Label11", "Label1", "testo"})
            QTest::newRow(name) << QString(name);
        QTest::newRow("the screen itself") << QString();
    }

    void warningScreenClosesOnAClickAnywhere()
    {
        QFETCH(QString, element);
        ScriptedPlatform platform;
        Applicazione app(platform);
        TControindicazioni *warning = app.Controindicazioni();
        warning->show();
        QWidget *target = element.isEmpty() ? warning : warning->findChild<QWidget *>(element);
        QVERIFY2(target, qPrintable(element));
        QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(3, 3));
        QVERIFY(!warning->isVisible());
    }
};

QTEST_MAIN(TestSecondarie)
#include "test_secondarie.moc"
