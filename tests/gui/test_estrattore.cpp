// SPDX-License-Identifier: GPL-3.0-or-later
// The extractor screen driven through the scripted platform: load, move,
// extract with the timer, stop, confirm.
#include "common/errors.hpp"
#include "extraction/caption.hpp"
#include "extraction/png_io.hpp"
#include "gui/app/applicazione.hpp"
#include "gui/extraction/estrattore.hpp"
#include "gui/geometry/prospettiva.hpp"
#include "gui/platform/hint_balloon.hpp"
#include "gui/platform/media_player.hpp"
#include "gui/platform/scripted_platform.hpp"
#include "scene/road_scene.hpp"
#include "scene/video_writer.hpp"
#include "support/scoped_number_format.hpp"
#include "support/screen_parts.hpp"
#include "support/temp_dir.hpp"

#include <QCommandLinkButton>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <cmath>
#include <filesystem>

using namespace kalvor;
using namespace kalvor::gui;
using namespace kalvor::testing;
using namespace kalvor::scene;
using kalvor::testing::TempDir;

class TestEstrattore : public QObject
{
    Q_OBJECT

private:
    TempDir m_dir;
    std::unique_ptr<kalvor::scene::RoadScene> m_scene;
    QString m_video;

    template<class T> static T *child(QWidget *screen, const char *name)
    {
        auto *w = screen->findChild<T *>(QString::fromLatin1(name));
        if (w == nullptr)
            qFatal("no control %s", name);
        return w;
    }

    static void click(QWidget *screen, const char *name) { child<QAbstractButton>(screen, name)->click(); }

    // Loads the video with the folder dialog answering a file in `folder`.
    void load(ScriptedPlatform &platform, TEstrattore *e, const QString &folderAnswer)
    {
        platform.openAnswers.push_back(m_video);
        platform.saveAnswers.push_back(folderAnswer);
        click(e, "caricafilmato");
    }

private slots:
    void initTestCase()
    {
        kalvor::scene::SceneOptions o;
        o.width = 160;
        o.height = 120;
        o.duration = 4.0;
        m_scene = std::make_unique<kalvor::scene::RoadScene>(o);
        m_video = QString::fromStdString(m_dir.file("road.mkv"));
        kalvor::scene::encodeScene(*m_scene, m_video.toStdString(), kalvor::scene::VideoSettings {});
    }

    void controlsCaptionsAndHints()
    {
        kalvor::testing::ScopedNumberFormat comma(NumberFormat::comma());
        ScriptedPlatform platform;
        Applicazione app(platform);
        TEstrattore *e = app.Estrattore();
        QCOMPARE(e->windowTitle(), QStringLiteral("Estrattore fotogrammi da esaminare"));
        const std::pair<const char *, const char *> buttons[] = {{"caricafilmato", "carica filmato"},
                                                                 {"EstrazioneFrame", "EstrazioneFrame"},
                                                                 {"FermaEstr", "Ferma estrazion."},
                                                                 {"Conferma", "Passo successivo"},
                                                                 {"indietro", "indietro"},
                                                                 {"avanti", "avanti"}};
        for (const auto &[name, text] : buttons)
            QCOMPARE(child<QAbstractButton>(e, name)->text(), QString::fromUtf8(text));
        const std::pair<const char *, const char *> labels[] = {{"Label1", "Numer. fotog. iniz."},
                                                                {"Label3", "Intervallo di estraz."},
                                                                {"Label7", "Micro spostamenti"},
                                                                {"Label2", "Fotogrammi:"},
                                                                {"Label4", "Totali"},
                                                                {"fotogrammiTOT", "00000"},
                                                                {"Label5", "Attuale"},
                                                                {"fotogrammaTXT", "00000"},
                                                                {"Label6", "Etratti"},
                                                                {"NumeroEstrazioneTXT", "00000"},
                                                                {"Label8", "Istante"},
                                                                {"TempoTXT", "00:00"}};
        for (const auto &[name, text] : labels)
            QCOMPARE(child<QLabel>(e, name)->text(), QString::fromUtf8(text));
        e->refreshFromState();
        QCOMPARE(child<QLineEdit>(e, "ImmagineIniziale")->text(), QStringLiteral("0"));
        QCOMPARE(child<QLineEdit>(e, "StepRegolazione")->text(), QStringLiteral("50"));
        QCOMPARE(hintOf(child<QLineEdit>(e, "ImmagineIniziale")),
                 QStringLiteral("Numero primo fotogramma|numero del primo fotogramma da salvare|7"));
        QCOMPARE(hintOf(child<QLineEdit>(e, "step")),
                 QStringLiteral("Intervallo estrazione|impostare l'intervallo di estrazione fotogr. in secondi|4"));
        QCOMPARE(hintOf(child<QLineEdit>(e, "StepRegolazione")),
                 QStringLiteral("Micro spostamenti|Numero di secondi di cui spostarsi|7"));
        QVERIFY(!child<QTimer>(e, "estrattoreframe")->isActive());
        QVERIFY(child<MediaPlayer>(e, "SorgenteFilmato")->isEnabled());
        QVERIFY(!child<MediaPlayer>(e, "SorgenteFilmato")->hasMedia());
        QCOMPARE(
            kFiltroVideo,
            QStringLiteral("Filmato Full HD|*.mts|Tutti gli altri tipi di filmato|*.avi;*.mpg;*.flv|tutti i file|*.*"));
    }

