// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/safety/indicatori_sicurezza.hpp"

#include "gui/platform/window_kind.hpp"

#include <QLabel>
#include <QVBoxLayout>

namespace kalvor::gui {

TIndicatoriSicurezza::TIndicatoriSicurezza(Applicazione &app, StatoLavoro &stato, Platform &platform, QWidget *parent)
    : QDialog(parent)
    , m_app(app)
    , m_stato(stato)
    , m_platform(platform)
{
    setObjectName(QStringLiteral("IndicatoriSicurezza"));
    setWindowTitle(QStringLiteral("IndicatoriSicurezza"));
    applyWindowKind(this, WindowKind::Centred, QSize(900, 600));
    new QVBoxLayout(this);
}

void TIndicatoriSicurezza::refreshFromState()
{
}

void TIndicatoriSicurezza::showEvent(QShowEvent *event)
{
    refreshFromState();
    QDialog::showEvent(event);
}

} // namespace kalvor::gui
