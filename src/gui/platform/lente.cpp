// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/platform/lente.hpp"

#include "gui/platform/paint_drawing.hpp"
#include "gui/platform/vista_fotogramma.hpp"

#include <QCursor>
#include <QPainter>
#include <QTimer>

namespace kalvor::gui {

Lente::Lente(const MagnifierConstants &constants, QWidget *parent)
    : QWidget(parent)
    , m_constants(constants)
    , m_timer(new QTimer(this))
    , m_image(constants.zoomWidth, constants.zoomHeight, QImage::Format_RGB32)
{
    setObjectName("zoom_IMG");
    setFixedSize(constants.zoomWidth, constants.zoomHeight);
    m_image.fill(Qt::white);
    m_timer->setObjectName("ingrandimento_TIMER");
    m_timer->setInterval(kMagnifierTickMs);
    connect(m_timer, &QTimer::timeout, this, &Lente::tick);
}

void Lente::switchOn()
{
    m_timer->start();
}

void Lente::switchOff()
{
    m_timer->stop();
}

bool Lente::isOn() const
{
    return m_timer->isActive();
}

void Lente::tick()
{
    if (m_view)
        showAt(m_view->originale()->mapFromGlobal(QCursor::pos()));
}

void Lente::showAt(QPoint viewPixel)
{
    const MagnifierView v = magnifierView(m_constants, viewPixel.x(), viewPixel.y());
    m_image.fill(QColor(64, 64, 64));
    QPainter p(&m_image);
    const QImage frame = m_view ? m_view->frame() : QImage();
    const QRect source(QPoint(v.source.left, v.source.top), QPoint(v.source.right - 1, v.source.bottom - 1));
    const QRect inside = source.intersected(frame.rect());
    if (!inside.isEmpty()) {
        // Only the part of the source inside the picture is copied, to where
        // the whole source's stretch would put it.
        const double sx = double(v.destination.right - v.destination.left) / source.width();
        const double sy = double(v.destination.bottom - v.destination.top) / source.height();
        const QRectF target((inside.left() - source.left()) * sx, (inside.top() - source.top()) * sy,
                            inside.width() * sx, inside.height() * sy);
        p.drawImage(target, frame, inside);
    }
    paintDrawing(p, v.crossHair);
    p.end();
    update();
}

void Lente::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.drawImage(0, 0, m_image);
}

} // namespace kalvor::gui