    void loadingAsksForVideoThenFolder()
    {
        ScriptedPlatform platform;
        Applicazione app(platform);
        TEstrattore *e = app.Estrattore();
        load(platform, e, QString::fromStdString(m_dir.file("qualunque nome")));
        QCOMPARE(platform.dialogs.size(), std::size_t(2));
        QCOMPARE(platform.dialogs[0].kind, QStringLiteral("open"));
        QCOMPARE(platform.dialogs[0].options.title, QStringLiteral("Seleziona il video da elaborare"));
        QCOMPARE(
            platform.dialogs[0].options.filter,
            QStringLiteral(
                "Filmato Full HD (*.mts);;Tutti gli altri tipi di filmato (*.avi *.mpg *.flv);;tutti i file (*.*)"));
        QCOMPARE(platform.dialogs[1].kind, QStringLiteral("save"));
        QCOMPARE(platform.dialogs[1].options.title,
                 QStringLiteral("Seleziona la cartella di destinazione dei fotogrammi"));
        QCOMPARE(platform.dialogs[1].options.initialPath, QStringLiteral("seleziona cartella"));
        QCOMPARE(app.stato().Estrattore.Cartella, m_dir.path());
        QVERIFY(child<MediaPlayer>(e, "SorgenteFilmato")->hasMedia());
        QVERIFY(!child<MediaPlayer>(e, "SorgenteFilmato")->isPlaying());
        QCOMPARE(child<MediaPlayer>(e, "SorgenteFilmato")->currentPosition(), 0.0);
        QCOMPARE(child<QLabel>(e, "fotogrammaTXT")->text(), QStringLiteral("0"));
    }

    void cancellingTheFolderDialogLeavesTheWorkingFolder()
    {
        ScriptedPlatform platform;
        Applicazione app(platform);
        app.stato().Estrattore.Cartella = "/old/";
        load(platform, app.Estrattore(), QString());
        QCOMPARE(app.stato().Estrattore.Cartella, std::string());
        QVERIFY(child<MediaPlayer>(app.Estrattore(), "SorgenteFilmato")->hasMedia());
    }

    void cancellingTheVideoDialogChangesNothing()
    {
        ScriptedPlatform platform;
        Applicazione app(platform);
        app.stato().Estrattore.Cartella = "/old/";
        click(app.Estrattore(), "caricafilmato");
        QCOMPARE(platform.dialogs.size(), std::size_t(1));
        QCOMPARE(app.stato().Estrattore.Cartella, std::string("/old/"));
        QVERIFY(!child<MediaPlayer>(app.Estrattore(), "SorgenteFilmato")->hasMedia());
    }

    void unreadableVideoIsAnErrorBox()
    {
        ScriptedPlatform platform;
        Applicazione app(platform);
        platform.openAnswers.push_back(QString::fromStdString(m_dir.file("missing.avi")));
        click(app.Estrattore(), "caricafilmato");
        QCOMPARE(platform.messageTexts("error").size(), 1);
        QVERIFY(platform.messageTexts("error").front().contains("missing.avi"));
        QCOMPARE(platform.dialogs.size(), std::size_t(1));
    }

