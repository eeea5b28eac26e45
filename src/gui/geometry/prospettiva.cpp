// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/geometry/prospettiva.hpp"

#include "common/errors.hpp"
#include "extraction/png_io.hpp"
#include "geometry/lente.hpp"
#include "geometry/prospettiva.hpp"
#include "geometry/segno_punto.hpp"
#include "geometry/trasformazione.hpp"
#include "gui/app/applicazione.hpp"
#include "gui/geometry/area_captazione.hpp"
#include "gui/geometry/punti_gps.hpp"
#include "gui/geometry/scelta_verso_letture.hpp"
#include "gui/platform/bindings.hpp"
#include "gui/platform/controls.hpp"
#include "gui/platform/frame_image.hpp"
#include "gui/platform/guarded.hpp"
#include "gui/platform/hand_cursor.hpp"
#include "gui/platform/hint_balloon.hpp"
#include "gui/platform/lente.hpp"
#include "gui/platform/text_list_edit.hpp"
#include "gui/platform/vista_fotogramma.hpp"
#include "state/stato_lavoro.hpp"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace kalvor::gui {

TProspettiva::TProspettiva(Applicazione &app, StatoLavoro &stato, Platform &platform, QWidget *parent)
    : Screen(app, stato, platform, parent)
{
    setIdentity(QStringLiteral("Prospettiva"), QStringLiteral("Distanze di riferimento"), WindowKind::Maximized);

    m_vista = new VistaFotogramma(this);
    connect(m_vista, &VistaFotogramma::clicked, this,
            [this](QPoint pixel, QPoint global) { runGuarded([&] { lucidoClick(pixel, global); }); });
    m_lente = new Lente(kLenteProspettiva, this);
    m_lente->setView(m_vista);

    m_fotogrammaTXT = namedControl<QLabel>(this, QStringLiteral("fotogrammaTXT"), QStringLiteral("nnn"));
    auto *label1 = namedControl<QLabel>(this, QStringLiteral("Label1"), QStringLiteral("Fotogramma iniziale"));
    m_fotogrammaIniziale
        = boundLineEdit(this, QStringLiteral("FotogrammaIniziale"), m_stato.Prospettiva.FotogrammaIniziale);
    setHint(m_fotogrammaIniziale, QStringLiteral("Fotogramma iniziale|numero del primo fotogramma da caricare|7"));
    auto *azzera = namedControl<QPushButton>(this, QStringLiteral("AzzeraDati"), QStringLiteral("AzzeraDati"));
    connectGuarded(azzera, &TProspettiva::AzzeraDatiClick);

    m_coordinataXPixelP = new TextListEdit(m_stato.Prospettiva.coordinataXPixelP, "coordinataXPixelP", this);
    m_coordinataYPixelP = new TextListEdit(m_stato.Prospettiva.coordinataYPixelP, "coordinataYPixelP", this);
    m_distanzeRealiP = new TextListEdit(m_stato.Prospettiva.DistanzeRealiP, "DistanzeRealiP", this);
    setHint(m_coordinataXPixelP, QStringLiteral("Dati memorizzati|Coordinata X del punto sul video in Pixel|5"));
    setHint(m_coordinataYPixelP, QStringLiteral("Dati memorizzati|coordinata Y del punto sul video in Pixel|5"));
    setHint(m_distanzeRealiP, QStringLiteral("Dati memorizzati|Distanza reale fra due punti sul video in Metri|3"));

    auto *label7 = namedControl<QLabel>(this, QStringLiteral("Label7"), QStringLiteral("Movimento fotogrammi"));
    auto *precedente
        = namedControl<QPushButton>(this, QStringLiteral("FotogrammaPrecedente"), QStringLiteral("Precedente"));
    auto *successivo
        = namedControl<QPushButton>(this, QStringLiteral("AvanzaFotogramma"), QStringLiteral("Successivo"));
    connectGuarded(precedente, &TProspettiva::FotogrammaPrecedenteClick);
    connectGuarded(successivo, &TProspettiva::AvanzaFotogrammaClick);
    auto *trasformazione
        = namedControl<QPushButton>(this, QStringLiteral("Trasformazione"), QStringLiteral("Trasformazione"));
    setHint(trasformazione,
            QStringLiteral("Trasfomazione coordinate|Trasforma le coordinate dal sistema pixel a quello metrico|7"));
    connectGuarded(trasformazione, &TProspettiva::TrasformazioneClick);
    m_led = new QFrame(this);
    m_led->setObjectName(QStringLiteral("led"));
    m_led->setFixedSize(24, 24);
    m_led->setAutoFillBackground(true);
    m_info = namedControl<QLabel>(this, QStringLiteral("info_TXT"), QStringLiteral("da trasformare"));
    m_info->setStyleSheet(QStringLiteral("color: #d4b000;"));
    auto *conferma = namedControl<QPushButton>(this, QStringLiteral("Conferma"), QStringLiteral("Passo successivo"));
    connectGuarded(conferma, &TProspettiva::ConfermaClick);
    setIndicator(false);

    auto *lists = new QGridLayout;
    lists->addWidget(namedControl<QLabel>(this, QStringLiteral("Label2"), QStringLiteral("X [pixel]")), 0, 0);
    lists->addWidget(namedControl<QLabel>(this, QStringLiteral("Label3"), QStringLiteral("Y [pixel]")), 0, 1);
    lists->addWidget(namedControl<QLabel>(this, QStringLiteral("Label4"), QStringLiteral("distanza [metri]")), 0, 2);
    lists->addWidget(m_coordinataXPixelP, 1, 0);
    lists->addWidget(m_coordinataYPixelP, 1, 1);
    lists->addWidget(m_distanzeRealiP, 1, 2);

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

    auto *page = new QHBoxLayout(this);
    page->addWidget(m_vista, 1);
    page->addWidget(panel);
}

