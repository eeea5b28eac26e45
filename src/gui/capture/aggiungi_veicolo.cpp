// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/capture/aggiungi_veicolo.hpp"

#include "gui/platform/bindings.hpp"
#include "gui/platform/window_kind.hpp"
#include "state/stato_lavoro.hpp"

#include <QFormLayout>
#include <QLabel>

namespace kalvor::gui {

TAggiungiVeicolo::TAggiungiVeicolo(Applicazione &app, StatoLavoro &stato, Platform &platform, QWidget *parent)
    : QDialog(parent)
    , m_app(app)
    , m_stato(stato)
    , m_platform(platform)
{
    setObjectName(QStringLiteral("AggiungiVeicolo"));
    setWindowTitle(QStringLiteral("Aggiungi Veicolo"));
    applyWindowKind(this, WindowKind::MouseDialog);

    auto *form = new QFormLayout(this);
    m_caption1 = new QLabel(this);
    m_caption1->setObjectName(QStringLiteral("Xtxt"));
    auto *ytxt = new QLabel(this);
    ytxt->setObjectName(QStringLiteral("Ytxt"));
    m_field2 = ytxt;
    form->addRow(QStringLiteral("X"), m_caption1);
    form->addRow(QStringLiteral("Y"), ytxt);
}

void TAggiungiVeicolo::refreshFromState()
{
    showText(m_caption1, m_stato.AggiungiVeicolo.Xtxt);
    showText(static_cast<QLabel *>(m_field2), m_stato.AggiungiVeicolo.Ytxt);
}

void TAggiungiVeicolo::showEvent(QShowEvent *event)
{
    refreshFromState();
    QDialog::showEvent(event);
}

} // namespace kalvor::gui