    void movingForwardAndBack()
    {
        kalvor::testing::ScopedNumberFormat comma(NumberFormat::comma());
        ScriptedPlatform platform;
        Applicazione app(platform);
        TEstrattore *e = app.Estrattore();
        load(platform, e, QString());
        auto *size = child<QLineEdit>(e, "StepRegolazione");
        size->setText("2");
        click(e, "avanti");
        QCOMPARE(child<MediaPlayer>(e, "SorgenteFilmato")->currentPosition(), 2.0);
        QCOMPARE(child<QLabel>(e, "fotogrammaTXT")->text(), QStringLiteral("2"));
        click(e, "avanti"); // beyond the end: the player stops at its end
        QCOMPARE(child<MediaPlayer>(e, "SorgenteFilmato")->currentPosition(),
                 child<MediaPlayer>(e, "SorgenteFilmato")->duration());
        size->setText("50");
        click(e, "indietro");
        QCOMPARE(child<MediaPlayer>(e, "SorgenteFilmato")->currentPosition(), 0.0);
        QCOMPARE(child<QLabel>(e, "fotogrammaTXT")->text(), QStringLiteral("0"));
        size->setText("1,5");
        click(e, "avanti");
        QCOMPARE(platform.messageTexts("error").size(), 1);
        QCOMPARE(child<MediaPlayer>(e, "SorgenteFilmato")->currentPosition(), 0.0);
    }

    void extractingWithTheTimer()
    {
        kalvor::testing::ScopedNumberFormat comma(NumberFormat::comma());
        TempDir out;
        ScriptedPlatform platform;
        Applicazione app(platform);
        TEstrattore *e = app.Estrattore();
        load(platform, e, QString::fromStdString(out.file("x")));
        child<QLineEdit>(e, "ImmagineIniziale")->setText("10");
        child<QLineEdit>(e, "step")->setText("0,1");
        click(e, "EstrazioneFrame");
        QVERIFY(child<QTimer>(e, "estrattoreframe")->isActive());
        QCOMPARE(child<QTimer>(e, "estrattoreframe")->interval(), 100);
        QVERIFY(child<MediaPlayer>(e, "SorgenteFilmato")->isPlaying());
        QTRY_VERIFY_WITH_TIMEOUT(app.stato().Estrattore.ListaFotogrammi.count() >= 4, 60000);
        click(e, "FermaEstr");
        QVERIFY(!child<QTimer>(e, "estrattoreframe")->isActive());
        QVERIFY(!child<MediaPlayer>(e, "SorgenteFilmato")->isPlaying());

        const auto &s = app.stato();
        const int n = s.Estrattore.ListaFotogrammi.count();
        QCOMPARE(s.Estrattore.ListaTempi.count(), n);
        QCOMPARE(s.NumeroFotogrammaEstratto, 10 + n);
        QCOMPARE(child<QLabel>(e, "NumeroEstrazioneTXT")->text(), QString::number(10 + n));
        double previous = -1;
        for (int i = 0; i < n; ++i) {
            QCOMPARE(s.Estrattore.ListaFotogrammi.line(i), std::to_string(10 + i));
            const double t = toDecimal(s.Estrattore.ListaTempi.line(i));
            QVERIFY(t > previous);
            previous = t;
            // The file is the decoded picture shown at that position, with its caption.
            const int shown = static_cast<int>(std::floor(t * 25 + 1e-6));
            const RgbImage written = readPng(out.file(std::to_string(10 + i) + ".png"));
            // The recorded time is the position rounded to four decimals: near a frame
            // boundary the shown frame may be the neighbour of the one t points at.
            bool matches = false;
            for (int k = std::max(0, shown - 1); k <= shown + 1; ++k) {
                RgbImage candidate = m_scene->frame(k);
                drawCaption(candidate, captionText(10 + i, t));
                matches = matches || written == candidate;
            }
            QVERIFY2(matches, qPrintable(QString::number(i)));
        }
        QVERIFY(platform.messageTexts("error").isEmpty());
    }

    void zeroIntervalIsRefused()
    {
        kalvor::testing::ScopedNumberFormat comma(NumberFormat::comma());
        ScriptedPlatform platform;
        Applicazione app(platform);
        TEstrattore *e = app.Estrattore();
        load(platform, e, QString());
        child<QLineEdit>(e, "step")->setText("0,0004");
        click(e, "EstrazioneFrame");
        QCOMPARE(platform.messageTexts("error").size(), 1);
        QVERIFY(platform.messageTexts("error").front().contains("0,0004"));
        QVERIFY(!child<QTimer>(e, "estrattoreframe")->isActive());
        QVERIFY(!child<MediaPlayer>(e, "SorgenteFilmato")->isPlaying());
    }

