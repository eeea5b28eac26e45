// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/capture/aggiungi_veicolo.hpp"

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

namespace {

QLabel *caption(QWidget *parent, const QString &text)
{
    auto *label = new QLabel(text, parent);
    label->setStyleSheet(QStringLiteral("color: #ffffff; font-weight: bold;"));
    return label;
}

} // namespace

TAggiungiVeicolo::TAggiungiVeicolo(Applicazione &app, StatoLavoro &stato, Platform &platform, QWidget *parent)
    : QDialog(parent)
    , m_app(app)
    , m_stato(stato)
    , m_platform(platform)
{
    setObjectName(QStringLiteral("AggiungiVeicolo"));
    setWindowTitle(QStringLiteral("Aggiungi Veicolo"));
    applyWindowKind(this, WindowKind::MouseDialog);
    setStyleSheet(QStringLiteral("#AggiungiVeicolo { background: rgb(84, 168, 0); }"));

    NumeroVeicolo = new QLineEdit(this);
    NumeroVeicolo->setObjectName(QStringLiteral("NumeroVeicolo"));
    setHint(NumeroVeicolo, QStringLiteral("Dati veicolo|Numero del veicolo da aggiungere|2"));
    LunghezzaVeicolo = new QLineEdit(this);
    LunghezzaVeicolo->setObjectName(QStringLiteral("LunghezzaVeicolo"));
    setHint(LunghezzaVeicolo, QStringLiteral("Dati veicolo|Lunghezza veicolo \"SOLO SE NUOVO VEICOLO\"|2"));
    AreaVeicolo = new QLineEdit(this);
    AreaVeicolo->setObjectName(QStringLiteral("AreaVeicolo"));
    setHint(AreaVeicolo, QStringLiteral("Dati veicolo|Area impronta \"SOLO SE NUOVO VEICOLO\"|2"));
    AggiungiVeicoloEsistente = new QPushButton(QStringLiteral("Aggiungi Veicolo Esistente"), this);
    AggiungiVeicoloEsistente->setObjectName(QStringLiteral("AggiungiVeicoloEsistente"));
    setHint(AggiungiVeicoloEsistente,
            QStringLiteral("Aggiungi veicolo|Aggiunge un veicolo già esistente ma momentaneamente non captato|2"));
    AggiungiNuovoVeicolo = new QPushButton(QStringLiteral("Aggiungi Nuovo Veicolo"), this);
    AggiungiNuovoVeicolo->setObjectName(QStringLiteral("AggiungiNuovoVeicolo"));
    setHint(AggiungiNuovoVeicolo, QStringLiteral("Aggiungi veicolo|Aggiunge un nuovo veicolo ancora non captato|2"));
    for (QWidget *widget : std::initializer_list<QWidget *> {NumeroVeicolo, LunghezzaVeicolo, AreaVeicolo,
                                                             AggiungiVeicoloEsistente, AggiungiNuovoVeicolo})
        useHandCursor(widget);
    m_xtxt = caption(this, {});
    m_xtxt->setObjectName(QStringLiteral("Xtxt"));
    m_ytxt = caption(this, {});
    m_ytxt->setObjectName(QStringLiteral("Ytxt"));

    auto *grid = new QGridLayout(this);
    grid->addWidget(caption(this, QStringLiteral("X :")), 0, 0);
    grid->addWidget(m_xtxt, 0, 1);
    grid->addWidget(caption(this, QStringLiteral("Y :")), 0, 2);
    grid->addWidget(m_ytxt, 0, 3);
    grid->addWidget(caption(this, QStringLiteral("Numero")), 1, 0);
    grid->addWidget(NumeroVeicolo, 1, 1, 1, 3);
    grid->addWidget(caption(this, QStringLiteral("Lunghezza")), 2, 0);
    grid->addWidget(LunghezzaVeicolo, 2, 1, 1, 3);
    grid->addWidget(caption(this, QStringLiteral("Area")), 3, 0);
    grid->addWidget(AreaVeicolo, 3, 1, 1, 3);
    grid->addWidget(AggiungiVeicoloEsistente, 4, 0, 1, 4);
    grid->addWidget(AggiungiNuovoVeicolo, 5, 0, 1, 4);
    setTabOrder(NumeroVeicolo, LunghezzaVeicolo);
    setTabOrder(LunghezzaVeicolo, AreaVeicolo);
    setTabOrder(AreaVeicolo, AggiungiVeicoloEsistente);
    setTabOrder(AggiungiVeicoloEsistente, AggiungiNuovoVeicolo);
}

void TAggiungiVeicolo::refreshFromState()
{
    showText(m_xtxt, m_stato.AggiungiVeicolo.Xtxt);
    showText(m_ytxt, m_stato.AggiungiVeicolo.Ytxt);
}

void TAggiungiVeicolo::showEvent(QShowEvent *event)
{
    refreshFromState();
    QDialog::showEvent(event);
}

} // namespace kalvor::gui
