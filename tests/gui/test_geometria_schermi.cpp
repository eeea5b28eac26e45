// SPDX-License-Identifier: GPL-3.0-or-later
// The reference-point screen and the examination-area screen, on frames
// written for the test.
#include "common/errors.hpp"
#include "extraction/png_io.hpp"
#include "geometry/verso_letture.hpp"
#include "gui/app/applicazione.hpp"
#include "gui/geometry/area_captazione.hpp"
#include "gui/geometry/prospettiva.hpp"
#include "gui/geometry/punti_gps.hpp"
#include "gui/platform/lente.hpp"
#include "gui/platform/scripted_platform.hpp"
#include "gui/platform/vista_fotogramma.hpp"
#include "support/modal_driver.hpp"
#include "support/screen_parts.hpp"
#include "support/temp_dir.hpp"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using namespace kalvor;
using namespace kalvor::gui;
using namespace kalvor::testing;
using test::ModalDriver;

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

QPushButton *button(QWidget *screen, const char *name)
{
    return screen->findChild<QPushButton *>(name);
}

} // namespace

class TestGeometriaSchermi : public QObject
{
    Q_OBJECT
private:
    kalvor::testing::TempDir m_dir;

private slots:
    void initTestCase()
    {
        for (int n = 0; n < 3; ++n)
            writeFrame(m_dir.file(std::to_string(n) + ".png"), 640, 480, static_cast<std::uint8_t>(100 + n));
    }

    void leavingWithCoordinatesNotTransformedTransformsFirst()
    {
        ScriptedPlatform platform;
        Applicazione app(platform);
        StatoLavoro &s = app.stato();
        s.Estrattore.Cartella = m_dir.path();
        chooseReadingDirection(s.SceltaVersoLetture, ReadingDirection::Origine0480);
        TProspettiva *screen = app.Prospettiva();
        screen->AzzeraSenzaRichieste();
        screen->show();
        for (const QPoint p : {QPoint(100, 50), QPoint(300, 150), QPoint(500, 250)})
            QTest::mouseClick(frameView(screen)->lucido(), Qt::LeftButton, {}, p);
        screen->findChild<QPlainTextEdit *>("DistanzeRealiP")->setPlainText("10\n10");
        QCOMPARE(screen->findChild<QLabel *>("info_TXT")->text(), QString("da trasformare"));

        magnifierTimer(screen)->start();
        QTest::mouseClick(button(screen, "Conferma"), Qt::LeftButton);
        QVERIFY(!magnifierTimer(screen)->isActive());
        QVERIFY(magnifierTimer(app.AreaCaptazione())->isActive());
        QVERIFY2(platform.messages.empty(), qPrintable(platform.messageTexts("error").join("; ")));
        QVERIFY(!screen->isVisible());
        QCOMPARE(screen->findChild<QLabel *>("info_TXT")->text(), QString("trasformate"));
        QCOMPARE(s.GrigliaMetrica.rows, 480);
        QCOMPARE(s.GrigliaMetrica.cols, 640);
        // The same grid as the button builds.
        QVERIFY(std::abs(s.GrigliaMetrica.at(0, 639, 0) - 28.621994) < 5e-7);
    }

    void aTransformationThatFailsOnLeavingKeepsTheScreenOpen()
    {
        ScriptedPlatform platform;
        Applicazione app(platform);
        StatoLavoro &s = app.stato();
        s.Estrattore.Cartella = m_dir.path();
        chooseReadingDirection(s.SceltaVersoLetture, ReadingDirection::Origine0480);
        TProspettiva *screen = app.Prospettiva();
        screen->AzzeraSenzaRichieste();
        screen->show();
        QTest::mouseClick(button(screen, "Conferma"), Qt::LeftButton); // no reference point

        QCOMPARE(platform.messageTexts("error").size(), 1);
        const QString message = platform.messageTexts("error").front();
        QVERIFY2(message.startsWith("Le coordinate sono ancora da trasformare"), qPrintable(message));
        QVERIFY2(message.contains("Nessun punto di riferimento"), qPrintable(message)); // why it failed
        QVERIFY2(message.contains("\"Passo successivo\""), qPrintable(message));
        QVERIFY(screen->isVisible());
        QCOMPARE(screen->findChild<QLabel *>("info_TXT")->text(), QString("da trasformare"));
        QVERIFY(s.GrigliaMetrica.empty());
    }

