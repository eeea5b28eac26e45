// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/errors.hpp"
#include "common/files.hpp"
#include "gui/platform/media_player.hpp"
#include "scene/road_scene.hpp"
#include "scene/video_writer.hpp"
#include "support/temp_dir.hpp"

#include <QSlider>
#include <QTest>

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
