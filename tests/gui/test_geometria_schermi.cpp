// SPDX-License-Identifier: GPL-3.0-or-later
// The reference-point screen and the examination-area screen, on frames
// written for the test.
#include "extraction/png_io.hpp"
#include "geometry/verso_letture.hpp"
#include "gui/geometry/area_captazione.hpp"
#include "gui/geometry/lente.hpp"
#include "gui/geometry/prospettiva.hpp"
#include "gui/geometry/run_handler.hpp"
#include "gui/geometry/vista_fotogramma.hpp"
#include "support/temp_dir.hpp"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

using namespace kalvor;
using namespace kalvor::gui;

namespace {

void writeFrame(const std::string &path, int w, int h, std::uint8_t grey)
{
    RgbImage img(w, h);
    std::fill(img.pixels.begin(), img.pixels.end(), grey);
    writePng(path, img);
}

QColor overlayAt(VistaFotogramma *v, int x, int y)
{
    return v->overlay().pixelColor(x, y);
}

} // namespace

class TestGeometriaSchermi : public QObject
{
    Q_OBJECT
private:
    kalvor::testing::TempDir m_dir;
    QStringList m_errors;
    ErrorReporter m_saved;

private slots:
    void initTestCase()
    {
        for (int n = 0; n < 3; ++n)
            writeFrame(m_dir.file(std::to_string(n) + ".png"), 640, 480, static_cast<std::uint8_t>(100 + n));
        m_saved = setErrorReporter([this](QWidget *, const QString &m) { m_errors << m; });
    }
    void cleanupTestCase() { setErrorReporter(m_saved); }
    void init() { m_errors.clear(); }

    void prospettivaResetClickTransform()
    {
        StatoLavoro s;
        s.Estrattore.Cartella = m_dir.path();
        s.Prospettiva.coordinataXPixelP.lines() = {"1"};
        chooseReadingDirection(s.SceltaVersoLetture, ReadingDirection::Origine0480);
        TProspettiva screen(s);
        int dialogShown = 0;
        int animations = 0;
        int areaMagnifier = 0;
        screen.setHooks({[&] {
                             ++dialogShown;
                             const auto &v = s.SceltaVersoLetture;
                             QVERIFY(!v.Origine00 && !v.Origine0480 && !v.Origine640480 && !v.Origine6400);
                             chooseReadingDirection(s.SceltaVersoLetture, ReadingDirection::Origine00);
                         },
                         {},
                         [&] { ++areaMagnifier; },
                         [&](int speed) {
                             QCOMPARE(speed, 30);
                             ++animations;
                         }});
        screen.show();
        QCOMPARE(screen.windowTitle(), QString("Distanze di riferimento"));
        QTest::mouseClick(screen.findChild<QPushButton *>("AzzeraDati"), Qt::LeftButton);
        QVERIFY(m_errors.isEmpty());
        QCOMPARE(dialogShown, 1);
        QVERIFY(s.Prospettiva.coordinataXPixelP.empty());
        QCOMPARE(screen.findChild<QLabel *>("info_TXT")->text(), QString("da trasformare"));
        QCOMPARE(screen.findChild<QLabel *>("fotogrammaTXT")->text(), QString("0"));
        QCOMPARE(screen.vista()->frame().size(), QSize(640, 480));

        auto *lucido = screen.vista()->lucido();
        for (const QPoint p : {QPoint(100, 50), QPoint(300, 150), QPoint(500, 250)})
            QTest::mouseClick(lucido, Qt::LeftButton, {}, p);
        QCOMPARE(animations, 3);
        QCOMPARE(s.Prospettiva.coordinataXPixelP.lines(), (std::vector<std::string> {"100", "300", "500"}));
        QCOMPARE(screen.findChild<QPlainTextEdit *>("coordinataYPixelP")->toPlainText(), QString("50\n150\n250"));
        QCOMPARE(overlayAt(screen.vista(), 95, 50), QColor(Qt::red)); // the marker's cross
        QCOMPARE(overlayAt(screen.vista(), 120, 50).alpha(), 0);

        // Stepping keeps the markers.
        QTest::mouseClick(screen.findChild<QPushButton *>("AvanzaFotogramma"), Qt::LeftButton);
        QCOMPARE(s.FotogrammaProspettiva, 1);
        QCOMPARE(screen.vista()->frame().pixelColor(0, 0), QColor(101, 101, 101));
        QCOMPARE(overlayAt(screen.vista(), 95, 50), QColor(Qt::red));

        // Distances typed in the list, then the transformation.
        auto *distances = screen.findChild<QPlainTextEdit *>("DistanzeRealiP");
        distances->setPlainText("10\n10");
        QCOMPARE(s.Prospettiva.DistanzeRealiP.lines(), (std::vector<std::string> {"10", "10"}));
        QTest::mouseClick(screen.findChild<QPushButton *>("Trasformazione"), Qt::LeftButton);
        QVERIFY2(m_errors.isEmpty(), qPrintable(m_errors.join('\n')));
        QCOMPARE(screen.findChild<QLabel *>("info_TXT")->text(), QString("trasformate"));
        QCOMPARE(screen.findChild<QWidget *>("led")->property("transformed").toBool(), true);
        QCOMPARE(s.GrigliaMetrica.rows, 480);
        QCOMPARE(s.GrigliaMetrica.cols, 640);
        QVERIFY(std::abs(s.GrigliaMetrica.at(0, 639, 0) - 28.621994) < 5e-7);
        QCOMPARE(areaMagnifier, 1); // DisegnaPunti switched it on

        // A bad distance: message, grid and indicator as they were.
        const auto grid = s.GrigliaMetrica.data;
        distances->setPlainText("10\ndieci");
        QTest::mouseClick(screen.findChild<QPushButton *>("Trasformazione"), Qt::LeftButton);
        QCOMPARE(m_errors.size(), 1);
        QVERIFY(m_errors[0].contains("dieci"));
        QCOMPARE(screen.findChild<QLabel *>("info_TXT")->text(), QString("trasformate"));
        QVERIFY(s.GrigliaMetrica.data == grid);

        // Reset: red again.
        QTest::mouseClick(screen.findChild<QPushButton *>("AzzeraDati"), Qt::LeftButton);
        QCOMPARE(screen.findChild<QLabel *>("info_TXT")->text(), QString("da trasformare"));
        QCOMPARE(overlayAt(screen.vista(), 95, 50).alpha(), 0);

        screen.lente()->switchOn();
        QTest::mouseClick(screen.findChild<QPushButton *>("Conferma"), Qt::LeftButton);
        QVERIFY(!screen.lente()->isOn());
        QCOMPARE(areaMagnifier, 3); // two DisegnaPunti, then the confirmation
        QVERIFY(!screen.isVisible());
    }

