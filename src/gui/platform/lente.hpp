// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The magnifier `zoom_IMG` of the point-picking screens, with its timer
// `ingrandimento_TIMER` (100 ms, off until a screen switches it on). Each tick
// copies a piece of its view's frame around the pointer, stretched, and draws
// the red cross-hair over it.

#include "geometry/lente.hpp"

#include <QImage>
#include <QWidget>

class QTimer;

namespace kalvor::gui {

class VistaFotogramma;

class Lente : public QWidget
{
    Q_OBJECT
public:
    Lente(const MagnifierConstants &constants, QWidget *parent = nullptr);

    void setView(VistaFotogramma *view) { m_view = view; }
    QTimer *timer() const { return m_timer; }
    void switchOn();
    void switchOff();
    bool isOn() const;

    // One tick with the pointer at this view pixel (the timer passes the real pointer).
    void showAt(QPoint viewPixel);
    const QImage &image() const { return m_image; }

protected:
    void paintEvent(QPaintEvent *) override;

private:
    void tick();

    MagnifierConstants m_constants;
    VistaFotogramma *m_view = nullptr;
    QTimer *m_timer = nullptr;
    QImage m_image;
};

} // namespace kalvor::gui
