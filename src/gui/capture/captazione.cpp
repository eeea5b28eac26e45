// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/capture/captazione.hpp"

#include "gui/app/applicazione.hpp"
#include "gui/platform/bindings.hpp"
#include "gui/platform/guarded.hpp"
#include "gui/platform/hand_cursor.hpp"
#include "gui/platform/window_kind.hpp"
#include "gui/results/risultati.hpp"
#include "state/stato_lavoro.hpp"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace kalvor::gui {

namespace {

struct Parametro
{
    const char *name;
    const char *label;
    std::string CampiRilevamento::*item;
};

const Parametro parametri[] = {
    {"ImmagineIniziale", "Immagine iniziale", &CampiRilevamento::ImmagineIniziale},
    {"ImmagineFinale", "Immagine finale", &CampiRilevamento::ImmagineFinale},
    {"VeicoloIniziale", "Veicolo iniziale", &CampiRilevamento::VeicoloIniziale},
    {"VariazionePosTXT", "Variazione posizione [m]", &CampiRilevamento::VariazionePosTXT},
    {"LunghezzaMinTXT", "Lunghezza minima [m]", &CampiRilevamento::LunghezzaMinTXT},
    {"AreaVeicoloTXT", "Area veicolo [m2]", &CampiRilevamento::AreaVeicoloTXT},
    {"MargineSuperiore", "Margine superiore", &CampiRilevamento::MargineSuperiore},
    {"MargineInferiore", "Margine inferiore", &CampiRilevamento::MargineInferiore},
};

} // namespace

TCaptazione::TCaptazione(Applicazione &app, StatoLavoro &stato, Platform &platform, QWidget *parent)
    : QDialog(parent)
    , m_app(app)
    , m_stato(stato)
    , m_platform(platform)
{
    setObjectName(QStringLiteral("Captazione"));
    setWindowTitle(QStringLiteral("Captazione veicoli assistita  dal calcolatore"));
    applyWindowKind(this, WindowKind::Maximized);

    ingrandimento_TIMER = new QTimer(this);
    ingrandimento_TIMER->setObjectName(QStringLiteral("ingrandimento_TIMER"));
    ingrandimento_TIMER->setInterval(100);

    auto *page = new QVBoxLayout(this);
    auto *form = new QFormLayout;
    CampiRilevamento &campi = m_stato.Captazione;
    for (const Parametro &p : parametri) {
        QLineEdit *field = boundLineEdit(this, QString::fromLatin1(p.name), campi.*p.item);
        form->addRow(QString::fromUtf8(p.label), field);
        m_parametri.push_back(field);
    }
    m_fotogrammaTXT = new QLabel(this);
    m_fotogrammaTXT->setObjectName(QStringLiteral("fotogrammaTXT"));
    form->addRow(QStringLiteral("Fotogramma"), m_fotogrammaTXT);
    m_numeroVeicoliTXT = new QLabel(this);
    m_numeroVeicoliTXT->setObjectName(QStringLiteral("NumeroVeicoliTXT"));
    form->addRow(QStringLiteral("Veicoli"), m_numeroVeicoliTXT);
    page->addLayout(form);
    page->addStretch(1);

    auto *conferma = new QPushButton(QStringLiteral("I dati vanno bene"), this);
    conferma->setObjectName(QStringLiteral("Conferma"));
    useHandCursor(conferma);
    page->addWidget(conferma, 0, Qt::AlignRight);
    connect(conferma, &QPushButton::clicked, this, [this] { guarded(this, m_platform, [&] { ConfermaClick(); }); });
}

void TCaptazione::ConfermaClick()
{
    m_app.showModal(m_app.Risultati());
}

void TCaptazione::refreshFromState()
{
    const CampiRilevamento &campi = m_stato.Captazione;
    for (size_t i = 0; i < m_parametri.size(); ++i)
        showText(m_parametri[i], campi.*parametri[i].item);
    showText(m_fotogrammaTXT, m_stato.Captazione.fotogrammaTXT);
    showText(m_numeroVeicoliTXT, m_stato.Captazione.NumeroVeicoliTXT);
}

void TCaptazione::showEvent(QShowEvent *event)
{
    refreshFromState();
    QDialog::showEvent(event);
}

} // namespace kalvor::gui