    void prospettivaResetClickTransform()
    {
        ScriptedPlatform platform;
        Applicazione app(platform);
        StatoLavoro &s = app.stato();
        s.Estrattore.Cartella = m_dir.path();
        s.Prospettiva.coordinataXPixelP.lines() = {"1"};
        chooseReadingDirection(s.SceltaVersoLetture, ReadingDirection::Origine0480);
        TProspettiva *screen = app.Prospettiva();
        screen->show();
        QCOMPARE(screen->windowTitle(), QString("Distanze di riferimento"));

        ModalDriver driver;
        bool noneTicked = false;
        driver.then([&](QWidget *dialog) {
            const auto &v = s.SceltaVersoLetture;
            noneTicked = !v.Origine00 && !v.Origine0480 && !v.Origine640480 && !v.Origine6400;
            QTest::mouseClick(dialog->findChild<QLabel *>("Image1"), Qt::LeftButton);
        });
        QTest::mouseClick(button(screen, "AzzeraDati"), Qt::LeftButton);
        QCOMPARE(driver.seen, QStringList {"SceltaVersoLetture"});
        QVERIFY(noneTicked);
        QVERIFY(s.SceltaVersoLetture.Origine00);
        QVERIFY(platform.messages.empty());
        QVERIFY(s.Prospettiva.coordinataXPixelP.empty());
        QCOMPARE(screen->findChild<QLabel *>("info_TXT")->text(), QString("da trasformare"));
        QCOMPARE(screen->findChild<QLabel *>("fotogrammaTXT")->text(), QString("0"));
        QCOMPARE(frameView(screen)->frame().size(), QSize(640, 480));

        auto *lucido = frameView(screen)->lucido();
        for (const QPoint p : {QPoint(100, 50), QPoint(300, 150), QPoint(500, 250)})
            QTest::mouseClick(lucido, Qt::LeftButton, {}, p);
        QCOMPARE(s.Prospettiva.coordinataXPixelP.lines(), (std::vector<std::string> {"100", "300", "500"}));
        QCOMPARE(screen->findChild<QPlainTextEdit *>("coordinataYPixelP")->toPlainText(), QString("50\n150\n250"));
        QCOMPARE(overlayAt(frameView(screen), 95, 50), QColor(Qt::red)); // the marker's cross
        QCOMPARE(overlayAt(frameView(screen), 120, 50).alpha(), 0);

        // Stepping keeps the markers.
        QTest::mouseClick(button(screen, "AvanzaFotogramma"), Qt::LeftButton);
        QCOMPARE(s.FotogrammaProspettiva, 1);
        QCOMPARE(frameView(screen)->frame().pixelColor(0, 0), QColor(101, 101, 101));
        QCOMPARE(overlayAt(frameView(screen), 95, 50), QColor(Qt::red));

        // Distances typed in the list, then the transformation.
        auto *distances = screen->findChild<QPlainTextEdit *>("DistanzeRealiP");
        QVERIFY(!distances->isReadOnly());
        distances->setPlainText("10\n10");
        QCOMPARE(s.Prospettiva.DistanzeRealiP.lines(), (std::vector<std::string> {"10", "10"}));
        QTest::mouseClick(button(screen, "Trasformazione"), Qt::LeftButton);
        QVERIFY(platform.messages.empty());
        QCOMPARE(screen->findChild<QLabel *>("info_TXT")->text(), QString("trasformate"));
        QVERIFY(screen->transformed());
        QCOMPARE(s.GrigliaMetrica.rows, 480);
        QCOMPARE(s.GrigliaMetrica.cols, 640);
        QVERIFY(std::abs(s.GrigliaMetrica.at(0, 639, 0) - 28.621994) < 5e-7);
        QVERIFY(magnifierTimer(app.AreaCaptazione())->isActive()); // DisegnaPunti switched it on
        magnifierTimer(app.AreaCaptazione())->stop();

        // A bad distance: message, grid and indicator as they were.
        const auto grid = s.GrigliaMetrica.data;
        distances->setPlainText("10\ndieci");
        QTest::mouseClick(button(screen, "Trasformazione"), Qt::LeftButton);
        QCOMPARE(platform.messageTexts("error").size(), 1);
        QVERIFY(platform.messageTexts("error")[0].contains("dieci"));
        QCOMPARE(screen->findChild<QLabel *>("info_TXT")->text(), QString("trasformate"));
        QVERIFY(s.GrigliaMetrica.data == grid);

        // Reset without questions: red again, markers gone.
        screen->AzzeraSenzaRichieste();
        QCOMPARE(screen->findChild<QLabel *>("info_TXT")->text(), QString("da trasformare"));
        QCOMPARE(overlayAt(frameView(screen), 95, 50).alpha(), 0);

        // Nothing left to transform: the screen refuses to go on.
        QTest::mouseClick(button(screen, "Conferma"), Qt::LeftButton);
        QCOMPARE(platform.messageTexts("error").size(), 2);
        QVERIFY(screen->isVisible());
    }