    void prospettivaGpsClickOpensTheDialogOnly()
    {
        StatoLavoro s;
        s.Estrattore.Cartella = m_dir.path();
        s.SceltaVersoLetture.usoGPS = true;
        TProspettiva screen(s);
        QPoint shownAt(-1, -1);
        screen.setHooks({{}, [&](QPoint global) { shownAt = global; }, {}, {}});
        screen.show();
        screen.AzzeraSenzaRichieste();
        QTest::mouseClick(screen.vista()->lucido(), Qt::LeftButton, {}, QPoint(700, 600));
        QCOMPARE(s.PuntiGPS.X_TXT, std::string("700"));
        QCOMPARE(s.PuntiGPS.Y_TXT, std::string("600"));
        QVERIFY(s.Prospettiva.coordinataXPixelP.empty());
        QCOMPARE(shownAt, screen.vista()->lucido()->mapToGlobal(QPoint(700, 600)));
    }

    void prospettivaMissingFrame()
    {
        StatoLavoro s;
        s.Estrattore.Cartella = m_dir.path();
        s.Prospettiva.FotogrammaIniziale = "9";
        s.Prospettiva.coordinataXPixelP.lines() = {"5"};
        TProspettiva screen(s);
        screen.AzzeraDatiClick();
        QCOMPARE(m_errors.size(), 1);
        QCOMPARE(s.FotogrammaProspettiva, 9);
        QCOMPARE(s.Prospettiva.coordinataXPixelP.count(), 1); // not yet cleared
    }

