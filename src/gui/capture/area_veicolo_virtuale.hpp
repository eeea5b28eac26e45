// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A virtual vehicle on the capture screen: a transparent area over one
// record's outline on the frame view, with the vehicle number as its hint and
// the hand cursor; a click on it opens "Modifica Veicolo" for that vehicle.

#include "capture/sessione_captazione.hpp"

#include <QWidget>

namespace kalvor::gui {

class AreaVeicoloVirtuale : public QWidget
{
    Q_OBJECT
public:
    explicit AreaVeicoloVirtuale(QWidget *view);

    // Placed over the vehicle's outline (frame pixels are view pixels).
    void mostra(const VeicoloVirtuale &veicolo);
    const VeicoloVirtuale &veicolo() const { return m_veicolo; }

signals:
    // A left click; globalPos is the pointer on the screen.
    void clicked(QPoint globalPos);

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    VeicoloVirtuale m_veicolo;
};

} // namespace kalvor::gui
