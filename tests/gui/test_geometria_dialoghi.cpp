// SPDX-License-Identifier: GPL-3.0-or-later
// The reading-direction dialog and the GPS coordinates dialog.
#include "geometry/prospettiva.hpp"
#include "geometry/verso_letture.hpp"
#include "gui/app/applicazione.hpp"
#include "gui/geometry/prospettiva.hpp"
#include "gui/geometry/punti_gps.hpp"
#include "gui/geometry/scelta_verso_letture.hpp"
#include "gui/platform/hint_balloon.hpp"
#include "gui/platform/scripted_platform.hpp"
#include "gui/platform/vista_fotogramma.hpp"
#include "support/screen_parts.hpp"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace kalvor;
using namespace kalvor::gui;
using namespace kalvor::testing;

class TestGeometriaDialoghi : public QObject
{
    Q_OBJECT
private slots:
    void directionClosedWithoutChoiceLeavesNone()
    {
        ScriptedPlatform platform;
        Applicazione app(platform);
        StatoLavoro &s = app.stato();
        TSceltaVersoLetture *dlg = app.SceltaVersoLetture();
        clearReadingDirection(s.SceltaVersoLetture);
        dlg->open();
        QVERIFY(dlg->isVisible());
        dlg->close();
        const auto &v = s.SceltaVersoLetture;
        QVERIFY(!v.Origine00 && !v.Origine640480 && !v.Origine0480 && !v.Origine6400);
        QCOMPARE(readingDirection(v), ReadingDirection::Origine00);
    }

    void secondPictureLeavesOneTickedAndKeepsGps()
    {
        ScriptedPlatform platform;
        Applicazione app(platform);
        StatoLavoro &s = app.stato();
        TSceltaVersoLetture *dlg = app.SceltaVersoLetture();
        dlg->open();
        auto *gps = dlg->findChild<QCheckBox *>("usoGPS");
        QVERIFY(gps && gps->isVisible() && gps->font().bold());
        QCOMPARE(gps->text(), QString("i riferimenti sono stati presi con coordinate GPS"));
        for (const char *hidden : {"Origine00", "Origine640480", "Origine0480", "Origine6400"})
            QVERIFY(!dlg->findChild<QCheckBox *>(hidden)->isVisible());
        QTest::mouseClick(gps, Qt::LeftButton);
        QVERIFY(s.SceltaVersoLetture.usoGPS);
        QTest::mouseClick(dlg->findChild<QLabel *>("Image3"), Qt::LeftButton);
        QVERIFY(!dlg->isVisible());
        QVERIFY(s.SceltaVersoLetture.Origine0480);
        dlg->open();
        QTest::mouseClick(dlg->findChild<QLabel *>("Image4"), Qt::LeftButton);
        const auto &v = s.SceltaVersoLetture;
        QVERIFY(v.Origine6400 && !v.Origine0480 && !v.Origine00 && !v.Origine640480);
        QVERIFY(v.usoGPS);
        QVERIFY(dlg->findChild<QCheckBox *>("Origine6400")->isChecked());
        QVERIFY(!dlg->findChild<QCheckBox *>("Origine0480")->isChecked());
        QVERIFY(platform.messages.empty());
    }

    void gpsPointsEscAndEnter()
    {
        ScriptedPlatform platform;
        Applicazione app(platform);
        StatoLavoro &s = app.stato();
        TPuntiGPS *dlg = app.PuntiGPS();
        auto *px = dlg->findChild<QLineEdit *>("Posizione_X");
        auto *py = dlg->findChild<QLineEdit *>("Posizione_Y");
        QVERIFY(px && py);
        QCOMPARE(hintOf(px), QString("Coordinate GPS|coordinata X in [metri]|2"));
        QVERIFY(px->font().bold() && px->alignment() == Qt::AlignCenter);
        const int clicks[3][2] = {{100, 50}, {300, 150}, {500, 250}};
        for (const auto &c : clicks) {
            prepareGpsPoint(s, c[0], c[1]);
            dlg->clearPositions();
            dlg->open();
            QTest::keyClicks(px, "1000");
            QTest::keyClick(px, Qt::Key_Return); // nothing special
            QVERIFY(dlg->isVisible());
            QTest::keyClicks(py, "2000");
            QTest::keyClick(py, Qt::Key_Return); // confirms
            QVERIFY(!dlg->isVisible());
        }
        const StatoProspettiva &p = s.Prospettiva;
        QCOMPARE(p.coordinataXPixelP.count(), 3);
        QCOMPARE(p.coordinataYPixelP.count(), 3);
        QCOMPARE(p.coordinataX_GPSp.count(), 3);
        QCOMPARE(p.coordinataY_GPSp.count(), 3);
        QCOMPARE(p.coordinataYPixelP.line(1), std::string("150"));
        QCOMPARE(p.coordinataX_GPSp.line(2), std::string("1000"));
        // The marker is on the reference-point overlay.
        QCOMPARE(frameView(app.Prospettiva())->overlay().pixelColor(295, 150), QColor(Qt::red));

        // A fourth click cancelled with Esc adds nothing.
        prepareGpsPoint(s, 7, 8);
        dlg->clearPositions();
        dlg->open();
        QTest::keyClicks(px, "5");
        QTest::keyClick(px, Qt::Key_Escape);
        QVERIFY(!dlg->isVisible());
        QCOMPARE(p.coordinataXPixelP.count(), 3);
        QCOMPARE(p.coordinataX_GPSp.count(), 3);

        // Empty fields still record the pixel point.
        dlg->clearPositions();
        QVERIFY(px->text().isEmpty() && py->text().isEmpty());
        dlg->open();
        QTest::mouseClick(dlg->findChild<QPushButton *>("Conferma"), Qt::LeftButton);
        QCOMPARE(p.coordinataXPixelP.line(3), std::string("7"));
        QCOMPARE(p.coordinataYPixelP.line(3), std::string("8"));
        QCOMPARE(p.coordinataX_GPSp.line(3), std::string(""));
        QCOMPARE(p.coordinataY_GPSp.line(3), std::string(""));

        // Annulla records nothing; Esc in Posizione_Y neither.
        prepareGpsPoint(s, 9, 9);
        dlg->open();
        QTest::mouseClick(dlg->findChild<QPushButton *>("Annulla"), Qt::LeftButton);
        QVERIFY(!dlg->isVisible());
        dlg->open();
        QTest::keyClick(py, Qt::Key_Escape);
        QVERIFY(!dlg->isVisible());
        QCOMPARE(p.coordinataXPixelP.count(), 4);
        QVERIFY(platform.messages.empty());
    }
};

QTEST_MAIN(TestGeometriaDialoghi)
#include "test_geometria_dialoghi.moc"