    void unwritableFolderStopsWithOneError()
    {
        kalvor::testing::ScopedNumberFormat comma(NumberFormat::comma());
        ScriptedPlatform platform;
        Applicazione app(platform);
        TEstrattore *e = app.Estrattore();
        load(platform, e, QString::fromStdString(m_dir.file("absent/x")));
        child<QLineEdit>(e, "step")->setText("0,05");
        click(e, "EstrazioneFrame");
        QTRY_VERIFY_WITH_TIMEOUT(!child<QTimer>(e, "estrattoreframe")->isActive(), 60000);
        QTest::qWait(200);
        QCOMPARE(platform.messageTexts("error").size(), 1);
        QVERIFY(platform.messageTexts("error").front().contains("absent/0.png"));
        QVERIFY(app.stato().Estrattore.ListaFotogrammi.empty());
        QVERIFY(!child<MediaPlayer>(e, "SorgenteFilmato")->isPlaying());
    }

    void confirmBuildsTheTableAndStopsTheExtraction()
    {
        kalvor::testing::ScopedNumberFormat comma(NumberFormat::comma());
        TempDir out;
        ScriptedPlatform platform;
        Applicazione app(platform);
        TEstrattore *e = app.Estrattore();
        e->show();
        load(platform, e, QString::fromStdString(out.file("x")));
        child<QLineEdit>(e, "step")->setText("0,1");
        click(e, "EstrazioneFrame");
        QTRY_VERIFY_WITH_TIMEOUT(app.stato().Estrattore.ListaFotogrammi.count() >= 2, 60000);
        click(e, "Conferma"); // while extracting
        QVERIFY(!child<QTimer>(e, "estrattoreframe")->isActive());
        QVERIFY(!e->isVisible());
        QVERIFY(!child<MediaPlayer>(e, "SorgenteFilmato")->isEnabled());
        QVERIFY(magnifierTimer(app.Prospettiva())->isActive());
        const auto &s = app.stato();
        const int n = s.Estrattore.ListaFotogrammi.count();
        QCOMPARE(s.NumeroFotogrammiEstratti, n);
        QCOMPARE(int(s.TabellaTempiFotogrammi.size()), n);
        for (int j = 0; j < n; ++j) {
            QCOMPARE(s.TabellaTempiFotogrammi[j][0], double(j));
            QCOMPARE(s.TabellaTempiFotogrammi[j][1], toDecimal(s.Estrattore.ListaTempi.line(j)));
        }
    }

    void confirmWithAMissingTimeStaysOpen()
    {
        kalvor::testing::ScopedNumberFormat comma(NumberFormat::comma());
        ScriptedPlatform platform;
        Applicazione app(platform);
        TEstrattore *e = app.Estrattore();
        e->show();
        app.stato().Estrattore.ListaFotogrammi = {"0", "1", "2"};
        app.stato().Estrattore.ListaTempi = {"0", "0,2"};
        click(e, "Conferma");
        QCOMPARE(platform.messageTexts("error").size(), 1);
        QVERIFY(e->isVisible());
        QCOMPARE(app.stato().NumeroFotogrammiEstratti, 3);
        QCOMPARE(app.stato().TabellaTempiFotogrammi[1][1], 0.2);
        QCOMPARE(app.stato().TabellaTempiFotogrammi[2][0], 2.0);
        QVERIFY(!magnifierTimer(app.Prospettiva())->isActive());
        e->close();
    }

    void closingStopsARunningExtractionAndReleasesTheMedia()
    {
        kalvor::testing::ScopedNumberFormat comma(NumberFormat::comma());
        TempDir out;
        ScriptedPlatform platform;
        Applicazione app(platform);
        TEstrattore *e = app.Estrattore();
        e->show();
        load(platform, e, QString::fromStdString(out.file("x")));
        click(e, "EstrazioneFrame");
        QVERIFY(child<QTimer>(e, "estrattoreframe")->isActive());
        e->close();
        QVERIFY(!child<QTimer>(e, "estrattoreframe")->isActive());
        QVERIFY(!child<MediaPlayer>(e, "SorgenteFilmato")->hasMedia());
        QVERIFY(!child<MediaPlayer>(e, "SorgenteFilmato")->isEnabled());
    }
};

QTEST_MAIN(TestEstrattore)
#include "test_estrattore.moc"
