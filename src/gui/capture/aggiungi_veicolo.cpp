// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/capture/aggiungi_veicolo.hpp"

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

namespace {

QLabel *caption(QWidget *parent, const QString &text)
{
    auto *label = new QLabel(text, parent);
    label->setStyleSheet(QStringLiteral("color: #ffffff; font-weight: bold;"));
    return label;
}

QLineEdit *campo(QWidget *parent, const char *name, std::string &item, const char *hint)
{
    QLineEdit *field = boundLineEdit(parent, QString::fromLatin1(name), item);
    setHint(field, QString::fromUtf8(hint));
    return field;
}

QPushButton *pulsante(QWidget *parent, const char *name, const char *text, const char *hint)
{
    auto *button = new QPushButton(QString::fromUtf8(text), parent);
    button->setObjectName(QString::fromLatin1(name));
    setHint(button, QString::fromUtf8(hint));
    return button;
}

} // namespace

TAggiungiVeicolo::TAggiungiVeicolo(Applicazione &app, StatoLavoro &stato, Platform &platform, QWidget *parent)
    : Screen(app, stato, platform, parent)
{
    setObjectName(QStringLiteral("AggiungiVeicolo"));
    setWindowTitle(QStringLiteral("Aggiungi Veicolo"));
    applyWindowKind(this, WindowKind::MouseDialog);
    setStyleSheet(QStringLiteral("#AggiungiVeicolo { background: rgb(84, 168, 0); }"));

    StatoAggiungiVeicolo &campi = m_stato.AggiungiVeicolo;
    NumeroVeicolo
        = campo(this, "NumeroVeicolo", campi.NumeroVeicolo, "Dati veicolo|Numero del veicolo da aggiungere|2");
    LunghezzaVeicolo = campo(this, "LunghezzaVeicolo", campi.LunghezzaVeicolo,
                             "Dati veicolo|Lunghezza veicolo \"SOLO SE NUOVO VEICOLO\"|2");
    AreaVeicolo
        = campo(this, "AreaVeicolo", campi.AreaVeicolo, "Dati veicolo|Area impronta \"SOLO SE NUOVO VEICOLO\"|2");
    AggiungiVeicoloEsistente
        = pulsante(this, "AggiungiVeicoloEsistente", "Aggiungi Veicolo Esistente",
                   "Aggiungi veicolo|Aggiunge un veicolo già esistente ma momentaneamente non captato|2");
    AggiungiNuovoVeicolo = pulsante(this, "AggiungiNuovoVeicolo", "Aggiungi Nuovo Veicolo",
                                    "Aggiungi veicolo|Aggiunge un nuovo veicolo ancora non captato|2");
    for (QWidget *widget : std::initializer_list<QWidget *> {NumeroVeicolo, LunghezzaVeicolo, AreaVeicolo,
                                                             AggiungiVeicoloEsistente, AggiungiNuovoVeicolo})
        useHandCursor(widget);
    m_xtxt = caption(this, QString::fromStdString(m_stato.AggiungiVeicolo.Xtxt));
    m_xtxt->setObjectName(QStringLiteral("Xtxt"));
    m_ytxt = caption(this, QString::fromStdString(m_stato.AggiungiVeicolo.Ytxt));
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

    // Esc and F1 close from every control; Enter adds from the first and the last field.
    for (QWidget *control : std::initializer_list<QWidget *> {NumeroVeicolo, LunghezzaVeicolo, AreaVeicolo,
                                                              AggiungiVeicoloEsistente, AggiungiNuovoVeicolo}) {
        bindKey(control, Qt::Key_Escape, [this] { close(); });
        bindKey(control, Qt::Key_F1, [this] { close(); });
    }
    bindKey(NumeroVeicolo, Qt::Key_Return, [this] { AggiungiVeicoloEsistenteClick(); });
    bindKey(AreaVeicolo, Qt::Key_Return, [this] { AggiungiNuovoVeicoloClick(); });
    connect(AggiungiVeicoloEsistente, &QPushButton::clicked, this, [this] { AggiungiVeicoloEsistenteClick(); });
    connect(AggiungiNuovoVeicolo, &QPushButton::clicked, this, [this] { AggiungiNuovoVeicoloClick(); });
}

void TAggiungiVeicolo::prepara(QPoint pointer, Esecuzione esegui)
{
    m_esegui = std::move(esegui);
    refreshFromState();
    move(pointer + QPoint(-60, 20));
}

void TAggiungiVeicolo::apri(QPoint pointer, Esecuzione esegui)
{
    prepara(pointer, std::move(esegui));
    m_app.showModal(this);
}

void TAggiungiVeicolo::AggiungiVeicoloEsistenteClick()
{
    aggiungi(Aggiunta::VeicoloEsistente);
}

void TAggiungiVeicolo::AggiungiNuovoVeicoloClick()
{
    aggiungi(Aggiunta::NuovoVeicolo);
}

void TAggiungiVeicolo::aggiungi(Aggiunta scelta)
{
    if (!m_esegui)
        return;
    const bool fatto = runGuarded([&] { m_esegui(scelta); });
    refreshFromState();
    if (fatto)
        close();
}

void TAggiungiVeicolo::refreshFromState()
{
    showText(m_xtxt, m_stato.AggiungiVeicolo.Xtxt);
    showText(m_ytxt, m_stato.AggiungiVeicolo.Ytxt);
    showText(NumeroVeicolo, m_stato.AggiungiVeicolo.NumeroVeicolo);
    showText(LunghezzaVeicolo, m_stato.AggiungiVeicolo.LunghezzaVeicolo);
    showText(AreaVeicolo, m_stato.AggiungiVeicolo.AreaVeicolo);
}

} // namespace kalvor::gui
