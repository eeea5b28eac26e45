// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/capture/captazione.hpp"

#include "gui/app/applicazione.hpp"
#include "gui/platform/bindings.hpp"
#include "gui/platform/guarded.hpp"
#include "gui/platform/hand_cursor.hpp"
#include "gui/platform/window_kind.hpp"
#include "gui/results/risultati.hpp"
#include "project/project_writer.hpp"
#include "state/stato_lavoro.hpp"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
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

    auto *page = new QHBoxLayout(this);
    auto *left = new QVBoxLayout;
    ImmagineColori = new QLabel(this);
    ImmagineColori->setObjectName(QStringLiteral("ImmagineColori"));
    ImmagineColori->setFixedSize(640, 480);
    ImmagineColori->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    ImmagineColori->setStyleSheet(QStringLiteral("background: #1b2430; border: 1px solid #9fb3c8;"));
    left->addWidget(ImmagineColori);
    auto *lists = new QHBoxLayout;
    auto *attuali = new QGroupBox(QStringLiteral("Veicoli del fotogramma"), this);
    m_veicoliAtt = boundListEdit(attuali, QStringLiteral("veicoliAtt"), m_stato.Captazione.veicoliAtt);
    (new QVBoxLayout(attuali))->addWidget(m_veicoliAtt);
    auto *precedenti = new QGroupBox(QStringLiteral("Veicoli del fotogramma precedente"), this);
    m_veicoliPrec = listView(precedenti, QStringLiteral("veicoliPrec"));
    (new QVBoxLayout(precedenti))->addWidget(m_veicoliPrec);
    lists->addWidget(attuali);
    lists->addWidget(precedenti);
    left->addLayout(lists, 1);
    page->addLayout(left, 1);

    auto *right = new QVBoxLayout;
    auto *parametriBox = new QGroupBox(QStringLiteral("Parametri di individuazione"), this);
    auto *form = new QFormLayout(parametriBox);
    CampiRilevamento &campi = m_stato.Captazione;
    for (const Parametro &p : parametri) {
        QLineEdit *field = boundLineEdit(parametriBox, QString::fromLatin1(p.name), campi.*p.item);
        form->addRow(QString::fromUtf8(p.label), field);
        m_parametri.push_back(field);
    }
    right->addWidget(parametriBox);
    auto *contatori = new QGroupBox(QStringLiteral("Avanzamento"), this);
    auto *counters = new QFormLayout(contatori);
    m_fotogrammaTXT = new QLabel(contatori);
    m_fotogrammaTXT->setObjectName(QStringLiteral("fotogrammaTXT"));
    counters->addRow(QStringLiteral("Fotogramma"), m_fotogrammaTXT);
    m_numeroVeicoliTXT = new QLabel(contatori);
    m_numeroVeicoliTXT->setObjectName(QStringLiteral("NumeroVeicoliTXT"));
    counters->addRow(QStringLiteral("Ultimo veicolo"), m_numeroVeicoliTXT);
    right->addWidget(contatori);
    right->addStretch(1);

    auto *salvaDati = new QPushButton(QStringLiteral("Salva i dati finora ottenuti"), this);
    salvaDati->setObjectName(QStringLiteral("SalvaDati"));
    useHandCursor(salvaDati);
    page->addWidget(salvaDati, 0, Qt::AlignRight);
    connect(salvaDati, &QPushButton::clicked, this, [this] { guarded(this, m_platform, [&] { SalvaDatiClick(); }); });

    auto *conferma = new QPushButton(QStringLiteral("I dati vanno bene"), this);
    conferma->setObjectName(QStringLiteral("Conferma"));
    useHandCursor(conferma);
    right->addWidget(conferma);
    page->addLayout(right);
    connect(conferma, &QPushButton::clicked, this, [this] { guarded(this, m_platform, [&] { ConfermaClick(); }); });
}

void TCaptazione::ConfermaClick()
{
    m_app.showModal(m_app.Risultati());
}

FileDialogOptions TCaptazione::dialogoSalva()
{
    return {QStringLiteral("Salva i dati fin'ora ottenuti"), QStringLiteral("File dati KALVOR (*.kvr)"),
            QStringLiteral("kvr"), QStringLiteral("dati")};
}

void TCaptazione::SalvaDatiClick()
{
    testo.clear();
    const QString fileName = m_platform.saveFileName(this, dialogoSalva());
    if (fileName.isEmpty())
        return;
    testo = projectFileLines(m_stato);
    testo.saveToFile(fileName.toStdString());
}

void TCaptazione::refreshFromState()
{
    const CampiRilevamento &campi = m_stato.Captazione;
    for (size_t i = 0; i < m_parametri.size(); ++i)
        showText(m_parametri[i], campi.*parametri[i].item);
    showText(m_fotogrammaTXT, m_stato.Captazione.fotogrammaTXT);
    showText(m_numeroVeicoliTXT, m_stato.Captazione.NumeroVeicoliTXT);
    showList(m_veicoliAtt, m_stato.Captazione.veicoliAtt);
    showList(m_veicoliPrec, m_stato.Captazione.veicoliPrec);
}

void TCaptazione::showEvent(QShowEvent *event)
{
    refreshFromState();
    QDialog::showEvent(event);
}

} // namespace kalvor::gui
