// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/errors.hpp"
#include "common/files.hpp"
#include "gui/platform/media_player.hpp"
#include "scene/road_scene.hpp"
#include "scene/video_writer.hpp"
#include "support/temp_dir.hpp"

#include <QImage>
#include <QSlider>
#include <QTest>

#include <algorithm>
#include <cstdlib>

using namespace kalvor;
using namespace kalvor::testing;
using namespace kalvor::scene;

class TestMediaPlayer : public QObject
{
    Q_OBJECT

private:
    TempDir m_dir;
    std::unique_ptr<RoadScene> m_scene;
    QString m_video;

private slots:
    void initTestCase()
    {
        SceneOptions o;
        o.width = 160;
        o.height = 120;
        o.duration = 1.0;
        m_scene = std::make_unique<RoadScene>(o);
        m_video = QString::fromStdString(m_dir.file("road.mkv"));
        encodeScene(*m_scene, m_video.toStdString(), VideoSettings {});
    }

    void loadsPausedAtZero()
    {
        gui::MediaPlayer p;
        QVERIFY(!p.hasMedia());
        QCOMPARE(p.currentPositionString(), QStringLiteral("00:00"));
        p.setURL(m_video);
        QVERIFY(p.hasMedia());
        QVERIFY(!p.isPlaying());
        QCOMPARE(p.currentPosition(), 0.0);
        QCOMPARE(p.frameWidth(), 160);
        QVERIFY(p.pictureAt(0.0) == m_scene->frame(0));
        QVERIFY(p.pictureAt(0.5) == m_scene->frame(12));
        QCOMPARE(p.findChild<QSlider *>(QStringLiteral("posizione"))->maximum(), 1000);
    }

    void positionIsClampedAndFormatted()
    {
        gui::MediaPlayer p;
        p.setURL(m_video);
        p.setCurrentPosition(0.62);
        QCOMPARE(p.currentPosition(), 0.62);
        p.setCurrentPosition(50.0);
        QCOMPARE(p.currentPosition(), p.duration());
        p.setCurrentPosition(-50.0);
        QCOMPARE(p.currentPosition(), 0.0);
        p.setCurrentPosition(0.9);
        p.stop();
        QCOMPARE(p.currentPosition(), 0.0);
        QCOMPARE(p.currentPositionString(), QStringLiteral("00:00"));
    }

    void playRunsWithTheClockAndStopsAtTheEnd()
    {
        gui::MediaPlayer p;
        p.setURL(m_video);
        p.play();
        QVERIFY(p.isPlaying());
        // The position follows the clock: wait for it to move, however slow the machine.
        QTRY_VERIFY_WITH_TIMEOUT(p.currentPosition() > 0.1, 60000);
        p.pause();
        const double paused = p.currentPosition();
        QVERIFY2(paused <= p.duration(), qPrintable(QString::number(paused)));
        QTest::qWait(100);
        QCOMPARE(p.currentPosition(), paused); // a paused player does not move
        p.play();
        QTRY_VERIFY_WITH_TIMEOUT(!p.isPlaying(), 60000);
        QCOMPARE(p.currentPosition(), p.duration());
    }

    void closeReleasesTheMedia()
    {
        gui::MediaPlayer p;
        p.setURL(m_video);
        p.closeMedia();
        QVERIFY(!p.hasMedia());
        QVERIFY(p.pictureAt(0.0).empty());
        p.play(); // nothing to play: no effect
        QVERIFY(!p.isPlaying());
    }

    // A PAL 4:3 video: 720 x 576 coded, pixels 16:15 wide. The picture is
    // shown 640 x 480, as the extraction writes it, not 600 x 480.
    void wideSamplePixelsWidenThePicture()
    {
        const std::string video = m_dir.file("pal.mkv");
        VideoSettings settings;
        settings.pixelWidth = 16;
        settings.pixelHeight = 15;
        {
            VideoWriter writer(video, 720, 576, settings);
            RgbImage grey(720, 576);
            std::fill(grey.pixels.begin(), grey.pixels.end(), std::uint8_t {200});
            for (int k = 0; k < 3; ++k)
                writer.write(grey, k);
        }
        gui::MediaPlayer p;
        p.setURL(QString::fromStdString(video));
        QCOMPARE(p.frameWidth(), 640);
        QCOMPARE(p.frameHeight(), 480);
        const RgbImage picture = p.pictureAt(0.0);
        QCOMPARE(picture.width, 640);
        QCOMPARE(picture.height, 480);

        p.resize(p.minimumSize());
        QCOMPARE(p.minimumSize().width(), 640);
        // Grey (200, give or take the codec's rounding) up to column 639 and
        // row 479, the black of the video area beyond.
        auto grey = [](const QImage &image, int x, int y) { return std::abs(qRed(image.pixel(x, y)) - 200) <= 4; };
        const QImage shown = p.grab().toImage();
        QVERIFY(grey(shown, 639, 200));
        QVERIFY(grey(shown, 620, 479));
        p.resize(700, 600);
        const QImage wider = p.grab().toImage();
        QVERIFY(grey(wider, 639, 479));
        QVERIFY(!grey(wider, 641, 200));
        QVERIFY(!grey(wider, 300, 481));
    }

    void unreadableFileIsAnError()
    {
        const std::string bad = m_dir.file("notes.avi");
        writeFileAtomically(bad, "not a video");
        gui::MediaPlayer p;
        p.setURL(m_video);
        QVERIFY_THROWS_EXCEPTION(kalvor::FileError, p.setURL(QString::fromStdString(bad)));
        QVERIFY(!p.hasMedia());
    }
};

QTEST_MAIN(TestMediaPlayer)
#include "test_media_player.moc"
