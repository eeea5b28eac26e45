// SPDX-License-Identifier: GPL-3.0-or-later
// The reading-direction dialog and the GPS coordinates dialog.
#include "geometry/prospettiva.hpp"
#include "geometry/verso_letture.hpp"
#include "gui/geometry/punti_gps.hpp"
#include "gui/geometry/scelta_verso_letture.hpp"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace kalvor;
using namespace kalvor::gui;

class TestGeometriaDialoghi : public QObject
{
    Q_OBJECT
private slots:
    void directionClosedWithoutChoiceLeavesNone()
    {
        StatoLavoro s;
        TSceltaVersoLetture dlg(s);
        clearReadingDirection(s.SceltaVersoLetture);
        dlg.open();
        QVERIFY(dlg.isVisible());
        dlg.close();
        const auto &v = s.SceltaVersoLetture;
        QVERIFY(!v.Origine00 && !v.Origine640480 && !v.Origine0480 && !v.Origine6400);
        QCOMPARE(readingDirection(v), ReadingDirection::Origine00);
    }

    void secondPictureLeavesOneTickedAndKeepsGps()
    {
        StatoLavoro s;
        TSceltaVersoLetture dlg(s);
        dlg.open();
        auto *gps = dlg.findChild<QCheckBox *>("usoGPS");
        QVERIFY(gps && gps->isVisible() && gps->font().bold());
        QCOMPARE(gps->text(), QString("i riferimenti sono stati presi con coordinate GPS"));
        for (const char *hidden : {"Origine00", "Origine640480", "Origine0480", "Origine6400"})
            QVERIFY(!dlg.findChild<QCheckBox *>(hidden)->isVisible());
        QTest::mouseClick(gps, Qt::LeftButton);
        QVERIFY(s.SceltaVersoLetture.usoGPS);
        QTest::mouseClick(dlg.findChild<QLabel *>("Image3"), Qt::LeftButton);
        QVERIFY(!dlg.isVisible());
        QVERIFY(s.SceltaVersoLetture.Origine0480);
        dlg.open();
        QTest::mouseClick(dlg.findChild<QLabel *>("Image4"), Qt::LeftButton);
        const auto &v = s.SceltaVersoLetture;
        QVERIFY(v.Origine6400 && !v.Origine0480 && !v.Origine00 && !v.Origine640480);
        QVERIFY(v.usoGPS);
        QVERIFY(dlg.findChild<QCheckBox *>("Origine6400")->isChecked());
        QVERIFY(!dlg.findChild<QCheckBox *>("Origine0480")->isChecked());
        QCOMPARE(dlg.windowTitle(), QString("Come hai preso le misure?"));
    }

    void gpsPointsEscAndEnter()
    {
        StatoLavoro s;
        TPuntiGPS dlg(s);
        int markers = 0;
        connect(&dlg, &TPuntiGPS::puntoRegistrato, this, [&](const Drawing &d) {
            ++markers;
            QCOMPARE(d.size(), std::size_t(3));
        });
        auto *px = dlg.findChild<QLineEdit *>("Posizione_X");
        auto *py = dlg.findChild<QLineEdit *>("Posizione_Y");
        QVERIFY(px && py);
        QCOMPARE(px->property("hint").toString(), QString("Coordinate GPS|coordinata X in [metri]|2"));
        const int clicks[3][2] = {{100, 50}, {300, 150}, {500, 250}};
        for (const auto &c : clicks) {
            prepareGpsPoint(s, c[0], c[1]);
            dlg.prepare();
            dlg.open();
            QTest::keyClicks(px, "1000");
            QTest::keyClick(px, Qt::Key_Return); // nothing special
            QVERIFY(dlg.isVisible());
            QTest::keyClicks(py, "2000");
            QTest::keyClick(py, Qt::Key_Return); // confirms
            QVERIFY(!dlg.isVisible());
        }
        const StatoProspettiva &p = s.Prospettiva;
        QCOMPARE(p.coordinataXPixelP.count(), 3);
        QCOMPARE(p.coordinataYPixelP.count(), 3);
        QCOMPARE(p.coordinataX_GPSp.count(), 3);
        QCOMPARE(p.coordinataY_GPSp.count(), 3);
        QCOMPARE(p.coordinataYPixelP.line(1), std::string("150"));
        QCOMPARE(p.coordinataX_GPSp.line(2), std::string("1000"));
        QCOMPARE(markers, 3);

        // A fourth click cancelled with Esc adds nothing.
        prepareGpsPoint(s, 7, 8);
        dlg.prepare();
        dlg.open();
        QTest::keyClicks(px, "5");
        QTest::keyClick(px, Qt::Key_Escape);
        QVERIFY(!dlg.isVisible());
        QCOMPARE(p.coordinataXPixelP.count(), 3);
        QCOMPARE(p.coordinataX_GPSp.count(), 3);
        QCOMPARE(markers, 3);

        // Empty fields still record the pixel point.
        dlg.prepare();
        QVERIFY(px->text().isEmpty() && py->text().isEmpty());
        dlg.open();
        QTest::mouseClick(dlg.findChild<QPushButton *>("Conferma"), Qt::LeftButton);
        QCOMPARE(p.coordinataXPixelP.line(3), std::string("7"));
        QCOMPARE(p.coordinataYPixelP.line(3), std::string("8"));
        QCOMPARE(p.coordinataX_GPSp.line(3), std::string(""));
        QCOMPARE(p.coordinataY_GPSp.line(3), std::string(""));

        // Annulla records nothing.
        prepareGpsPoint(s, 9, 9);
        dlg.prepare();
        dlg.open();
        QTest::mouseClick(dlg.findChild<QPushButton *>("Annulla"), Qt::LeftButton);
        QVERIFY(!dlg.isVisible());
        QCOMPARE(p.coordinataXPixelP.count(), 4);
    }
};

QTEST_MAIN(TestGeometriaDialoghi)
#include "test_geometria_dialoghi.moc"
