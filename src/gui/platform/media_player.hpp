// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The media player of the frame extractor: a video area with a control bar
// (play/pause and a position slider) at the bottom, over the engine's
// VideoDecoder. It offers the operations the extractor uses, named after
// them: URL (media by file name), enabled (QWidget's flag, which the screen
// uses to mean "a video is loaded"), play, pause, stop, close (closeMedia:
// QWidget::close is the window's), the current position in seconds, read and
// written, and the position as "mm:ss".
//
// It never starts playing by itself, never stretches the picture (shown at
// the frame size from the top-left corner of the video area), plays no sound,
// and shows no error dialog: a file it cannot open is a kalvor::Error thrown
// to the caller. While playing, the position runs with the wall clock from
// where play() started; it stops at the end of the video.

#include "common/rgb_image.hpp"
#include "extraction/video_decoder.hpp"

#include <QElapsedTimer>
#include <QImage>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <memory>

class QSlider;
class QToolButton;

namespace kalvor::gui {

class MediaPlayer : public QWidget
{
    Q_OBJECT

public:
    explicit MediaPlayer(QWidget *parent = nullptr);
    ~MediaPlayer() override;

    // `URL`: opens the file, paused at 0 with its first picture shown. An
    // empty name closes the media. kalvor::Error when the file cannot be read;
    // the previous media is closed then.
    void setURL(const QString &fileName);
    QString URL() const { return m_url; }
    bool hasMedia() const { return m_decoder != nullptr; }

    void play();
    void pause();
    void stop(); // pause and back to 0
    void closeMedia();
    // Without media: a still picture in the video area (the frames a job
    // already holds); a null picture clears it. Opening a video replaces it.
    void showStill(const QImage &picture);
    bool isPlaying() const { return m_playing; }

    double duration() const;
    double currentPosition() const;
    // Clamped to 0 .. duration; keeps playing if it was.
    void setCurrentPosition(double seconds);
    QString currentPositionString() const;

    // The decoded picture at a position, at the frame size (the picture's
    // shape, its pixels' own shape honoured, fitted into 640 x 480, as the
    // extraction writes frames). Empty without media.
    RgbImage pictureAt(double seconds);
    int frameWidth() const { return m_frameWidth; }
    int frameHeight() const { return m_frameHeight; }

    QSize sizeHint() const override;

signals:
    void positionChanged(double seconds);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void refresh();
    void onSliderMoved(int value);
    void updateControls();

    std::unique_ptr<VideoDecoder> m_decoder;
    QString m_url;
    int m_frameWidth = 0;
    int m_frameHeight = 0;
    bool m_playing = false;
    double m_position = 0.0; // while paused; while playing, where play() started
    QElapsedTimer m_clock;
    QTimer m_ticker;
    QImage m_shown;
    double m_shownTime = -1.0;
    QToolButton *m_playPause = nullptr;
    QSlider *m_slider = nullptr;
    bool m_updatingSlider = false;
};

} // namespace kalvor::gui
