// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/platform/vista_fotogramma.hpp"

#include "geometry/segno_punto.hpp"
#include "gui/platform/paint_drawing.hpp"

#include <QMouseEvent>
#include <QPainter>

namespace kalvor::gui {

class FramePane : public QWidget
{
public:
    FramePane(VistaFotogramma *view)
        : QWidget(view)
        , m_view(view)
    {
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.fillRect(rect(), palette().window());
        if (!m_view->m_frame.isNull())
            p.drawImage(0, 0, m_view->m_frame);
    }

private:
    VistaFotogramma *m_view;
};

class OverlayPane : public QWidget
{
public:
    OverlayPane(VistaFotogramma *view)
        : QWidget(view)
        , m_view(view)
    {
        setAttribute(Qt::WA_TranslucentBackground);
        setCursor(Qt::CrossCursor);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.drawImage(0, 0, m_view->m_overlay);
    }
    void mouseReleaseEvent(QMouseEvent *event) override
    {
        if (event->button() != Qt::LeftButton)
            return;
        // The event position in the overlay is the frame pixel: both start at the view's corner.
        const QPoint pixel = event->position().toPoint();
        emit m_view->clicked(pixel, event->globalPosition().toPoint());
    }

private:
    VistaFotogramma *m_view;
};

VistaFotogramma::VistaFotogramma(QWidget *parent)
    : QWidget(parent)
    , m_overlay(kOverlayWidth, kOverlayHeight, QImage::Format_ARGB32_Premultiplied)
{
    m_overlay.fill(Qt::transparent);
    auto *originale = new FramePane(this);
    originale->setObjectName("Originale");
    auto *lucido = new OverlayPane(this);
    lucido->setObjectName("lucido");
    lucido->setGeometry(0, 0, kOverlayWidth, kOverlayHeight);
    m_originale = originale;
    m_lucido = lucido;
    setMinimumSize(640, 480);
}

void VistaFotogramma::setFrame(const QImage &frame)
{
    m_frame = frame;
    m_originale->setGeometry(0, 0, std::max(frame.width(), 1), std::max(frame.height(), 1));
    m_originale->update();
}

void VistaFotogramma::paintOverlay(const Drawing &drawing)
{
    QPainter p(&m_overlay);
    paintDrawing(p, drawing, WhiteMeans::Transparent);
    p.end();
    m_lucido->update();
}

void VistaFotogramma::clearOverlay()
{
    m_overlay.fill(Qt::transparent);
    m_lucido->update();
}

QImage VistaFotogramma::composed() const
{
    QImage out(kOverlayWidth, kOverlayHeight, QImage::Format_RGB32);
    out.fill(Qt::white);
    QPainter p(&out);
    if (!m_frame.isNull())
        p.drawImage(0, 0, m_frame);
    p.drawImage(0, 0, m_overlay);
    return out;
}

} // namespace kalvor::gui
