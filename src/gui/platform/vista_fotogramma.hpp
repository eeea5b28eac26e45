// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The frame view of the screens: the frame `Originale` shown
// unscaled from the top-left corner, and on top of it the transparent overlay
// `lucido` (1920 x 1080, larger than any frame) on which markers are drawn
// and clicks are caught. View pixels and frame pixels coincide.

#include "common/drawing.hpp"

#include <QImage>
#include <QWidget>

namespace kalvor::gui {

class VistaFotogramma : public QWidget
{
    Q_OBJECT
public:
    explicit VistaFotogramma(QWidget *parent = nullptr);

    // Originale: the frame; an empty image shows nothing.
    void setFrame(const QImage &frame);
    const QImage &frame() const { return m_frame; }
    QWidget *originale() const { return m_originale; }

    // lucido: transparent overlay.
    QWidget *lucido() const { return m_lucido; }
    const QImage &overlay() const { return m_overlay; }
    void paintOverlay(const Drawing &drawing);
    // The overlay transparent again.
    void clearOverlay();
    // The frame, then the overlay's markers, as the user sees them.
    QImage composed() const;

signals:
    // A click on the overlay at a frame pixel; globalPos is the pointer on screen.
    void clicked(QPoint framePixel, QPoint globalPos);

private:
    QImage m_frame;
    QImage m_overlay; // ARGB, transparent where nothing is drawn
    QWidget *m_originale = nullptr;
    QWidget *m_lucido = nullptr;
    friend class FramePane;
    friend class OverlayPane;
};

} // namespace kalvor::gui
