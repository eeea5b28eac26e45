// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/results/risultati.hpp"

#include "gui/app/applicazione.hpp"
#include "gui/platform/bindings.hpp"
#include "gui/platform/guarded.hpp"
#include "gui/platform/hand_cursor.hpp"
#include "gui/platform/window_kind.hpp"
#include "gui/safety/indicatori_sicurezza.hpp"
#include "state/stato_lavoro.hpp"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kalvor::gui {

TRisultati::TRisultati(Applicazione &app, StatoLavoro &stato, Platform &platform, QWidget *parent)
    : QDialog(parent)
    , m_app(app)
    , m_stato(stato)
    , m_platform(platform)
{
    setObjectName(QStringLiteral("Risultati"));
    setWindowTitle(QStringLiteral("Risultati"));
    applyWindowKind(this, WindowKind::Centred, QSize(900, 640));

    auto &risultati = m_stato.Risultati;
    auto *page = new QVBoxLayout(this);
    auto *form = new QFormLayout;
    m_istanteInizialeTXT = boundLineEdit(this, QStringLiteral("IstanteInizialeTXT"), risultati.IstanteInizialeTXT);
    m_numeroPrimoVeicoloTXT
        = boundLineEdit(this, QStringLiteral("NumeroPrimoVeicoloTXT"), risultati.NumeroPrimoVeicoloTXT);
    form->addRow(QStringLiteral("Istante iniziale [s]"), m_istanteInizialeTXT);
    form->addRow(QStringLiteral("Primo veicolo"), m_numeroPrimoVeicoloTXT);
    page->addLayout(form);
    m_contenitoreDatiTemporali = listView(this, QStringLiteral("ContenitoreDatiTemporali"));
    m_contenitoreDatiVeicolari = listView(this, QStringLiteral("ContenitoreDatiVeicolari"));
    m_valutazioniTXT = listView(this, QStringLiteral("ValutazioniTXT"));
    const std::pair<const char *, QPlainTextEdit *> tables[] = {
        {"Dati temporali", m_contenitoreDatiTemporali},
        {"Dati veicolari", m_contenitoreDatiVeicolari},
        {"Valutazioni", m_valutazioniTXT},
    };
    for (const auto &[title, view] : tables) {
        auto *group = new QGroupBox(QString::fromUtf8(title), this);
        (new QVBoxLayout(group))->addWidget(view);
        page->addWidget(group, 1);
    }

    auto *buttons = new QHBoxLayout;
    auto *calcola = new QPushButton(QStringLiteral("Calcola Indicatori"), this);
    calcola->setObjectName(QStringLiteral("CalcolaIndicatori"));
    auto *chiudi = new QPushButton(QStringLiteral("Chiudi"), this);
    chiudi->setObjectName(QStringLiteral("ChiudiTutto"));
    for (QPushButton *button : {calcola, chiudi})
        useHandCursor(button);
    buttons->addStretch(1);
    buttons->addWidget(calcola);
    buttons->addWidget(chiudi);
    page->addLayout(buttons);
    connect(calcola, &QPushButton::clicked, this,
            [this] { guarded(this, m_platform, [&] { CalcolaIndicatoriClick(); }); });
    connect(chiudi, &QPushButton::clicked, this, [this] { guarded(this, m_platform, [&] { ChiudiTuttoClick(); }); });
}

void TRisultati::CalcolaIndicatoriClick()
{
    m_app.showModal(m_app.IndicatoriSicurezza());
}

void TRisultati::ChiudiTuttoClick()
{
    m_app.endProgram();
}

void TRisultati::refreshFromState()
{
    const auto &risultati = m_stato.Risultati;
    showText(m_istanteInizialeTXT, risultati.IstanteInizialeTXT);
    showText(m_numeroPrimoVeicoloTXT, risultati.NumeroPrimoVeicoloTXT);
    showList(m_contenitoreDatiTemporali, risultati.ContenitoreDatiTemporali);
    showList(m_contenitoreDatiVeicolari, risultati.ContenitoreDatiVeicolari);
    showList(m_valutazioniTXT, risultati.ValutazioniTXT);
}

void TRisultati::showEvent(QShowEvent *event)
{
    refreshFromState();
    QDialog::showEvent(event);
}

} // namespace kalvor::gui
