// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/detection/calibrazione.hpp"

#include "gui/app/applicazione.hpp"
#include "gui/app/controindicazioni.hpp"
#include "gui/capture/captazione.hpp"
#include "gui/platform/bindings.hpp"
#include "gui/platform/guarded.hpp"
#include "gui/platform/hand_cursor.hpp"
#include "gui/platform/window_kind.hpp"
#include "state/stato_lavoro.hpp"

#include <QFormLayout>
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

TCalibrazione::TCalibrazione(Applicazione &app, StatoLavoro &stato, Platform &platform, QWidget *parent)
    : QDialog(parent)
    , m_app(app)
    , m_stato(stato)
    , m_platform(platform)
{
    setObjectName(QStringLiteral("Calibrazione"));
    setWindowTitle(QStringLiteral("Calibrazione modello"));
    applyWindowKind(this, WindowKind::Maximized);

    auto *page = new QVBoxLayout(this);
    auto *form = new QFormLayout;
    CampiRilevamento &campi = m_stato.Calibrazione;
    for (const Parametro &p : parametri) {
        QLineEdit *field = boundLineEdit(this, QString::fromLatin1(p.name), campi.*p.item);
        form->addRow(QString::fromUtf8(p.label), field);
        m_parametri.push_back(field);
    }
    page->addLayout(form);
    page->addStretch(1);

    auto *conferma = new QPushButton(QStringLiteral("Passa al procedimento semiautomatico"), this);
    conferma->setObjectName(QStringLiteral("Conferma"));
    useHandCursor(conferma);
    page->addWidget(conferma, 0, Qt::AlignRight);
    connect(conferma, &QPushButton::clicked, this, [this] { guarded(this, m_platform, [&] { ConfermaClick(); }); });
}

void TCalibrazione::ConfermaClick()
{
    CampiRilevamento &captazione = m_stato.Captazione;
    captazione = static_cast<const CampiRilevamento &>(m_stato.Calibrazione);
    m_app.showModal(m_app.Controindicazioni());
    m_app.Captazione()->ingrandimento_TIMER->start();
    close();
}

void TCalibrazione::refreshFromState()
{
    const CampiRilevamento &campi = m_stato.Calibrazione;
    for (size_t i = 0; i < m_parametri.size(); ++i)
        showText(m_parametri[i], campi.*parametri[i].item);
}

void TCalibrazione::showEvent(QShowEvent *event)
{
    refreshFromState();
    QDialog::showEvent(event);
}

} // namespace kalvor::gui
