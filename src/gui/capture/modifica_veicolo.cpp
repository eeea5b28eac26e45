// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/capture/modifica_veicolo.hpp"

#include "gui/app/applicazione.hpp"
#include "gui/capture/control_keys.hpp"
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
    : Screen(app, stato, platform, parent)
{
    setObjectName(QStringLiteral("ModificaVeicolo"));
    setWindowTitle(QStringLiteral("Modifica Veicolo"));
    applyWindowKind(this, WindowKind::MouseDialog);
    setStyleSheet(QStringLiteral("#ModificaVeicolo { background: rgb(84, 168, 0); }"
                                 "QLabel { color: #ffffff; font-weight: bold; }"));

    auto *veicolo = new QLabel(QStringLiteral("Veicolo"), this);
    m_numeroVeicoloAttuale = new QLabel(QString::fromStdString(m_stato.ModificaVeicolo.NumeroVeicoloAttuale), this);
    m_numeroVeicoloAttuale->setObjectName(QStringLiteral("NumeroVeicoloAttuale"));
    NumeroVeicolo = boundLineEdit(this, QStringLiteral("NumeroVeicolo"), m_stato.ModificaVeicolo.NumeroVeicolo);
    setHint(NumeroVeicolo, QStringLiteral("Cambia numero|Se vuoi cambiare il numero del veicolo captato|2"));
    EliminaVeicolo = new QPushButton(QStringLiteral("Elimina Veicolo"), this);
    EliminaVeicolo->setObjectName(QStringLiteral("EliminaVeicolo"));
    setHint(EliminaVeicolo, QStringLiteral("Elimina veicolo|elimina il veicolo selezionato F1|2"));
    CambiaNumeroVeicolo = new QPushButton(QStringLiteral("Cambia Numero Veicolo"), this);
    CambiaNumeroVeicolo->setObjectName(QStringLiteral("CambiaNumeroVeicolo"));
    setHint(CambiaNumeroVeicolo, QStringLiteral("Cambia numero|Cambia il numero al veicolo selezionato|2"));
    for (QWidget *widget : std::initializer_list<QWidget *> {NumeroVeicolo, EliminaVeicolo, CambiaNumeroVeicolo})
        useHandCursor(widget);

    auto *grid = new QGridLayout(this);
    grid->addWidget(veicolo, 0, 0);
    grid->addWidget(m_numeroVeicoloAttuale, 0, 1);
    grid->addWidget(NumeroVeicolo, 1, 0, 1, 2);
    grid->addWidget(EliminaVeicolo, 2, 0);
    grid->addWidget(CambiaNumeroVeicolo, 2, 1);
    setTabOrder(NumeroVeicolo, EliminaVeicolo);
    setTabOrder(EliminaVeicolo, CambiaNumeroVeicolo);

    // Esc closes and F1 deletes from every control; Enter renumbers from the field.
    for (QWidget *control : std::initializer_list<QWidget *> {NumeroVeicolo, EliminaVeicolo, CambiaNumeroVeicolo}) {
        bindKey(control, Qt::Key_Escape, [this] { close(); });
        bindKey(control, Qt::Key_F1, [this] { EliminaVeicoloClick(); });
    }
    bindKey(NumeroVeicolo, Qt::Key_Return, [this] { CambiaNumeroVeicoloClick(); });
    connect(EliminaVeicolo, &QPushButton::clicked, this, [this] { EliminaVeicoloClick(); });
    connect(CambiaNumeroVeicolo, &QPushButton::clicked, this, [this] { CambiaNumeroVeicoloClick(); });
}

void TModificaVeicolo::prepara(QPoint pointer, Esecuzione esegui)
{
    m_esegui = std::move(esegui);
    refreshFromState();
    adjustSize();
    move(pointer + QPoint(-frameGeometry().width() / 2, 20));
}

void TModificaVeicolo::apri(QPoint pointer, Esecuzione esegui)
{
    prepara(pointer, std::move(esegui));
    m_app.showModal(this);
}

void TModificaVeicolo::CambiaNumeroVeicoloClick()
{
    modifica(Modifica::CambiaNumero);
}

void TModificaVeicolo::EliminaVeicoloClick()
{
    modifica(Modifica::Elimina);
}

void TModificaVeicolo::modifica(Modifica scelta)
{
    if (!m_esegui)
        return;
    const bool fatto = runGuarded([&] { m_esegui(scelta); });
    refreshFromState();
    if (fatto)
        close();
}

void TModificaVeicolo::refreshFromState()
{
    showText(m_numeroVeicoloAttuale, m_stato.ModificaVeicolo.NumeroVeicoloAttuale);
    showText(NumeroVeicolo, m_stato.ModificaVeicolo.NumeroVeicolo);
}

} // namespace kalvor::gui