    void prospettivaGpsClickGoesThroughTheDialog()
    {
        ScriptedPlatform platform;
        Applicazione app(platform);
        StatoLavoro &s = app.stato();
        s.Estrattore.Cartella = m_dir.path();
        s.SceltaVersoLetture.usoGPS = true;
        TProspettiva *screen = app.Prospettiva();
        screen->show();
        QVERIFY(QTest::qWaitForWindowExposed(screen));
        QTest::qWait(100); // let the maximised window settle before its positions are taken
        screen->AzzeraSenzaRichieste();
        ModalDriver driver;
        QPoint dialogAt;
        QPoint pointer;
        QString xTxt;
        auto *lucido = frameView(screen)->lucido();
        driver.then([&](QWidget *dialog) {
            dialogAt = dialog->pos();
            pointer = lucido->mapToGlobal(QPoint(300, 150));
            xTxt = dialog->findChild<QLineEdit *>("X_TXT")->text();
            QTest::keyClicks(dialog->findChild<QLineEdit *>("Posizione_X"), "1000");
            QTest::keyClicks(dialog->findChild<QLineEdit *>("Posizione_Y"), "2000");
            QTest::keyClick(dialog->findChild<QLineEdit *>("Posizione_Y"), Qt::Key_Return);
        });
        driver.then(
            [&](QWidget *dialog) { QTest::keyClick(dialog->findChild<QLineEdit *>("Posizione_X"), Qt::Key_Escape); });
        QTest::mouseClick(lucido, Qt::LeftButton, {}, QPoint(300, 150));
        QCOMPARE(xTxt, QString("300"));
        QCOMPARE(s.Prospettiva.coordinataXPixelP.lines(), (std::vector<std::string> {"300"}));
        QCOMPARE(s.Prospettiva.coordinataY_GPSp.lines(), (std::vector<std::string> {"2000"}));
        QCOMPARE(screen->findChild<QPlainTextEdit *>("coordinataXPixelP")->toPlainText(), QString("300"));
        QCOMPARE(overlayAt(frameView(screen), 295, 150), QColor(Qt::red));
        QCOMPARE(dialogAt.y(), pointer.y() + 20);
        // Centred on the pointer (the window frame is measured only once shown).
        QVERIFY(std::abs(dialogAt.x() - (pointer.x() - app.PuntiGPS()->frameGeometry().width() / 2)) <= 4);
        // A second click cancelled: nothing recorded.
        QTest::mouseClick(lucido, Qt::LeftButton, {}, QPoint(400, 200));
        QCOMPARE(driver.seen, (QStringList {"PuntiGPS", "PuntiGPS"}));
        QCOMPARE(s.Prospettiva.coordinataXPixelP.count(), 1);
        QCOMPARE(s.Prospettiva.coordinataX_GPSp.count(), 1);
    }

    void prospettivaMissingFrame()
    {
        ScriptedPlatform platform;
        Applicazione app(platform);
        StatoLavoro &s = app.stato();
        s.Estrattore.Cartella = m_dir.path();
        s.Prospettiva.FotogrammaIniziale = "9";
        s.Prospettiva.coordinataXPixelP.lines() = {"5"};
        bool thrown = false;
        try {
            app.Prospettiva()->AzzeraSenzaRichieste();
        } catch (const kalvor::Error &) {
            thrown = true;
        }
        QVERIFY(thrown);
        QCOMPARE(s.FotogrammaProspettiva, 9);
        QCOMPARE(s.Prospettiva.coordinataXPixelP.count(), 1); // not yet cleared
    }

    void magnifierFollowsThePointer()
    {
        ScriptedPlatform platform;
        Applicazione app(platform);
        app.stato().Estrattore.Cartella = m_dir.path();
        TProspettiva *screen = app.Prospettiva();
        screen->AzzeraSenzaRichieste();
        QCOMPARE(magnifier(screen)->objectName(), QString("zoom_IMG"));
        QCOMPARE(magnifierTimer(screen)->interval(), 100);
        magnifier(screen)->showAt(QPoint(320, 240));
        const QImage &img = magnifier(screen)->image();
        QCOMPARE(img.size(), QSize(200, 200));
        QCOMPARE(img.pixelColor(100, 10), QColor(Qt::red)); // cross-hair
        QCOMPARE(img.pixelColor(10, 10), QColor(100, 100, 100)); // the frame, enlarged
        magnifier(screen)->showAt(QPoint(-500, -500)); // far outside: nothing fails
        QCOMPARE(magnifier(screen)->image().pixelColor(10, 10), QColor(64, 64, 64));
        QCOMPARE(magnifier(app.AreaCaptazione())->image().size(), QSize(165, 165));
    }

