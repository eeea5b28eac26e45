// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/capture/captazione.hpp"

#include "capture/avanzamento.hpp"
#include "capture/modifica_manuale.hpp"
#include "capture/sovrapposizioni_captazione.hpp"
#include "common/errors.hpp"
#include "common/numbers.hpp"
#include "geometry/lente.hpp"
#include "gui/app/applicazione.hpp"
#include "gui/capture/aggiungi_veicolo.hpp"
#include "gui/capture/area_veicolo_virtuale.hpp"
#include "gui/capture/control_keys.hpp"
#include "gui/capture/modifica_veicolo.hpp"
#include "gui/platform/bindings.hpp"
#include "gui/platform/controls.hpp"
#include "gui/platform/frame_image.hpp"
#include "gui/platform/hint_balloon.hpp"
#include "gui/platform/lente.hpp"
#include "gui/platform/profile_choice.hpp"
#include "gui/platform/resources.hpp"
#include "gui/platform/vista_fotogramma.hpp"
#include "gui/platform/window_kind.hpp"
#include "gui/results/risultati.hpp"
#include "project/project_writer.hpp"
#include "results/conferma.hpp"
#include "state/stato_lavoro.hpp"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace kalvor::gui {

namespace {

struct Parametro
{
    const char *name;
    const char *label;
    std::string CampiRilevamento::*item;
    const char *hint;
};

// In the tab order of the screen.
const Parametro parametri[] = {
    {"ImmagineIniziale", "Fotog. iniziale", &CampiRilevamento::ImmagineIniziale,
     "Fotogramma iniziale|Numero del primo fotogramma dell'intervallo da elaborare|6"},
    {"ImmagineFinale", "Fotog. finale", &CampiRilevamento::ImmagineFinale,
     "Fotogramma finale|Numero dell'ultimo fotogramma dell'intervallo da elaborare|6"},
    {"VeicoloIniziale", "Veicolo Iniziale", &CampiRilevamento::VeicoloIniziale,
     "Veicolo iniziale|Numero da assegnare al primo veicolo individuato|16"},
    {"AreaVeicoloTXT", "Area veic. mq", &CampiRilevamento::AreaVeicoloTXT,
     "Superfice veicolo|Superfice minima di un veicolo in pianta = Lung.min x Metà corsia in mq|15"},
    {"VariazionePosTXT", "Variaz. posiz.", &CampiRilevamento::VariazionePosTXT,
     "Variazione della posizione|Variazione della posizione del veicolo oltre il quale ricercarlo nel fotogr. "
     "successivo in metri|18"},
    {"LunghezzaMinTXT", "Lung. min veic", &CampiRilevamento::LunghezzaMinTXT,
     "Lunghezza minima vieicolo|Lunghezza minima di un veicolo tipo in metri|15"},
    {"MargineSuperiore", "margine super.", &CampiRilevamento::MargineSuperiore,
     "Margine superiore|Margine di soglia superiore per la pulizia del fotogramma|17"},
    {"MargineInferiore", "margine infer.", &CampiRilevamento::MargineInferiore,
     "Margine inferiore|Margine di soglia inferiore per la pulizia del fotogramma|3"},
};

QPushButton *pulsante(QWidget *parent, const char *name, const char *caption)
{
    return namedControl<QPushButton>(parent, QString::fromLatin1(name), QString::fromUtf8(caption));
}

QProgressBar *barra(QWidget *parent, const char *name, Qt::Orientation orientation)
{
    auto *b = new QProgressBar(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setOrientation(orientation);
    b->setTextVisible(false);
    b->setRange(0, 100);
    b->setValue(0);
    return b;
}

// A gauge refuses a position outside its range: the range grows to hold it,
// and never closes up (an empty range shows a busy gauge instead of a
// position). A gauge repaints itself at once on every change; one deferred
// repaint instead keeps a frame advance quick.
void impostaBarra(QProgressBar *b, int posizione, int massimo)
{
    const int minimo = std::min(0, posizione);
    b->setUpdatesEnabled(false);
    b->setRange(minimo, std::max({massimo, posizione, minimo + 1}));
    b->setValue(posizione);
    b->setUpdatesEnabled(true);
}

QString suonoVeicoliTrovati()
{
    return programFolder() + QStringLiteral("trovata2.wav");
}

} // namespace

TCaptazione::TCaptazione(Applicazione &app, StatoLavoro &stato, Platform &platform, QWidget *parent)
    : Screen(app, stato, platform, parent)
{
    setObjectName(QStringLiteral("Captazione"));
    setWindowTitle(QStringLiteral("Captazione veicoli assistita  dal calcolatore"));
    applyWindowKind(this, WindowKind::Maximized);

    auto *pagina = new QHBoxLayout(this);

    // The frame unscaled at the top left; larger frames scroll.
    auto *sinistra = new QVBoxLayout;
    m_vista = new VistaFotogramma(this);
    m_vista->setObjectName(QStringLiteral("ImmagineColori"));
    m_vista->setFixedSize(640, 480);
    m_riquadro = new QScrollArea(this);
    m_riquadro->setWidget(m_vista);
    m_riquadro->setFrameShape(QFrame::NoFrame);
    m_riquadro->setMinimumSize(642, 482);
    m_riquadro->setMaximumSize(642, 482);
    sinistra->addWidget(m_riquadro, 0, Qt::AlignLeft | Qt::AlignTop);
    connect(m_vista, &VistaFotogramma::clicked, this, [this](QPoint pixel, QPoint pointer) {
        runGuarded([&] { RiconoscimentoVeicoloManualeClick(pixel, pointer); });
    });

    auto *liste = new QGridLayout;
    m_veicoliAtt = boundListEdit(this, QStringLiteral("veicoliAtt"), m_stato.Captazione.veicoliAtt);
    setHint(m_veicoliAtt, QStringLiteral("Veicoli attuali"));
    m_veicoliPrec = listView(this, QStringLiteral("veicoliPrec"));
    setHint(m_veicoliPrec, QStringLiteral("Veicoli precedenti"));
    liste->addWidget(new QLabel(QStringLiteral("Veicoli attuali"), this), 0, 0);
    liste->addWidget(new QLabel(QStringLiteral("Veicoli precedenti"), this), 0, 1);
    liste->addWidget(m_veicoliAtt, 1, 0);
    liste->addWidget(m_veicoliPrec, 1, 1);
    sinistra->addLayout(liste, 1);
    pagina->addLayout(sinistra, 1);

    auto *destra = new QVBoxLayout;
    // Switched on by the calibration's confirmation; it runs until the program ends.
    m_lente = new Lente(kLenteCaptazione, this);
    m_lente->setView(m_vista);
    destra->addWidget(m_lente, 0, Qt::AlignRight);

    auto *campi = new QGridLayout;
    CampiRilevamento &valori = m_stato.Captazione;
    int riga = 0;
    for (const Parametro &p : parametri) {
        QLineEdit *field = boundLineEdit(this, QString::fromLatin1(p.name), valori.*p.item);
        setHint(field, QString::fromUtf8(p.hint));
        campi->addWidget(new QLabel(QString::fromUtf8(p.label), this), riga, 0);
        campi->addWidget(field, riga, 1);
        m_parametri.push_back(field);
        ++riga;
    }
    m_profilo = boundProfileChoice(this, valori.Profilo);
    campi->addWidget(new QLabel(QStringLiteral("Profilo rilevamento"), this), riga, 0);
    campi->addWidget(m_profilo, riga, 1);
    destra->addLayout(campi);

    m_mirino = boundCheckBox(this, QStringLiteral("Mirino"), QStringLiteral("Mirino"), m_sessione.Mirino);
    setHint(m_mirino, QStringLiteral("Mostra mirino|Quando individua un veicolo gli associa un mirino|18"));
    m_mostraAsse = boundCheckBox(this, QStringLiteral("MostraAsse"), QStringLiteral("Mostra Asse strada"),
                                 m_sessione.MostraAsse);
    setHint(m_mostraAsse,
            QStringLiteral("Mostra asse strada|Mostra sui fotogrammi l'asse e i confini dell'area di capatazione|18"));
    m_correggi = boundCheckBox(this, QStringLiteral("Correzioni"), QStringLiteral("Correggi"), m_correzioni);
    for (QCheckBox *c : {m_mirino, m_mostraAsse, m_correggi}) {
        c->setFocusPolicy(Qt::ClickFocus);
        destra->addWidget(c);
    }

    auto *contatori = new QGridLayout;
    m_fotogrammaTXT = new QLabel(QString::fromStdString(m_stato.Captazione.fotogrammaTXT), this);
    m_fotogrammaTXT->setObjectName(QStringLiteral("fotogrammaTXT"));
    m_numeroVeicoliTXT = new QLabel(QString::fromStdString(m_stato.Captazione.NumeroVeicoliTXT), this);
    m_numeroVeicoliTXT->setObjectName(QStringLiteral("NumeroVeicoliTXT"));
    contatori->addWidget(new QLabel(QStringLiteral("Fotogr. :"), this), 0, 0);
    contatori->addWidget(m_fotogrammaTXT, 0, 1);
    contatori->addWidget(new QLabel(QStringLiteral("Veicoli :"), this), 1, 0);
    contatori->addWidget(m_numeroVeicoliTXT, 1, 1);
    destra->addLayout(contatori);

    auto *calcolaMedia = pulsante(this, "CalcolaMedia", "Calc. Media");
    m_barraMedia = barra(this, "barraMedia", Qt::Horizontal);
    auto *avanza = pulsante(this, "AvanzaFotogramma", "Avanza Fotogramma");
    setHint(avanza, QStringLiteral("diponibile anche come F4"));
    auto *precedente = pulsante(this, "FotogrammaPrecedente", "Fotogramma Precedente");
    setHint(precedente, QStringLiteral("diponibile anche come F3"));
    auto *salvaDati = pulsante(this, "SalvaDati", "Salva i dati finora ottenuti");
    auto *conferma = pulsante(this, "Conferma", "I dati vanno bene");
    // Never seen: the overlay refresh the other steps call.
    auto *disegnaVirtuali = pulsante(this, "DisegnaVeicoliVirtuali", "DisegnaVeicoliVirtuali");
    disegnaVirtuali->hide();
    destra->addWidget(calcolaMedia);
    destra->addWidget(m_barraMedia);
    destra->addWidget(avanza);
    destra->addWidget(precedente);
    destra->addWidget(salvaDati);
    destra->addWidget(conferma);
    destra->addStretch(1);
    pagina->addLayout(destra);

    m_barraElaborazione = barra(this, "barraElaborazione", Qt::Vertical);
    pagina->addWidget(m_barraElaborazione);

    QWidget *prima = m_parametri.front();
    for (QWidget *w : std::vector<QWidget *> {m_parametri.begin() + 1, m_parametri.end()}) {
        setTabOrder(prima, w);
        prima = w;
    }
    for (QWidget *w :
         std::initializer_list<QWidget *> {m_profilo, calcolaMedia, avanza, precedente, salvaDati, conferma}) {
        setTabOrder(prima, w);
        prima = w;
    }

    connectGuarded(calcolaMedia, &TCaptazione::CalcolaMediaClick);
    connectGuarded(avanza, &TCaptazione::AvanzaFotogrammaClick);
    connectGuarded(precedente, &TCaptazione::FotogrammaPrecedenteClick);
    connectGuarded(disegnaVirtuali, &TCaptazione::DisegnaVeicoliVirtualiClick);
    connectGuarded(salvaDati, &TCaptazione::SalvaDatiClick);
    connectGuarded(conferma, &TCaptazione::ConfermaClick);
    // F4 advances and F3 steps back while either capture button has the focus.
    for (QPushButton *b : {avanza, precedente}) {
        bindKey(b, Qt::Key_F4, [this] { runGuarded([&] { AvanzaFotogrammaClick(); }); });
        bindKey(b, Qt::Key_F3, [this] { runGuarded([&] { FotogrammaPrecedenteClick(); }); });
    }
}

TCaptazione::~TCaptazione() = default;

template<class Body> void TCaptazione::passo(Body &&body)
{
    try {
        body();
    } catch (...) {
        refreshFromState();
        throw;
    }
    refreshFromState();
}

void TCaptazione::CalcolaMediaClick()
{
    // Events are processed while frames are summed: a click must not start another computation.
    if (m_mediaInCorso)
        throw RefusalError("Attendere la fine del calcolo dello sfondo.");
    m_mediaInCorso = true;
    struct Fine
    {
        bool &flag;
        ~Fine() { flag = false; }
    } fine {m_mediaInCorso};
    passo([&] {
        bool primo = true;
        kalvor::CalcolaMediaCaptazione(m_stato, m_sessione, [&](int n, const RgbImage &) {
            if (primo) {
                // The engine has read both ends of the interval before the first
                // frame; a one-frame interval shows full, not busy.
                const int fine = std::max(n, toInt(m_stato.Captazione.ImmagineFinale));
                m_barraMedia->setRange(fine > n ? n : n - 1, fine);
                primo = false;
            }
            m_barraMedia->setValue(n);
            QCoreApplication::processEvents();
        });
    });
}

void TCaptazione::AvanzaFotogrammaClick()
{
    EsitoPasso esito;
    passo([&] { esito = kalvor::AvanzaFotogrammaClick(m_stato, m_sessione); });
    if (esito.suono)
        m_platform.playSound(suonoVeicoliTrovati());
    if (esito.fotogrammiFiniti)
        m_platform.information(this, QStringLiteral("Kalvor"), QString::fromUtf8(kFotogrammiFiniti));
}

void TCaptazione::FotogrammaPrecedenteClick()
{
    passo([&] { kalvor::FotogrammaPrecedenteClick(m_stato, m_sessione); });
}

void TCaptazione::DisegnaVeicoliVirtualiClick()
{
    passo([&] { kalvor::DisegnaVeicoliVirtualiClick(m_stato, m_sessione); });
}

void TCaptazione::RiconoscimentoVeicoloManualeClick(QPoint pixel, QPoint pointer)
{
    // While the background is summed (events are processed) the lists are not to be touched.
    if (m_mediaInCorso)
        return;
    const RgbImage &f = m_sessione.fotogramma;
    if (pixel.x() < 0 || pixel.y() < 0 || pixel.x() >= f.width || pixel.y() >= f.height)
        return;
    const PuntoFotogramma punto {pixel.x(), pixel.y()};
    if (!kalvor::RiconoscimentoVeicoloManualeClick(m_stato, m_sessione, punto))
        return;
    m_app.AggiungiVeicolo()->apri(pointer, [this, punto](Aggiunta scelta) {
        passo([&] {
            if (scelta == Aggiunta::NuovoVeicolo)
                kalvor::AggiungiNuovoVeicoloClick(m_stato, m_sessione, punto);
            else
                kalvor::AggiungiVeicoloEsistenteClick(m_stato, m_sessione, punto);
        });
    });
}

void TCaptazione::VeicoloVirtualeClick(const VeicoloVirtuale &veicolo, QPoint pointer)
{
    if (m_mediaInCorso)
        return;
    apriModificaVeicolo(m_stato, veicolo);
    m_app.ModificaVeicolo()->apri(pointer, [this](Modifica scelta) {
        passo([&] {
            if (scelta == Modifica::CambiaNumero)
                kalvor::CambiaNumeroVeicoloClick(m_stato, m_sessione);
            else
                kalvor::EliminaVeicoloClick(m_stato, m_sessione);
        });
    });
}

void TCaptazione::CalcolaMediaDaProgetto()
{
    passo([&] { kalvor::CalcolaMediaCaptazione(m_stato, m_sessione); });
}

void TCaptazione::setBarraElaborazione(int position)
{
    impostaBarraCaptazione(m_sessione, position);
    refreshFromState();
}

void TCaptazione::showCaptureFrame(const RgbImage &frame)
{
    mostraFotogrammaCaptazione(m_sessione, frame);
    refreshFromState();
}

void TCaptazione::drawCaptureOverlays()
{
    passo([&] {
        DisegnaContornoVeicoli(m_stato, m_sessione, false, colors::red);
        kalvor::DisegnaVeicoliVirtualiClick(m_stato, m_sessione);
    });
}

void TCaptazione::ConfermaClick()
{
    kalvor::ConfermaClick(m_stato, m_correzioni);
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

void TCaptazione::mostraFotogramma()
{
    m_vista->setFrame(toQImage(m_sessione.fotogramma));
    const QSize dimensione(std::max(m_sessione.fotogramma.width, 640), std::max(m_sessione.fotogramma.height, 480));
    if (m_vista->size() != dimensione) {
        m_vista->setFixedSize(dimensione);
        // No more room than the frame: larger frames scroll.
        m_riquadro->setMaximumSize(dimensione + QSize(2, 2));
    }
    m_vista->clearOverlay();
    m_vista->paintOverlay(m_sessione.disegno);
}

void TCaptazione::mostraVeicoliVirtuali()
{
    const std::vector<VeicoloVirtuale> &veicoli = m_sessione.veicoliVirtuali;
    while (m_aree.size() < veicoli.size()) {
        auto *area = new AreaVeicoloVirtuale(m_vista);
        // Queued: the dialog's changes renew the areas, this one included.
        connect(
            area, &AreaVeicoloVirtuale::clicked, this,
            [this, area](QPoint pointer) { runGuarded([&] { VeicoloVirtualeClick(area->veicolo(), pointer); }); },
            Qt::QueuedConnection);
        m_aree.push_back(area);
    }
    for (size_t i = 0; i < m_aree.size(); ++i) {
        if (i < veicoli.size())
            m_aree[i]->mostra(veicoli[i]);
        else
            m_aree[i]->hide();
    }
}

void TCaptazione::refreshFromState()
{
    mostraFotogramma();
    mostraVeicoliVirtuali();
    impostaBarra(m_barraElaborazione, m_sessione.barraPosizione, m_sessione.barraMassimo);
    const CampiRilevamento &campi = m_stato.Captazione;
    for (size_t i = 0; i < m_parametri.size(); ++i)
        showText(m_parametri[i], campi.*parametri[i].item);
    showProfile(m_profilo, campi.Profilo);
    showCheck(m_mirino, m_sessione.Mirino);
    showCheck(m_mostraAsse, m_sessione.MostraAsse);
    showCheck(m_correggi, m_correzioni);
    showText(m_fotogrammaTXT, m_stato.Captazione.fotogrammaTXT);
    showText(m_numeroVeicoliTXT, m_stato.Captazione.NumeroVeicoliTXT);
    showList(m_veicoliAtt, m_stato.Captazione.veicoliAtt);
    showList(m_veicoliPrec, m_stato.Captazione.veicoliPrec);
}

} // namespace kalvor::gui
