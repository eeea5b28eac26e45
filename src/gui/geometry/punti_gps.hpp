// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The GPS position of one reference point: opened by a click on the
// reference-point overlay in GPS mode, it records the clicked pixel with the
// typed position. Enter in Posizione_Y confirms, Esc in either field cancels,
// Enter in Posizione_X does nothing.

#include "common/drawing.hpp"
#include "gui/app/screen.hpp"

class QLineEdit;

namespace kalvor::gui {

class TPuntiGPS : public Screen
{
    Q_OBJECT
public:
    TPuntiGPS(Applicazione &app, StatoLavoro &stato, Platform &platform, QWidget *parent = nullptr);

    void ConfermaClick();
    void AnnullaClick();
    // What the caller does before each opening: the two position fields emptied.
    void clearPositions();
    // Where the next opening puts the window's top-left corner (screen coordinates).
    void openAt(QPoint topLeft) { m_openAt = topLeft; }
    void refreshFromState() override;

signals:
    // A point was recorded; its marker goes on the reference-point overlay.
    void pointRecorded(const kalvor::Drawing &marker);

protected:
    void showEvent(QShowEvent *event) override;

private:
    QLineEdit *m_posizioneX = nullptr;
    QLineEdit *m_posizioneY = nullptr;
    QLineEdit *m_xTXT = nullptr;
    QLineEdit *m_yTXT = nullptr;
    QPoint m_openAt {-1, -1};
};

} // namespace kalvor::gui