    void areaClicksColoursSwapAndRefusals()
    {
        ScriptedPlatform platform;
        Applicazione app(platform);
        StatoLavoro &s = app.stato();
        s.Estrattore.Cartella = m_dir.path();
        s.AreaCaptazione.FotogrammaIniziale = "2";
        TAreaCaptazione *screen = app.AreaCaptazione();
        screen->show();
        QCOMPARE(screen->windowTitle(), QString("Definisci l'area di esaminazione"));
        QTest::mouseClick(button(screen, "AzzeraDati"), Qt::LeftButton);
        QVERIFY(platform.messages.empty());
        QCOMPARE(frameView(screen)->frame().pixelColor(0, 0), QColor(102, 102, 102));
        auto *lucido = frameView(screen)->lucido();
        const QPoint clicks[] = {{400, 200}, {100, 220}, {300, 150}, {310, 260}};
        for (const QPoint p : clicks)
            QTest::mouseClick(lucido, Qt::LeftButton, {}, p);
        QCOMPARE(s.AreaCaptazione.PuntiRiferimento.lines(),
                 (std::vector<std::string> {"200", "400", "220", "100", "150", "300", "260", "310"}));
        QCOMPARE(overlayAt(frameView(screen), 395, 200), QColor(Qt::blue)); // P1
        QCOMPARE(overlayAt(frameView(screen), 250, 210), QColor(Qt::blue)); // the axis
        QCOMPARE(overlayAt(frameView(screen), 295, 150), QColor(Qt::red)); // P3
        QCOMPARE(overlayAt(frameView(screen), 305, 205), QColor(Qt::red)); // the band line
        // A fifth click: a red marker and two more lines.
        QTest::mouseClick(lucido, Qt::LeftButton, {}, QPoint(50, 60));
        QCOMPARE(s.AreaCaptazione.PuntiRiferimento.count(), 10);
        QCOMPARE(overlayAt(frameView(screen), 45, 60), QColor(Qt::red));

        magnifierTimer(screen)->start();
        QTest::mouseClick(button(screen, "Conferma"), Qt::LeftButton);
        QVERIFY(platform.messages.empty());
        QVERIFY(!screen->isVisible());
        QVERIFY(!magnifierTimer(screen)->isActive());
        QCOMPARE(s.AreaCaptazione.PuntiRiferimento.line(1), std::string("100"));
        QCOMPARE(s.AreaCaptazione.PuntiRiferimento.line(3), std::string("400"));
        QCOMPARE(s.AreaCaptazione.PuntiRiferimento.line(5), std::string("300")); // P3 never swapped

        // Three points: refused, the screen stays open.
        screen->show();
        QTest::mouseClick(button(screen, "AzzeraDati"), Qt::LeftButton);
        for (int i = 0; i < 3; ++i)
            QTest::mouseClick(lucido, Qt::LeftButton, {}, clicks[i]);
        QTest::mouseClick(button(screen, "Conferma"), Qt::LeftButton);
        QCOMPARE(platform.messageTexts("error").size(), 1);
        QVERIFY(platform.messageTexts("error")[0].contains("quattro punti"));
        QVERIFY(screen->isVisible());
        // A fourth point outside the frame: refused too.
        QTest::mouseClick(lucido, Qt::LeftButton, {}, QPoint(900, 100));
        QTest::mouseClick(button(screen, "Conferma"), Qt::LeftButton);
        QCOMPARE(platform.messageTexts("error").size(), 2);
        QVERIFY(platform.messageTexts("error")[1].contains("fuori dal fotogramma"));

        // disegnaElementi redraws from the list.
        s.AreaCaptazione.PuntiRiferimento.lines() = {"200", "100", "220", "400", "150", "300", "260", "310"};
        screen->refreshFromState();
        screen->disegnaElementi();
        QCOMPARE(overlayAt(frameView(screen), 95, 200), QColor(Qt::blue));
        QCOMPARE(overlayAt(frameView(screen), 45, 60).alpha(), 0);
        screen->close();
    }
};

QTEST_MAIN(TestGeometriaSchermi)
#include "test_geometria_schermi.moc"
