// SPDX-License-Identifier: GPL-3.0-or-later
#include "extraction/frame_file.hpp"
#include "extraction/png_io.hpp"
#include "gui/app/applicazione.hpp"
#include "gui/app/impostazioni.hpp"
#include "gui/platform/media_player.hpp"
#include "gui/platform/scripted_platform.hpp"
#include "project/project_writer.hpp"
#include "support/modal_driver.hpp"
#include "support/temp_dir.hpp"

#include <QComboBox>
#include <QCommandLinkButton>
#include <QLabel>
#include <QProgressBar>
#include <QtTest>

#include <filesystem>

using namespace kalvor;
using namespace kalvor::gui;

namespace {

const QStringList kChain = {"Riferimenti", "Estrattore", "Prospettiva", "AreaCaptazione", "Calibrazione", "Captazione"};

// A saved job on 64 x 48 frames 0..4 in `dir`, its capture at frame 3.
QString writeJob(const kalvor::testing::TempDir &dir, bool withFrames = true,
                 ProfiloRilevamento calibrazione = ProfiloRilevamento::Predefinito)
{
    StatoLavoro s(NumberFormat::comma());
    s.Calibrazione.Profilo = calibrazione;
    s.Riferimenti.luogo = "Verona";
    s.Estrattore.ListaFotogrammi = {"0", "1", "2", "3", "4"};
    s.Estrattore.ListaTempi = {"0", "0,2", "0,4", "0,6", "0,8"};
    s.SceltaVersoLetture.Origine00 = true;
    s.Prospettiva.coordinataXPixelP = {"5", "30", "60"};
    s.Prospettiva.coordinataYPixelP = {"40", "30", "20"};
    s.Prospettiva.DistanzeRealiP = {"5", "6"};
    s.AreaCaptazione.PuntiRiferimento = {"24", "2", "24", "61", "14", "30", "34", "30"};
    s.Captazione.ImmagineIniziale = "0";
    s.Captazione.ImmagineFinale = "2";
    s.CP.FotogrammaAttuale = 3;
    s.Captazione.NumeroVeicoliTXT = "7";
    s.Captazione.VeicoliTOT = {"veicolo", "7", "sup", "6", "30", "2", "3", "2", "0,4"};
    if (withFrames)
        for (int n = 0; n <= 4; ++n)
            writePng(frameFileName(dir.path(), n), RgbImage(64, 48));
    writeProjectFile(dir.file("lavoro.kvr"), s);
    return QString::fromStdString(dir.file("lavoro.kvr"));
}

} // namespace

class TestApriDati : public QObject
{
    Q_OBJECT
private slots:
    void readsTheJobThenWalksTheChain()
    {
        kalvor::testing::TempDir dir;
        ScriptedPlatform platform;
        platform.openAnswers = {writeJob(dir)};
        Applicazione app(platform);
        TImpostazioni *main = app.Impostazioni();
        test::ModalDriver driver;
        bool barShownDuringChain = true;
        bool confermaEnabledDuringChain = false;
        driver.otherwise([&](QWidget *screen) {
            barShownDuringChain = main->findChild<QProgressBar *>("Barra")->isVisible();
            confermaEnabledDuringChain = main->findChild<QCommandLinkButton *>("Conferma")->isEnabled();
            screen->close();
        });
        main->show();
        main->findChild<QCommandLinkButton *>("ApriDati")->click();

        QCOMPARE(platform.dialogs.front().options.title, QString("Apri un lavoro KALVOR fatto in precedenza"));
        QVERIFY2(platform.messageTexts("error").isEmpty(), qPrintable(platform.messageTexts("error").join("; ")));
        QCOMPARE(driver.seen.mid(0, kChain.size()), kChain);
        QVERIFY(!barShownDuringChain);
        QVERIFY(confermaEnabledDuringChain);
        QCOMPARE(main->findChild<QProgressBar *>("Barra")->value(), 100);
        const StatoLavoro &s = app.stato();
        QCOMPARE(s.Riferimenti.luogo, std::string("Verona"));
        QCOMPARE(s.Estrattore.Cartella, dir.path());
        QCOMPARE(s.CP.FotogrammaAttuale, 3);
        QCOMPARE(s.CP.NumeroVeicolo, 8);
        QCOMPARE(s.Captazione.VeicoliTOT.count(), 9);
        QCOMPARE(s.Prospettiva.coordinataXPixelP.count(), 3);
        QCOMPARE(s.FotogrammaProspettiva, 0);
        QCOMPARE(s.CP.NumeroFotogrammiMedia, 3);
    }

