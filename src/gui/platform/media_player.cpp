// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/platform/media_player.hpp"

#include "gui/platform/frame_image.hpp"

#include "extraction/extractor.hpp"

#include <QHBoxLayout>
#include <QPainter>
#include <QSlider>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace kalvor::gui {

namespace {

constexpr int kTickMs = 15;
constexpr int kBarHeight = 40;

} // namespace

MediaPlayer::MediaPlayer(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("SorgenteFilmato"));
    setContextMenuPolicy(Qt::NoContextMenu);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setMinimumSize(320, 240);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::black);
    setPalette(pal);

    m_playPause = new QToolButton(this);
    m_playPause->setObjectName(QStringLiteral("playPause"));
    m_playPause->setIcon(style()->standardIcon(QStyle::SP_MediaPlay));
    m_slider = new QSlider(Qt::Horizontal, this);
    m_slider->setObjectName(QStringLiteral("posizione"));
    m_slider->setRange(0, 0);
    auto *bar = new QHBoxLayout;
    bar->setContentsMargins(4, 4, 4, 4);
    bar->addWidget(m_playPause);
    bar->addWidget(m_slider, 1);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addStretch(1);
    layout->addLayout(bar);

    connect(m_playPause, &QToolButton::clicked, this, [this] { m_playing ? pause() : play(); });
    connect(m_slider, &QSlider::valueChanged, this, &MediaPlayer::onSliderMoved);
    m_ticker.setInterval(kTickMs);
    connect(&m_ticker, &QTimer::timeout, this, &MediaPlayer::refresh);
    updateControls();
}

MediaPlayer::~MediaPlayer() = default;

QSize MediaPlayer::sizeHint() const
{
    return {640, 480 + kBarHeight};
}

void MediaPlayer::setURL(const QString &fileName)
{
    closeMedia();
    if (fileName.isEmpty())
        return;
    auto decoder = std::make_unique<VideoDecoder>(fileName.toStdString());
    // The picture's shape, as the extraction writes it: wide pixels widen it.
    const FrameSize size = fittedFrameSize(*decoder);
    if (size.width != decoder->width() || size.height != decoder->height())
        decoder->setOutputSize(size.width, size.height);
    m_decoder = std::move(decoder);
    m_url = fileName;
    m_frameWidth = size.width;
    m_frameHeight = size.height;
    m_position = 0.0;
    // Room for the whole picture above the control bar: it is never scaled.
    setMinimumSize(std::max(320, size.width), std::max(240, size.height) + kBarHeight);
    updateControls();
    refresh();
}

void MediaPlayer::play()
{
    if (!m_decoder || m_playing)
        return;
    if (m_position >= duration())
        m_position = 0.0; // a player started at the end plays from the start
    m_playing = true;
    m_clock.start();
    m_ticker.start();
    updateControls();
}

void MediaPlayer::pause()
{
    if (!m_playing)
        return;
    m_position = currentPosition();
    m_playing = false;
    m_ticker.stop();
    updateControls();
    refresh();
}

void MediaPlayer::stop()
{
    pause();
    setCurrentPosition(0.0);
}

void MediaPlayer::showStill(const QImage &picture)
{
    if (m_decoder)
        return;
    m_shown = picture;
    update();
}

void MediaPlayer::closeMedia()
{
    m_playing = false;
    m_ticker.stop();
    m_decoder.reset();
    m_url.clear();
    m_position = 0.0;
    m_shown = QImage();
    m_shownTime = -1.0;
    m_frameWidth = m_frameHeight = 0;
    setMinimumSize(320, 240);
    updateControls();
    update();
}

double MediaPlayer::duration() const
{
    return m_decoder ? m_decoder->duration() : 0.0;
}

double MediaPlayer::currentPosition() const
{
    if (!m_playing)
        return m_position;
    return std::min(duration(), m_position + static_cast<double>(m_clock.nsecsElapsed()) / 1e9);
}

void MediaPlayer::setCurrentPosition(double seconds)
{
    if (!m_decoder)
        return;
    const double p = std::clamp(std::isfinite(seconds) ? seconds : 0.0, 0.0, duration());
    m_position = p;
    if (m_playing)
        m_clock.restart();
    refresh();
}

QString MediaPlayer::currentPositionString() const
{
    return QString::fromStdString(positionText(currentPosition()));
}

RgbImage MediaPlayer::pictureAt(double seconds)
{
    if (!m_decoder)
        return {};
    const auto f = m_decoder->frameAt(seconds);
    return f ? f->image : RgbImage {};
}

void MediaPlayer::refresh()
{
    if (!m_decoder)
        return;
    const double p = currentPosition();
    if (m_playing && p >= duration()) {
        // The end: stay on the last picture, paused.
        m_position = duration();
        m_playing = false;
        m_ticker.stop();
        updateControls();
    }
    if (const auto f = m_decoder->frameAt(p); f && f->time != m_shownTime) {
        m_shown = toQImage(f->image);
        m_shownTime = f->time;
        update();
    }
    m_updatingSlider = true;
    m_slider->setValue(static_cast<int>(std::lround(p * 1000)));
    m_updatingSlider = false;
    emit positionChanged(p);
}

void MediaPlayer::onSliderMoved(int value)
{
    if (!m_updatingSlider)
        setCurrentPosition(value / 1000.0);
}

void MediaPlayer::updateControls()
{
    m_playPause->setIcon(style()->standardIcon(m_playing ? QStyle::SP_MediaPause : QStyle::SP_MediaPlay));
    m_playPause->setEnabled(m_decoder != nullptr);
    m_slider->setEnabled(m_decoder != nullptr);
    m_updatingSlider = true;
    m_slider->setRange(0, static_cast<int>(std::lround(duration() * 1000)));
    m_updatingSlider = false;
}

void MediaPlayer::paintEvent(QPaintEvent *event)
{
    QWidget::paintEvent(event);
    if (m_shown.isNull())
        return;
    QPainter p(this);
    // Never stretched: the frame at its own size from the top-left corner.
    p.drawImage(QPoint(0, 0), m_shown);
}

} // namespace kalvor::gui
