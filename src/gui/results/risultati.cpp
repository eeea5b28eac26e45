// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/results/risultati.hpp"

#include "extraction/frame_file.hpp"
#include "gui/app/applicazione.hpp"
#include "gui/platform/bindings.hpp"
#include "gui/platform/controls.hpp"
#include "gui/platform/frame_image.hpp"
#include "gui/platform/hint_balloon.hpp"
#include "gui/platform/window_kind.hpp"
#include "gui/results/livelli_simulazione.hpp"
#include "gui/safety/indicatori_sicurezza.hpp"
#include "results/simulazione.hpp"
#include "results/valutazione.hpp"
#include "state/stato_lavoro.hpp"

#include <QCheckBox>
#include <QCommandLinkButton>
#include <QCoreApplication>
#include <QEventLoop>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace kalvor::gui {

namespace {

const QString kHintR1 = QStringLiteral("Istante iniziale|istante di inizio simulazione in secondi|4");

QLabel *etichetta(QWidget *parent, const char *name, const QString &text)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

QPlainTextEdit *vistaTabella(QWidget *parent, const char *name)
{
    QPlainTextEdit *view = listView(parent, QString::fromLatin1(name));
    view->setLineWrapMode(QPlainTextEdit::NoWrap);
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    return view;
}

// A blocking wait that still lets the screen repaint and take clicks.
void attesaConEventi(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace

TRisultati::TRisultati(Applicazione &app, StatoLavoro &stato, Platform &platform, QWidget *parent)
    : Screen(app, stato, platform, parent)
    , m_attesa(attesaConEventi)
{
    setObjectName(QStringLiteral("Risultati"));
    setWindowTitle(QStringLiteral("Risultati"));
    applyWindowKind(this, WindowKind::Centred, QSize(1180, 720));
    auto &risultati = m_stato.Risultati;

    m_livelli = new LivelliSimulazione(this);
    m_tempoTXT = etichetta(this, "tempoTXT", QStringLiteral("00000"));
    m_istanteInizialeTXT = boundLineEdit(this, QStringLiteral("IstanteInizialeTXT"), risultati.IstanteInizialeTXT);
    setHint(m_istanteInizialeTXT, kHintR1);
    m_filmatoIMG = new ImmagineScalata(QStringLiteral("filmatoIMG"), QSize(320, 240), this);
    auto *automatico = namedControl<QCommandLinkButton>(this, QStringLiteral("SimulaVeicoliAutomatico"),
                                                        QStringLiteral("Simula veicoli in automatico"));
    m_fermaSimulazione
        = namedControl<QCheckBox>(this, QStringLiteral("FermaSimulazione"), QStringLiteral("Ferma Simulazione"));
    auto *azzera = namedControl<QCommandLinkButton>(this, QStringLiteral("AzzeraSimulazione"),
                                                    QStringLiteral("Azzera la simulazione"));
    auto *avanti = namedControl<QCommandLinkButton>(this, QStringLiteral("SimulaVeicoliAvanti"),
                                                    QStringLiteral("Istante successivo di simulazione"));
    auto *indietro = namedControl<QCommandLinkButton>(this, QStringLiteral("SimulazioneVeicoloIndietro"),
                                                      QStringLiteral("Istante precedente di simulazione"));
    connectGuarded(automatico, &TRisultati::SimulaVeicoliAutomaticoClick);
    connectGuarded(azzera, &TRisultati::AzzeraSimulazioneClick);
    connectGuarded(avanti, &TRisultati::SimulaVeicoliAvantiClick);
    connectGuarded(indietro, &TRisultati::SimulazioneVeicoloIndietroClick);

    m_contenitoreDatiTemporali = vistaTabella(this, "ContenitoreDatiTemporali");
    m_contenitoreDatiVeicolari = vistaTabella(this, "ContenitoreDatiVeicolari");
    m_valutazioniTXT = vistaTabella(this, "ValutazioniTXT");
    for (QPlainTextEdit *view : {m_contenitoreDatiVeicolari, m_valutazioniTXT})
        view->installEventFilter(this);
    auto *valuta
        = namedControl<QCommandLinkButton>(this, QStringLiteral("ValutazioneDati"), QStringLiteral("Valutazione dati"));
    connectGuarded(valuta, &TRisultati::ValutazioneDatiClick);
    m_numeroPrimoVeicoloTXT
        = boundLineEdit(this, QStringLiteral("NumeroPrimoVeicoloTXT"), risultati.NumeroPrimoVeicoloTXT);
    setHint(m_numeroPrimoVeicoloTXT, kHintR1);
    // The workbook export belongs to its own change; its controls are here, not yet active.
    auto *esporta = namedControl<QPushButton>(this, QStringLiteral("EsportaDati"), QString());
    esporta->setEnabled(false);
    auto *calcola = namedControl<QCommandLinkButton>(this, QStringLiteral("CalcolaIndicatori"),
                                                     QStringLiteral("Calcola Indicatori"));
    auto *chiudi = namedControl<QCommandLinkButton>(this, QStringLiteral("ChiudiTutto"), QStringLiteral("Chiudi"));
    connectGuarded(calcola, &TRisultati::CalcolaIndicatoriClick);
    connectGuarded(chiudi, &TRisultati::ChiudiTuttoClick);

    auto *sinistra = new QVBoxLayout;
    sinistra->addWidget(m_livelli);
    auto *tempi = new QGridLayout;
    tempi->addWidget(etichetta(this, "Label1", QStringLiteral("Tempo:")), 0, 0);
    tempi->addWidget(m_tempoTXT, 0, 1);
    tempi->addWidget(etichetta(this, "Label8", QStringLiteral("Istante iniziale")), 1, 0);
    tempi->addWidget(m_istanteInizialeTXT, 1, 1);
    sinistra->addLayout(tempi);
    sinistra->addWidget(automatico);
    sinistra->addWidget(m_fermaSimulazione);
    sinistra->addWidget(azzera);
    sinistra->addWidget(avanti);
    sinistra->addWidget(indietro);
    sinistra->addWidget(m_filmatoIMG, 1);

    auto *destra = new QVBoxLayout;
    const std::pair<const char *, QPlainTextEdit *> tabelle[] = {
        {"Dati temporali", m_contenitoreDatiTemporali},
        {"Dati veicolari", m_contenitoreDatiVeicolari},
        {"Valutazioni", m_valutazioniTXT},
    };
    for (const auto &[titolo, view] : tabelle) {
        auto *group = new QGroupBox(QString::fromUtf8(titolo), this);
        (new QVBoxLayout(group))->addWidget(view);
        destra->addWidget(group, 1);
    }
    auto *valutazione = new QHBoxLayout;
    valutazione->addWidget(valuta);
    valutazione->addWidget(etichetta(this, "Label3", QStringLiteral("Num. Prim. Veic.")));
    valutazione->addWidget(m_numeroPrimoVeicoloTXT);
    valutazione->addStretch(1);
    destra->addLayout(valutazione);
    auto *fondo = new QHBoxLayout;
    fondo->addWidget(esporta);
    fondo->addWidget(etichetta(this, "Label2", QStringLiteral("Esporta Excel 2007")));
    fondo->addStretch(1);
    fondo->addWidget(calcola);
    fondo->addWidget(chiudi);
    destra->addLayout(fondo);

    auto *page = new QHBoxLayout(this);
    page->addLayout(sinistra, 0);
    page->addLayout(destra, 1);
}

void TRisultati::mostraFotogramma(int numero)
{
    m_filmatoIMG->setImage(loadFrameImage(frameFileName(m_stato.Estrattore.Cartella, numero)));
}

void TRisultati::mostraPasso(const PassoSimulazione &passo)
{
    if (!passo.strada.empty())
        m_livelli->disegnaStrada(passo.strada);
    m_livelli->disegnaVeicoli(passo.veicoli, true);
    m_tempoTXT->setText(QString::fromStdString(passo.tempoTXT));
    if (passo.fotogramma)
        mostraFotogramma(*passo.fotogramma);
}

void TRisultati::SimulaVeicoliAutomaticoClick()
{
    SchermoSimulazione schermo;
    schermo.fermaImpostata = [this] { return m_fermaSimulazione->isChecked() || !isVisible(); };
    schermo.azzeraFerma = [this] { m_fermaSimulazione->setChecked(false); };
    schermo.strada = [this](const Drawing &d) { m_livelli->disegnaStrada(d); };
    schermo.veicoli = [this](const Drawing &d, bool pulisci) { m_livelli->disegnaVeicoli(d, pulisci); };
    schermo.fotogramma = [this](int n) { mostraFotogramma(n); };
    schermo.tempo = [this](const std::string &t) { m_tempoTXT->setText(QString::fromStdString(t)); };
    schermo.attendi = [this](int ms) {
        m_attesa(ms);
        QCoreApplication::processEvents();
    };
    schermo.elaboraEventi = [] { QCoreApplication::processEvents(); };
    kalvor::SimulaVeicoliAutomaticoClick(m_stato, schermo);
}

void TRisultati::AzzeraSimulazioneClick()
{
    mostraPasso(kalvor::AzzeraSimulazioneClick(m_stato));
}

void TRisultati::SimulaVeicoliAvantiClick()
{
    mostraPasso(kalvor::SimulaVeicoliAvantiClick(m_stato));
}

void TRisultati::SimulazioneVeicoloIndietroClick()
{
    mostraPasso(kalvor::SimulazioneVeicoloIndietroClick(m_stato));
}

void TRisultati::ValutazioneDatiClick()
{
    kalvor::ValutazioneDatiClick(m_stato);
    // Filled while hidden: the report never shows half written.
    m_valutazioniTXT->hide();
    showList(m_valutazioniTXT, m_stato.Risultati.ValutazioniTXT);
    m_valutazioniTXT->show();
}

void TRisultati::CalcolaIndicatoriClick()
{
    m_app.showModal(m_app.IndicatoriSicurezza());
}

void TRisultati::ChiudiTuttoClick()
{
    m_app.endProgram();
}

void TRisultati::ContenitoreDatiVeicolariKeyDown()
{
    m_contenitoreDatiVeicolari->selectAll();
    m_contenitoreDatiVeicolari->copy();
}

bool TRisultati::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_A && (key->modifiers() & Qt::ControlModifier)) {
            ContenitoreDatiVeicolariKeyDown();
            return true;
        }
    }
    return Screen::eventFilter(watched, event);
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

} // namespace kalvor::gui