    void theDetectionScreensShowTheJobsProfiles()
    {
        kalvor::testing::TempDir dir;
        ScriptedPlatform platform;
        platform.openAnswers = {writeJob(dir, true, ProfiloRilevamento::Robusto)};
        Applicazione app(platform);
        // A capture chosen robust before: the job's default replaces it.
        app.stato().Captazione.Profilo = ProfiloRilevamento::Robusto;
        test::ModalDriver driver;
        QMap<QString, QString> shown;
        driver.otherwise([&](QWidget *screen) {
            if (auto *choice = screen->findChild<QComboBox *>("ProfiloRilevamento"))
                shown[screen->objectName()] = choice->currentText();
            screen->close();
        });
        app.Impostazioni()->findChild<QCommandLinkButton *>("ApriDati")->click();
        QVERIFY2(platform.messageTexts("error").isEmpty(), qPrintable(platform.messageTexts("error").join("; ")));
        QCOMPARE(shown.value("Calibrazione"), QString("robusto"));
        QCOMPARE(shown.value("Captazione"), QString("predefinito"));
        QCOMPARE(app.stato().Calibrazione.Profilo, ProfiloRilevamento::Robusto);
        QCOMPARE(app.stato().Captazione.Profilo, ProfiloRilevamento::Predefinito);
    }

    void aMissingFrameStopsTheReadingAndLeavesTheScreenUsable()
    {
        kalvor::testing::TempDir dir;
        ScriptedPlatform platform;
        platform.openAnswers = {writeJob(dir, false)};
        Applicazione app(platform);
        TImpostazioni *main = app.Impostazioni();
        test::ModalDriver driver;
        main->show();
        main->findChild<QCommandLinkButton *>("ApriDati")->click();

        QCOMPARE(platform.messageTexts("error").size(), 1);
        QVERIFY(platform.messageTexts("error").front().contains("0.png"));
        QVERIFY(driver.seen.isEmpty());
        QVERIFY(!main->findChild<QProgressBar *>("Barra")->isVisible());
        QVERIFY(main->findChild<QCommandLinkButton *>("Conferma")->isEnabled());
        // What was read before the failing section keeps its value.
        QCOMPARE(app.stato().Riferimenti.luogo, std::string("Verona"));
        QCOMPARE(app.stato().Estrattore.ListaFotogrammi.count(), 5);
        QCOMPARE(app.stato().Prospettiva.FotogrammaIniziale, std::string("0"));
    }

    void theExtractorShowsTheFramesTheJobHolds()
    {
        kalvor::testing::TempDir dir;
        ScriptedPlatform platform;
        platform.openAnswers = {writeJob(dir)};
        RgbImage first(64, 48);
        std::fill(first.pixels.begin(), first.pixels.end(), std::uint8_t {180});
        writePng(frameFileName(dir.path(), 0), first);
        Applicazione app(platform);
        test::ModalDriver driver;
        QString total, extracted, current;
        QColor shown;
        driver.otherwise([&](QWidget *screen) {
            if (screen->objectName() == "Estrattore") {
                total = screen->findChild<QLabel *>("fotogrammiTOT")->text();
                extracted = screen->findChild<QLabel *>("NumeroEstrazioneTXT")->text();
                current = screen->findChild<QLabel *>("fotogrammaTXT")->text();
                auto *player = screen->findChild<MediaPlayer *>();
                shown = player->grab().toImage().pixelColor(10, 10);
            }
            screen->close();
        });
        app.Impostazioni()->findChild<QCommandLinkButton *>("ApriDati")->click();
        QVERIFY2(platform.messageTexts("error").isEmpty(), qPrintable(platform.messageTexts("error").join("; ")));
        QCOMPARE(total, QString("5"));
        QCOMPARE(extracted, QString("5"));
        QCOMPARE(current, QString("0"));
        QCOMPARE(shown, QColor(180, 180, 180));
    }

    void aFileThatIsNotAJobIsRefusedWithNothingChanged()
    {
        kalvor::testing::TempDir dir;
        writePng(dir.file("foto.png"), RgbImage(8, 6));
        ScriptedPlatform platform;
        platform.openAnswers = {QString::fromStdString(dir.file("foto.png"))};
        Applicazione app(platform);
        app.stato().Riferimenti.luogo = "prima";
        app.stato().Estrattore.Cartella = "/fotogrammi/";
        TImpostazioni *main = app.Impostazioni();
        test::ModalDriver driver;
        main->show();
        main->findChild<QCommandLinkButton *>("ApriDati")->click();

        QCOMPARE(platform.messageTexts("error").size(), 1);
        QVERIFY(platform.messageTexts("error").front().startsWith("«foto.png» non è un file dati KALVOR"));
        QVERIFY(driver.seen.isEmpty());
        QCOMPARE(app.stato().Riferimenti.luogo, std::string("prima"));
        QCOMPARE(app.stato().Estrattore.Cartella, std::string("/fotogrammi/"));
        QVERIFY(!main->findChild<QProgressBar *>("Barra")->isVisible());
        QVERIFY(main->findChild<QCommandLinkButton *>("Conferma")->isEnabled());
    }

    void cancellingTheDialogChangesNothing()
    {
        ScriptedPlatform platform;
        Applicazione app(platform);
        test::ModalDriver driver;
        app.stato().Riferimenti.luogo = "prima";
        app.Impostazioni()->findChild<QCommandLinkButton *>("ApriDati")->click();
        QCOMPARE(app.stato().Riferimenti.luogo, std::string("prima"));
        QVERIFY(driver.seen.isEmpty());
        QVERIFY(platform.messageTexts("error").isEmpty());
    }
};

QTEST_MAIN(TestApriDati)
#include "test_apri_dati.moc"