    void magnifierFollowsThePointer()
    {
        StatoLavoro s;
        s.Estrattore.Cartella = m_dir.path();
        TProspettiva screen(s);
        screen.AzzeraSenzaRichieste();
        screen.lente()->showAt(QPoint(320, 240));
        const QImage &img = screen.lente()->image();
        QCOMPARE(img.size(), QSize(200, 200));
        QCOMPARE(img.pixelColor(100, 10), QColor(Qt::red)); // cross-hair
        QCOMPARE(img.pixelColor(10, 10), QColor(100, 100, 100)); // the frame, enlarged
        screen.lente()->showAt(QPoint(-500, -500)); // far outside: nothing fails
        QCOMPARE(screen.lente()->image().pixelColor(10, 10), QColor(64, 64, 64));
    }

    void areaClicksColoursSwapAndRefusals()
    {
        StatoLavoro s;
        s.Estrattore.Cartella = m_dir.path();
        s.AreaCaptazione.FotogrammaIniziale = "2";
        TAreaCaptazione screen(s);
        screen.show();
        QCOMPARE(screen.windowTitle(), QString("Definisci l'area di esaminazione"));
        QTest::mouseClick(screen.findChild<QPushButton *>("AzzeraDati"), Qt::LeftButton);
        QVERIFY(m_errors.isEmpty());
        QCOMPARE(screen.vista()->frame().pixelColor(0, 0), QColor(102, 102, 102));
        auto *lucido = screen.vista()->lucido();
        const QPoint clicks[] = {{400, 200}, {100, 220}, {300, 150}, {310, 260}};
        for (const QPoint p : clicks)
            QTest::mouseClick(lucido, Qt::LeftButton, {}, p);
        QCOMPARE(s.AreaCaptazione.PuntiRiferimento.lines(),
                 (std::vector<std::string> {"200", "400", "220", "100", "150", "300", "260", "310"}));
        QCOMPARE(overlayAt(screen.vista(), 395, 200), QColor(Qt::blue)); // P1
        QCOMPARE(overlayAt(screen.vista(), 250, 210), QColor(Qt::blue)); // the axis
        QCOMPARE(overlayAt(screen.vista(), 295, 150), QColor(Qt::red)); // P3
        QCOMPARE(overlayAt(screen.vista(), 305, 205).alpha(), 255); // the band line
        // A fifth click: a red marker and two more lines.
        QTest::mouseClick(lucido, Qt::LeftButton, {}, QPoint(50, 60));
        QCOMPARE(s.AreaCaptazione.PuntiRiferimento.count(), 10);
        QCOMPARE(overlayAt(screen.vista(), 45, 60), QColor(Qt::red));

        QTest::mouseClick(screen.findChild<QPushButton *>("Conferma"), Qt::LeftButton);
        QVERIFY(m_errors.isEmpty());
        QVERIFY(!screen.isVisible());
        QCOMPARE(s.AreaCaptazione.PuntiRiferimento.line(1), std::string("100"));
        QCOMPARE(s.AreaCaptazione.PuntiRiferimento.line(3), std::string("400"));
        QCOMPARE(s.AreaCaptazione.PuntiRiferimento.line(5), std::string("300")); // P3 never swapped

        // Three points: refused, the screen stays open.
        screen.show();
        QTest::mouseClick(screen.findChild<QPushButton *>("AzzeraDati"), Qt::LeftButton);
        for (int i = 0; i < 3; ++i)
            QTest::mouseClick(lucido, Qt::LeftButton, {}, clicks[i]);
        QTest::mouseClick(screen.findChild<QPushButton *>("Conferma"), Qt::LeftButton);
        QCOMPARE(m_errors.size(), 1);
        QVERIFY(m_errors[0].contains("quattro punti"));
        QVERIFY(screen.isVisible());
        // A fourth point outside the frame: refused too.
        QTest::mouseClick(lucido, Qt::LeftButton, {}, QPoint(900, 100));
        QTest::mouseClick(screen.findChild<QPushButton *>("Conferma"), Qt::LeftButton);
        QCOMPARE(m_errors.size(), 2);
        QVERIFY(m_errors[1].contains("fuori dal fotogramma"));

        // disegnaElementi redraws from the list.
        s.AreaCaptazione.PuntiRiferimento.lines() = {"200", "100", "220", "400", "150", "300", "260", "310"};
        screen.refreshList();
        screen.disegnaElementi();
        QCOMPARE(overlayAt(screen.vista(), 95, 200), QColor(Qt::blue));
        QCOMPARE(overlayAt(screen.vista(), 45, 60).alpha(), 0);
    }
};

QTEST_MAIN(TestGeometriaSchermi)
#include "test_geometria_schermi.moc"
