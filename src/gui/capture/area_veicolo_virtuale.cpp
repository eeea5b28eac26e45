// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/capture/area_veicolo_virtuale.hpp"

#include "gui/platform/hand_cursor.hpp"
#include "gui/platform/hint_balloon.hpp"

#include <QMouseEvent>

namespace kalvor::gui {

AreaVeicoloVirtuale::AreaVeicoloVirtuale(QWidget *view)
    : QWidget(view)
{
    setObjectName(QStringLiteral("VeicoloVirtuale"));
    // Paints nothing and fills no background: the outline under it stays visible.
    setAttribute(Qt::WA_NoSystemBackground);
    useHandCursor(this);
}

void AreaVeicoloVirtuale::mostra(const VeicoloVirtuale &veicolo)
{
    m_veicolo = veicolo;
    setGeometry(veicolo.x, veicolo.y, veicolo.larghezza, veicolo.altezza);
    setHint(this, QString::fromStdString(veicolo.numero));
    setVisible(veicolo.visibile);
    raise();
}

void AreaVeicoloVirtuale::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked(event->globalPosition().toPoint());
}

} // namespace kalvor::gui
