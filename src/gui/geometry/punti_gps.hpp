// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The GPS coordinates dialog: opened by a click on Prospettiva's overlay in
// GPS mode, it records the clicked pixel with the typed GPS position.
// Enter in Posizione_Y confirms, Esc in either field cancels, Enter in
// Posizione_X does nothing.

#include "common/drawing.hpp"
#include "state/stato_lavoro.hpp"

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace kalvor::gui {

class TPuntiGPS : public QDialog
{
    Q_OBJECT
public:
    explicit TPuntiGPS(StatoLavoro &stato, QWidget *parent = nullptr);

    // What lucidoClick does before opening: hidden fields from the state,
    // position fields emptied.
    void prepare();

public slots:
    void ConfermaClick();
    void AnnullaClick();

signals:
    // The marker of a recorded point, for the reference-point overlay.
    void puntoRegistrato(const kalvor::Drawing &marker);

private:
    StatoLavoro &m_stato;
    QLineEdit *m_x = nullptr;
    QLineEdit *m_y = nullptr;
    QLineEdit *m_xTxt = nullptr;
    QLineEdit *m_yTxt = nullptr;
};

} // namespace kalvor::gui
