// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/capture/modifica_veicolo.hpp"

#include "gui/platform/bindings.hpp"
#include "gui/platform/hand_cursor.hpp"
#include "gui/platform/hint_balloon.hpp"
#include "gui/platform/window_kind.hpp"
#include "state/stato_lavoro.hpp"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

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
    setStyleSheet(QStringLiteral("#ModificaVeicolo { background: rgb(84, 168, 0); }"
                                 "QLabel { color: #ffffff; font-weight: bold; }"));

    auto *veicolo = new QLabel(QStringLiteral("Veicolo"), this);
    m_numeroVeicoloAttuale = new QLabel(this);
    m_numeroVeicoloAttuale->setObjectName(QStringLiteral("NumeroVeicoloAttuale"));
    m_numeroVeicolo = boundLineEdit(this, QStringLiteral("NumeroVeicolo"), m_stato.ModificaVeicolo.NumeroVeicolo);
    setHint(m_numeroVeicolo, QStringLiteral("Cambia numero|Se vuoi cambiare il numero del veicolo captato|2"));
    EliminaVeicolo = new QPushButton(QStringLiteral("Elimina Veicolo"), this);
    EliminaVeicolo->setObjectName(QStringLiteral("EliminaVeicolo"));
    setHint(EliminaVeicolo, QStringLiteral("Elimina veicolo|elimina il veicolo selezionato F1|2"));
    CambiaNumeroVeicolo = new QPushButton(QStringLiteral("Cambia Numero Veicolo"), this);
    CambiaNumeroVeicolo->setObjectName(QStringLiteral("CambiaNumeroVeicolo"));
    setHint(CambiaNumeroVeicolo, QStringLiteral("Cambia numero|Cambia il numero al veicolo selezionato|2"));
    for (QWidget *widget : std::initializer_list<QWidget *> {m_numeroVeicolo, EliminaVeicolo, CambiaNumeroVeicolo})
        useHandCursor(widget);

    auto *grid = new QGridLayout(this);
    grid->addWidget(veicolo, 0, 0);
    grid->addWidget(m_numeroVeicoloAttuale, 0, 1);
    grid->addWidget(m_numeroVeicolo, 1, 0, 1, 2);
    grid->addWidget(EliminaVeicolo, 2, 0);
    grid->addWidget(CambiaNumeroVeicolo, 2, 1);
    setTabOrder(m_numeroVeicolo, EliminaVeicolo);
    setTabOrder(EliminaVeicolo, CambiaNumeroVeicolo);
}

void TModificaVeicolo::refreshFromState()
{
    showText(m_numeroVeicoloAttuale, m_stato.ModificaVeicolo.NumeroVeicoloAttuale);
    showText(m_numeroVeicolo, m_stato.ModificaVeicolo.NumeroVeicolo);
}

void TModificaVeicolo::showEvent(QShowEvent *event)
{
    refreshFromState();
    QDialog::showEvent(event);
}

} // namespace kalvor::gui
