// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The replay's two layers: the road picture `stradaIMG` and, over it at the
// same place and size, the vehicle picture `veicoliIMG`, transparent where
// it is white. Both are painted from the engine's drawing primitives.

#include "common/drawing.hpp"

#include <QImage>
#include <QWidget>

class QLabel;

namespace kalvor::gui {

class LivelliSimulazione : public QWidget
{
    Q_OBJECT
public:
    explicit LivelliSimulazione(QWidget *parent = nullptr);

    // The road layer painted anew.
    void disegnaStrada(const Drawing &strada);
    // Primitives added to the vehicle layer, emptied first if asked.
    void disegnaVeicoli(const Drawing &veicoli, bool pulisci);

    const QImage &strada() const { return m_strada; }
    const QImage &veicoli() const { return m_veicoli; }

private:
    QImage m_strada;
    QImage m_veicoli;
    QLabel *m_stradaIMG = nullptr;
    QLabel *m_veicoliIMG = nullptr;
};

// A picture that keeps its proportions and grows with the window.
class ImmagineScalata : public QWidget
{
    Q_OBJECT
public:
    ImmagineScalata(const QString &objectName, QSize minimo, QWidget *parent = nullptr);
    void setImage(const QImage &image);
    const QImage &image() const { return m_image; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage m_image;
};

} // namespace kalvor::gui
