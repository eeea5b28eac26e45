// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/capture/modifica_veicolo.hpp"

#include "gui/platform/bindings.hpp"
#include "gui/platform/window_kind.hpp"
#include "state/stato_lavoro.hpp"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

namespace kalvor::gui {

TModificaVeicolo::TModificaVeicolo(Applicazione &app, StatoLavoro &stato, Platform &platform, QWidget *parent)
    : QDialog(parent)
    , m_app(app)
    , m_stato(stato)
    , m_platform(platform)
{
    setObjectName(QStringLiteral("ModificaVeicolo"));
    setWindowTitle(QStringLiteral("Modifica Veicolo"));
    applyWindowKind(this, WindowKind::MouseDialog);

    auto *form = new QFormLayout(this);
    m_caption1 = new QLabel(this);
    m_caption1->setObjectName(QStringLiteral("NumeroVeicoloAttuale"));
    m_field2 = boundLineEdit(this, QStringLiteral("NumeroVeicolo"), m_stato.ModificaVeicolo.NumeroVeicolo);
    form->addRow(QStringLiteral("Veicolo"), m_caption1);
    form->addRow(QStringLiteral("Nuovo numero"), m_field2);
}

void TModificaVeicolo::refreshFromState()
{
    showText(m_caption1, m_stato.ModificaVeicolo.NumeroVeicoloAttuale);
    showText(static_cast<QLineEdit *>(m_field2), m_stato.ModificaVeicolo.NumeroVeicolo);
}

void TModificaVeicolo::showEvent(QShowEvent *event)
{
    refreshFromState();
    QDialog::showEvent(event);
}

} // namespace kalvor::gui
