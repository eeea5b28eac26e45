// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/geometry/prospettiva.hpp"

#include "common/numbers.hpp"
#include "geometry/lente.hpp"
#include "geometry/prospettiva.hpp"
#include "geometry/segno_punto.hpp"
#include "geometry/trasformazione.hpp"
#include "gui/geometry/frame_image.hpp"
#include "gui/geometry/hint_text.hpp"
#include "gui/geometry/lente.hpp"
#include "gui/geometry/run_handler.hpp"
#include "gui/geometry/text_list_edit.hpp"
#include "gui/geometry/vista_fotogramma.hpp"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kalvor::gui {

namespace {

QLabel *makeLabel(const char *name, const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

QPushButton *makeButton(const char *name, const QString &text, QWidget *parent)
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

} // namespace

TProspettiva::TProspettiva(StatoLavoro &stato, QWidget *parent)
    : QDialog(parent)
    , m_stato(stato)
{
    setObjectName("Prospettiva");
    setWindowTitle("Distanze di riferimento");
    setWindowState(Qt::WindowMaximized);

    m_vista = new VistaFotogramma(this);
    connect(m_vista, &VistaFotogramma::clicked, this, &TProspettiva::lucidoClick);
    m_lente = new Lente(kLenteProspettiva, this);
    m_lente->setView(m_vista);

    m_fotogrammaTXT = makeLabel("fotogrammaTXT", "nnn", this);
    auto *label1 = makeLabel("Label1", "Fotogramma iniziale", this);
    m_fotogrammaIniziale = new QLineEdit(QString::fromStdString(stato.Prospettiva.FotogrammaIniziale), this);
    m_fotogrammaIniziale->setObjectName("FotogrammaIniziale");
    setHint(m_fotogrammaIniziale, "Fotogramma iniziale|numero del primo fotogramma da caricare|7");
    connect(m_fotogrammaIniziale, &QLineEdit::textEdited, this,
            [this](const QString &t) { m_stato.Prospettiva.FotogrammaIniziale = t.toStdString(); });
    auto *azzera = makeButton("AzzeraDati", "AzzeraDati", this);
    connect(azzera, &QPushButton::clicked, this, &TProspettiva::AzzeraDatiClick);

    m_x = new TextListEdit(stato.Prospettiva.coordinataXPixelP, "coordinataXPixelP", this);
    m_y = new TextListEdit(stato.Prospettiva.coordinataYPixelP, "coordinataYPixelP", this);
    m_distanze = new TextListEdit(stato.Prospettiva.DistanzeRealiP, "DistanzeRealiP", this);
    setHint(m_x, "Dati memorizzati|Coordinata X del punto sul video in Pixel|5");
    setHint(m_y, "Dati memorizzati|coordinata Y del punto sul video in Pixel|5");
    setHint(m_distanze, "Dati memorizzati|Distanza reale fra due punti sul video in Metri|3");

    auto *label7 = makeLabel("Label7", "Movimento fotogrammi", this);
    auto *precedente = makeButton("FotogrammaPrecedente", "Precedente", this);
    auto *successivo = makeButton("AvanzaFotogramma", "Successivo", this);
    connect(precedente, &QPushButton::clicked, this, &TProspettiva::FotogrammaPrecedenteClick);
    connect(successivo, &QPushButton::clicked, this, &TProspettiva::AvanzaFotogrammaClick);
    auto *trasformazione = makeButton("Trasformazione", "Trasformazione", this);
    setHint(trasformazione, "Trasfomazione coordinate|Trasforma le coordinate dal sistema pixel a quello metrico|7");
    connect(trasformazione, &QPushButton::clicked, this, &TProspettiva::TrasformazioneClick);
    m_led = new QFrame(this);
    m_led->setObjectName("led");
    m_led->setFixedSize(24, 24);
    m_led->setAutoFillBackground(true);
    m_info = makeLabel("info_TXT", "da trasformare", this);
    auto *conferma = makeButton("Conferma", "Passo successivo", this);
    connect(conferma, &QPushButton::clicked, this, &TProspettiva::ConfermaClick);
    setIndicator(false);

    auto *lists = new QGridLayout;
    lists->addWidget(makeLabel("Label2", "X [pixel]", this), 0, 0);
    lists->addWidget(makeLabel("Label3", "Y [pixel]", this), 0, 1);
    lists->addWidget(makeLabel("Label4", "distanza [metri]", this), 0, 2);
    lists->addWidget(m_x, 1, 0);
    lists->addWidget(m_y, 1, 1);
    lists->addWidget(m_distanze, 1, 2);

    auto *panel = new QWidget(this);
    panel->setMaximumWidth(440);
    auto *side = new QVBoxLayout(panel);
    side->setContentsMargins(0, 0, 0, 0);
    side->addWidget(m_lente, 0, Qt::AlignRight);
    side->addWidget(m_fotogrammaTXT);
    side->addWidget(label1);
    side->addWidget(m_fotogrammaIniziale);
    side->addWidget(azzera);
    side->addLayout(lists, 1);
    side->addWidget(label7);
    auto *stepping = new QHBoxLayout;
    stepping->addWidget(precedente);
    stepping->addWidget(successivo);
    side->addLayout(stepping);
    auto *status = new QHBoxLayout;
    status->addWidget(trasformazione);
    status->addWidget(m_led);
    status->addWidget(m_info, 1);
    side->addLayout(status);
    side->addWidget(conferma);

    auto *layout = new QHBoxLayout(this);
    layout->addWidget(m_vista, 1);
    layout->addWidget(panel);
}

void TProspettiva::refreshLists()
{
    m_x->refresh();
    m_y->refresh();
    m_distanze->refresh();
    m_fotogrammaIniziale->setText(QString::fromStdString(m_stato.Prospettiva.FotogrammaIniziale));
}

void TProspettiva::setIndicator(bool transformed)
{
    QPalette pal = m_led->palette();
    pal.setColor(QPalette::Window, transformed ? Qt::green : Qt::red);
    m_led->setPalette(pal);
    m_led->setProperty("transformed", transformed);
    m_info->setText(transformed ? "trasformate" : "da trasformare");
    m_info->setStyleSheet("color: #c8b400;");
}

void TProspettiva::showFrame(const std::string &file)
{
    m_vista->setFrame(loadFrameImage(file));
}

bool TProspettiva::reset(bool askDirection)
{
    return runHandler(this, [&] {
        const std::string file = startReferenceReset(m_stato);
        m_fotogrammaTXT->setText(QString::number(m_stato.FotogrammaProspettiva));
        showFrame(file);
        m_vista->paintOverlay({clearedOverlay()});
        if (askDirection) {
            finishAzzeraDati(m_stato);
            refreshLists();
            if (m_hooks.showReadingDirection)
                m_hooks.showReadingDirection();
        } else {
            finishAzzeraSenzaRichieste(m_stato);
            refreshLists();
        }
        setIndicator(false);
    });
}

void TProspettiva::AzzeraDatiClick()
{
    reset(true);
}

void TProspettiva::AzzeraSenzaRichieste()
{
    reset(false);
}

void TProspettiva::lucidoClick(QPoint framePixel, QPoint globalPos)
{
    runHandler(this, [&] {
        if (m_stato.SceltaVersoLetture.usoGPS) {
            prepareGpsPoint(m_stato, framePixel.x(), framePixel.y());
            if (m_hooks.showGpsDialog)
                m_hooks.showGpsDialog(globalPos);
            refreshLists();
            return;
        }
        const Drawing marker = recordReferencePoint(m_stato, framePixel.x(), framePixel.y());
        refreshLists();
        m_vista->paintOverlay(marker);
        if (m_hooks.playMouseAnimation)
            m_hooks.playMouseAnimation(30);
    });
}

void TProspettiva::drawMarker(const Drawing &marker)
{
    m_vista->paintOverlay(marker);
}

void TProspettiva::drawPoints()
{
    Drawing drawing;
    try {
        drawReferencePoints(m_stato.Prospettiva, drawing);
    } catch (...) {
        m_vista->paintOverlay(drawing); // the markers made before the bad line stay
        throw;
    }
    m_vista->paintOverlay(drawing);
    if (m_hooks.switchOnAreaMagnifier)
        m_hooks.switchOnAreaMagnifier();
}

void TProspettiva::DisegnaPunti()
{
    runHandler(this, [this] { drawPoints(); });
}

void TProspettiva::AvanzaFotogrammaClick()
{
    runHandler(this, [this] {
        const std::string file = stepReferenceFrame(m_stato, 1);
        m_fotogrammaTXT->setText(QString::number(m_stato.FotogrammaProspettiva));
        showFrame(file);
    });
}

void TProspettiva::FotogrammaPrecedenteClick()
{
    runHandler(this, [this] {
        const std::string file = stepReferenceFrame(m_stato, -1);
        m_fotogrammaTXT->setText(QString::number(m_stato.FotogrammaProspettiva));
        showFrame(file);
    });
}

void TProspettiva::TrasformazioneClick()
{
    runHandler(this, [this] {
        drawPoints();
        const QImage &frame = m_vista->frame();
        runTransformation(m_stato, frame.width(), frame.height());
        setIndicator(true);
    });
}

void TProspettiva::ConfermaClick()
{
    m_lente->switchOff();
    if (m_hooks.switchOnAreaMagnifier)
        m_hooks.switchOnAreaMagnifier();
    accept();
}

} // namespace kalvor::gui
