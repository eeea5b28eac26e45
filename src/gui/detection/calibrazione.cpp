// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/detection/calibrazione.hpp"

#include "common/errors.hpp"
#include "common/numbers.hpp"
#include "detection/sfondo.hpp"
#include "gui/app/applicazione.hpp"
#include "gui/app/controindicazioni.hpp"
#include "gui/capture/captazione.hpp"
#include "gui/platform/bindings.hpp"
#include "gui/platform/frame_image.hpp"
#include "gui/platform/guarded.hpp"
#include "gui/platform/hand_cursor.hpp"
#include "gui/platform/hint_balloon.hpp"
#include "gui/platform/profile_choice.hpp"
#include "gui/platform/resources.hpp"
#include "gui/platform/vista_fotogramma.hpp"
#include "state/stato_lavoro.hpp"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace kalvor::gui {

namespace {

struct DetectionField
{
    const char *name;
    const char *label;
    std::string CampiRilevamento::*item;
    const char *hint;
};

// In the tab order of the screen.
const DetectionField detectionFields[] = {
    {"ImmagineIniziale", "Fotogr. iniziale", &CampiRilevamento::ImmagineIniziale,
     "Fotogramma iniziale|Numero del primo fotogramma dell'intervallo da elaborare|6"},
    {"ImmagineFinale", "Fotogr. finale", &CampiRilevamento::ImmagineFinale,
     "Fotogramma finale|Numero dell'ultimo fotogramma dell'intervallo da elaborare|6"},
    {"VeicoloIniziale", "Veicolo Iniziale", &CampiRilevamento::VeicoloIniziale,
     "Veicolo iniziale|Numero da assegnare al primo veicolo individuato|16"},
    {"MargineSuperiore", "margine superiore", &CampiRilevamento::MargineSuperiore,
     "Margine superiore|Margine di soglia superiore per la pulizia del fotogramma|17"},
    {"MargineInferiore", "margine inferiore", &CampiRilevamento::MargineInferiore,
     "Margine inferiore|Margine di soglia inferiore per la pulizia del fotogramma|3"},
    {"AreaVeicoloTXT", "Area veicolo in mq", &CampiRilevamento::AreaVeicoloTXT,
     "Superfice veicolo|Superfice minima di un veicolo in pianta = Lung.min x Metà corsia in mq|15"},
    {"VariazionePosTXT", "Variazione posiz.", &CampiRilevamento::VariazionePosTXT,
     "Variazione della posizione|Variazione della posizione del veicolo oltre il quale ricercarlo nel fotogr. "
     "successivo in metri|18"},
    {"LunghezzaMinTXT", "Lunghezza min veic", &CampiRilevamento::LunghezzaMinTXT,
     "Lunghezza minima vieicolo|Lunghezza minima di un veicolo tipo in metri|15"},
};

QPushButton *makeButton(QWidget *parent, const char *name, const char *caption)
{
    auto *b = new QPushButton(QString::fromUtf8(caption), parent);
    b->setObjectName(QString::fromLatin1(name));
    useHandCursor(b);
    return b;
}

QProgressBar *makeGauge(QWidget *parent, const char *name)
{
    auto *b = new QProgressBar(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setOrientation(Qt::Vertical);
    b->setTextVisible(false);
    b->setRange(0, 100);
    b->setValue(0);
    return b;
}

void setGauge(QProgressBar *b, int valore, int massimo)
{
    b->setRange(std::min(0, valore), massimo);
    b->setValue(valore);
}

} // namespace

TCalibrazione::TCalibrazione(Applicazione &app, StatoLavoro &stato, Platform &platform, QWidget *parent)
    : Screen(app, stato, platform, parent)
{
    setIdentity(QStringLiteral("Calibrazione"), QStringLiteral("Calibrazione modello"), WindowKind::Maximized);

    auto *pagina = new QHBoxLayout(this);

    // The frame at the top left, unscaled, 640 x 480.
    auto *sinistra = new QVBoxLayout;
    m_immagineColori = new VistaFotogramma(this);
    m_immagineColori->setObjectName(QStringLiteral("ImmagineColori"));
    m_immagineColori->setFixedSize(640, 480);
    sinistra->addWidget(m_immagineColori);
    auto *originale = new QLabel(this);
    originale->setObjectName(QStringLiteral("originale"));
    originale->hide();
    sinistra->addStretch(1);
    pagina->addLayout(sinistra);

    auto *destra = new QVBoxLayout;
    dilatazioneIMG = new QLabel(this);
    dilatazioneIMG->setObjectName(QStringLiteral("dilatazioneIMG"));
    dilatazioneIMG->setFixedSize(320, 240);
    dilatazioneIMG->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    destra->addWidget(dilatazioneIMG);

    auto *campi = new QGridLayout;
    CampiRilevamento &valori = m_stato.Calibrazione;
    int riga = 0;
    for (const DetectionField &p : detectionFields) {
        QLineEdit *field = boundLineEdit(this, QString::fromLatin1(p.name), valori.*p.item);
        setHint(field, QString::fromUtf8(p.hint));
        campi->addWidget(new QLabel(QString::fromUtf8(p.label), this), riga, 0);
        campi->addWidget(field, riga, 1);
        m_fields.push_back(field);
        ++riga;
    }
    m_profilo = boundProfileChoice(this, valori.Profilo);
    campi->addWidget(new QLabel(QStringLiteral("Profilo rilevamento"), this), riga, 0);
    campi->addWidget(m_profilo, riga, 1);
    destra->addLayout(campi);

    Mirino = boundCheckBox(this, QStringLiteral("Mirino"), QStringLiteral("Mirino"), m_controllo.mirino);
    setHint(Mirino, QStringLiteral("Mostra mirino|Quando individua un veicolo gli associa un mirino|18"));
    MostraAsse = boundCheckBox(this, QStringLiteral("MostraAsse"), QStringLiteral("Mostra Asse strada"),
                               m_controllo.mostraAsse);
    setHint(MostraAsse,
            QStringLiteral("Mostra asse strada|Mostra sui fotogrammi l'asse e i confini dell'area di capatazione|18"));
    Ferma = boundCheckBox(this, QStringLiteral("Ferma"), QStringLiteral("Ferma l'elaborazione"), m_controllo.ferma);
    setHint(Ferma, QStringLiteral("Ferma l'elaborazione|Ferma il processo di individuazione dei veicoli|2"));
    for (QCheckBox *c : {Mirino, MostraAsse, Ferma}) {
        c->setFocusPolicy(Qt::ClickFocus);
        destra->addWidget(c);
    }

    auto *contatori = new QGridLayout;
    fotogrammaTXT = new QLabel(QStringLiteral("00000"), this);
    fotogrammaTXT->setObjectName(QStringLiteral("fotogrammaTXT"));
    NumeroVeicoliTXT = new QLabel(QStringLiteral("00000"), this);
    NumeroVeicoliTXT->setObjectName(QStringLiteral("NumeroVeicoliTXT"));
    QFont grassetto = NumeroVeicoliTXT->font();
    grassetto.setBold(true);
    NumeroVeicoliTXT->setFont(grassetto);
    contatori->addWidget(new QLabel(QStringLiteral("Fotogr. :"), this), 0, 0);
    contatori->addWidget(fotogrammaTXT, 0, 1);
    contatori->addWidget(new QLabel(QStringLiteral("Veicoli :"), this), 1, 0);
    contatori->addWidget(NumeroVeicoliTXT, 1, 1);
    destra->addLayout(contatori);

    auto *calcolaMedia = makeButton(this, "CalcolaMedia", "CalcolaMedia");
    auto *elaborazione = makeButton(this, "ElaborazioneImmagini", "Mostra individuazione");
    auto *direttamente = makeButton(this, "ConfermaDirettamenteDati", "I dati vanno già bene");
    direttamente->setEnabled(false);
    direttamente->setFocusPolicy(Qt::NoFocus);
    auto *conferma = makeButton(this, "Conferma", "Passa al procedimento semiautomatico");
    for (QPushButton *b : {calcolaMedia, elaborazione, direttamente, conferma})
        destra->addWidget(b);
    destra->addStretch(1);
    pagina->addLayout(destra);

    auto *barre = new QHBoxLayout;
    barraMedia = makeGauge(this, "barraMedia");
    barraElaborazione = makeGauge(this, "barraElaborazione");
    barre->addWidget(barraMedia);
    barre->addWidget(barraElaborazione);
    pagina->addLayout(barre);
    pagina->addStretch(1);

    QWidget *prima = m_fields.front();
    for (QWidget *w : std::vector<QWidget *> {m_fields.begin() + 1, m_fields.end()}) {
        setTabOrder(prima, w);
        prima = w;
    }
    setTabOrder(prima, m_profilo);
    setTabOrder(m_profilo, calcolaMedia);
    setTabOrder(calcolaMedia, elaborazione);
    setTabOrder(elaborazione, conferma);

    connectGuarded(calcolaMedia, &TCalibrazione::CalcolaMediaClick);
    connectGuarded(elaborazione, &TCalibrazione::ElaborazioneImmaginiClick);
    connectGuarded(conferma, &TCalibrazione::ConfermaClick);
}

void TCalibrazione::showFrame(const RgbImage &frame, const Drawing &overlays)
{
    m_immagineColori->setFrame(toQImage(frame));
    m_immagineColori->clearOverlay();
    m_immagineColori->paintOverlay(overlays);
}

void TCalibrazione::CalcolaMediaClick()
{
    // Events are processed while frames are summed: a click must not start another computation.
    if (m_backgroundRunning || m_controllo.inCorso)
        throw RefusalError("Attendere la fine dell'elaborazione in corso.");
    m_backgroundRunning = true;
    struct ClearOnExit
    {
        bool &flag;
        ~ClearOnExit() { flag = false; }
    } clearOnExit {m_backgroundRunning};
    computeBackground(m_stato.C, m_stato.Calibrazione, m_stato.AreaCaptazione.PuntiRiferimento,
                      m_stato.Estrattore.Cartella, BackgroundFor::Calibrazione, [&](int n, const RgbImage &frame) {
                          setGauge(barraMedia, n, m_stato.C.UltimoFotogramma);
                          showFrame(frame);
                          QCoreApplication::processEvents();
                      });
}

void TCalibrazione::ElaborazioneImmaginiClick()
{
    if (m_backgroundRunning)
        throw RefusalError("Attendere la fine del calcolo dello sfondo.");
    const QString suono = programFolder() + QStringLiteral("trovata.wav");
    RunObserver o;
    o.inizio = [&](const RgbImage &primo) {
        showCheck(Ferma, false);
        setGauge(barraElaborazione, m_stato.C.PrimoFotogramma, m_stato.C.UltimoFotogramma);
        NumeroVeicoliTXT->setText(QString::fromStdString(intText(m_stato.C.NumeroVeicolo - 1)));
        fotogrammaTXT->setText(QString::fromStdString(intText(m_stato.C.PrimoFotogramma)));
        showFrame(primo);
    };
    o.veicoliTrovati = [&] { m_platform.playSound(suono); };
    o.fotogramma = [&](const ProcessedFrame &f) {
        showFrame(*f.immagine, f.sovrapposizioni);
        dilatazioneIMG->setPixmap(QPixmap::fromImage(toQImage(maskImage(*f.maschera)))
                                      .scaled(dilatazioneIMG->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
        barraElaborazione->setValue(f.numero);
        fotogrammaTXT->setText(QString::fromStdString(intText(f.numero)));
        NumeroVeicoliTXT->setText(QString::fromStdString(intText(f.ultimoNumero)));
        QCoreApplication::processEvents();
    };
    ElaborazioneImmagini(m_stato, m_controllo, m_spazio, o);
}

void TCalibrazione::ConfermaClick()
{
    CampiRilevamento &captazione = m_stato.Captazione;
    captazione = static_cast<const CampiRilevamento &>(m_stato.Calibrazione);
    m_app.showModal(m_app.Controindicazioni());
    m_app.switchMagnifierOn(m_app.Captazione());
    close();
}

void TCalibrazione::refreshFromState()
{
    const CampiRilevamento &campi = m_stato.Calibrazione;
    for (size_t i = 0; i < m_fields.size(); ++i)
        showText(m_fields[i], campi.*detectionFields[i].item);
    showProfile(m_profilo, campi.Profilo);
    showCheck(Mirino, m_controllo.mirino);
    showCheck(MostraAsse, m_controllo.mostraAsse);
    showCheck(Ferma, m_controllo.ferma);
}

void TCalibrazione::hideEvent(QHideEvent *event)
{
    // A run must not go on behind a closed screen.
    if (m_controllo.inCorso)
        m_controllo.ferma = true;
    QDialog::hideEvent(event);
}

} // namespace kalvor::gui