void TProspettiva::refreshFromState()
{
    showText(m_fotogrammaIniziale, m_stato.Prospettiva.FotogrammaIniziale);
    m_coordinataXPixelP->refresh();
    m_coordinataYPixelP->refresh();
    m_distanzeRealiP->refresh();
}

void TProspettiva::setIndicator(bool transformed)
{
    m_transformed = transformed;
    QPalette palette = m_led->palette();
    palette.setColor(QPalette::Window, transformed ? QColor(Qt::green) : QColor(Qt::red));
    m_led->setPalette(palette);
    m_info->setText(transformed ? QStringLiteral("trasformate") : QStringLiteral("da trasformare"));
}

void TProspettiva::showFrameNumber()
{
    m_fotogrammaTXT->setText(QString::number(m_stato.FotogrammaProspettiva));
}

void TProspettiva::showReset(const RgbImage &frame)
{
    showFrameNumber();
    m_vista->setFrame(toQImage(frame));
    m_vista->paintOverlay({clearedOverlay()});
    refreshFromState();
    setIndicator(false);
}

void TProspettiva::AzzeraDatiClick()
{
    const std::string file = startReferenceReset(m_stato);
    showFrameNumber();
    const RgbImage frame = readPng(file);
    finishAzzeraDati(m_stato);
    showReset(frame);
    m_app.showModal(m_app.SceltaVersoLetture());
}

void TProspettiva::AzzeraSenzaRichieste()
{
    try {
        showReset(resetReferenceWithoutQuestions(m_stato));
    } catch (...) {
        showFrameNumber(); // the number moved all the same
        throw;
    }
}

void TProspettiva::lucidoClick(QPoint framePixel, QPoint pointerOnScreen)
{
    if (m_stato.SceltaVersoLetture.usoGPS) {
        prepareGpsPoint(m_stato, framePixel.x(), framePixel.y());
        TPuntiGPS *dialog = m_app.PuntiGPS();
        dialog->clearPositions();
        dialog->adjustSize(); // its width is known before the first opening too
        const ScreenPoint topLeft
            = gpsDialogTopLeft({pointerOnScreen.x(), pointerOnScreen.y()}, dialog->frameGeometry().width());
        dialog->openAt({topLeft.x, topLeft.y});
        m_app.showModal(dialog); // the dialog records the point
        refreshFromState();
        return;
    }
    const Drawing marker = recordReferencePoint(m_stato, framePixel.x(), framePixel.y());
    refreshFromState();
    m_vista->paintOverlay(marker);
    m_app.playClickAnimation(this, pointerOnScreen);
}

void TProspettiva::showRecordedPoint(const Drawing &marker)
{
    m_vista->paintOverlay(marker);
    refreshFromState();
}

void TProspettiva::DisegnaPunti()
{
    Drawing drawing;
    try {
        drawReferencePoints(m_stato.Prospettiva, drawing);
    } catch (...) {
        m_vista->paintOverlay(drawing); // the markers made before the bad line stay
        throw;
    }
    showReferencePoints(drawing);
}

void TProspettiva::showReferencePoints(const Drawing &markers)
{
    m_vista->paintOverlay(markers);
    m_app.switchMagnifierOn(m_app.AreaCaptazione());
}

void TProspettiva::stepFrame(int delta)
{
    const std::string file = stepReferenceFrame(m_stato, delta);
    showFrameNumber();
    // Only the frame changes: the overlay keeps its markers.
    m_vista->setFrame(loadFrameImage(file));
}

void TProspettiva::AvanzaFotogrammaClick()
{
    stepFrame(1);
}

void TProspettiva::FotogrammaPrecedenteClick()
{
    stepFrame(-1);
}

void TProspettiva::TrasformazioneClick()
{
    DisegnaPunti();
    const QImage &frame = m_vista->frame();
    runTransformation(m_stato, frame.width(), frame.height());
    setIndicator(true);
}

void TProspettiva::transformBeforeLeaving()
{
    // The later screens need the grid: build it now rather than let the
    // calibration find it missing two screens on.
    try {
        TrasformazioneClick();
    } catch (const std::exception &error) {
        throw RefusalError("Le coordinate sono ancora da trasformare e la trasformazione non è riuscita: "
                           + std::string(error.what())
                           + " Correggere i punti o le distanze, poi premere di nuovo \"Passo successivo\".");
    }
}

void TProspettiva::ConfermaClick()
{
    if (!m_transformed)
        transformBeforeLeaving();
    m_lente->switchOff();
    m_app.switchMagnifierOn(m_app.AreaCaptazione());
    close();
}

} // namespace kalvor::gui
