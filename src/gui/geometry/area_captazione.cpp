// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/geometry/area_captazione.hpp"

#include "geometry/area_captazione.hpp"
#include "geometry/lente.hpp"
#include "geometry/segno_punto.hpp"
#include "gui/app/applicazione.hpp"
#include "gui/platform/bindings.hpp"
#include "gui/platform/frame_image.hpp"
#include "gui/platform/guarded.hpp"
#include "gui/platform/hand_cursor.hpp"
#include "gui/platform/hint_balloon.hpp"
#include "gui/platform/lente.hpp"
#include "gui/platform/text_list_edit.hpp"
#include "gui/platform/vista_fotogramma.hpp"
#include "state/stato_lavoro.hpp"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace kalvor::gui {

TAreaCaptazione::TAreaCaptazione(Applicazione &app, StatoLavoro &stato, Platform &platform, QWidget *parent)
    : Screen(app, stato, platform, parent)
{
    setIdentity(QStringLiteral("AreaCaptazione"), QStringLiteral("Definisci l'area di esaminazione"),
                WindowKind::Maximized);

    m_vista = new VistaFotogramma(this);
    connect(m_vista, &VistaFotogramma::clicked, this,
            [this](QPoint pixel, QPoint global) { runGuarded([&] { lucidoClick(pixel, global); }); });
    m_lente = new Lente(kLenteAreaCaptazione, this);
    m_lente->setView(m_vista);

    auto *label1 = new QLabel(QStringLiteral("Fotogramma iniziale"), this);
    label1->setObjectName(QStringLiteral("Label1"));
    m_fotogrammaIniziale
        = boundLineEdit(this, QStringLiteral("FotogrammaIniziale"), m_stato.AreaCaptazione.FotogrammaIniziale);
    setHint(m_fotogrammaIniziale, QStringLiteral("Fotogramma iniziale|numero del primo fotogramma da caricare|7"));
    auto *azzera = new QPushButton(QStringLiteral("AzzeraDati"), this);
    azzera->setObjectName(QStringLiteral("AzzeraDati"));
    azzera->setAutoDefault(false);
    useHandCursor(azzera);
    connectGuarded(azzera, &TAreaCaptazione::AzzeraDatiClick);
    auto *label2 = new QLabel(QStringLiteral("Coordinate"), this);
    label2->setObjectName(QStringLiteral("Label2"));
    m_puntiRiferimento = new TextListEdit(m_stato.AreaCaptazione.PuntiRiferimento, "PuntiRiferimento", this);
    setHint(m_puntiRiferimento, QStringLiteral("coordinate area riferimento (y, x)"));
    auto *conferma = new QPushButton(QStringLiteral("Passo successivo"), this);
    conferma->setObjectName(QStringLiteral("Conferma"));
    conferma->setAutoDefault(false);
    useHandCursor(conferma);
    connectGuarded(conferma, &TAreaCaptazione::ConfermaClick);

    auto *panel = new QWidget(this);
    panel->setMaximumWidth(440);
    auto *side = new QVBoxLayout(panel);
    side->setContentsMargins(0, 0, 0, 0);
    side->addWidget(m_lente, 0, Qt::AlignRight);
    side->addWidget(label1);
    side->addWidget(m_fotogrammaIniziale);
    side->addWidget(azzera);
    side->addWidget(label2);
    side->addWidget(m_puntiRiferimento, 1);
    side->addWidget(conferma);
    auto *page = new QHBoxLayout(this);
    page->addWidget(m_vista, 1);
    page->addWidget(panel);
}

void TAreaCaptazione::refreshFromState()
{
    showText(m_fotogrammaIniziale, m_stato.AreaCaptazione.FotogrammaIniziale);
    m_puntiRiferimento->refresh();
}

void TAreaCaptazione::AzzeraDatiClick()
{
    showCleared(resetArea(m_stato));
}

void TAreaCaptazione::showCleared(const RgbImage &frame)
{
    m_vista->setFrame(toQImage(frame));
    m_vista->paintOverlay({clearedOverlay()});
    refreshFromState();
}

void TAreaCaptazione::showElements(const Drawing &drawing)
{
    m_vista->paintOverlay(drawing);
}

void TAreaCaptazione::lucidoClick(QPoint framePixel, QPoint pointerOnScreen)
{
    Drawing drawing;
    try {
        drawing = recordAreaPoint(m_stato.AreaCaptazione, framePixel.x(), framePixel.y());
    } catch (...) {
        refreshFromState(); // the point is in the list all the same
        throw;
    }
    refreshFromState();
    m_vista->paintOverlay(drawing);
    m_app.playClickAnimation(this, pointerOnScreen);
}

void TAreaCaptazione::disegnaElementi()
{
    Drawing drawing;
    try {
        drawAreaElements(m_stato.AreaCaptazione, drawing);
    } catch (...) {
        showElements(drawing); // what was drawn so far stays
        throw;
    }
    showElements(drawing);
}

void TAreaCaptazione::ConfermaClick()
{
    const QImage &frame = m_vista->frame();
    confirmArea(m_stato.AreaCaptazione, frame.width(), frame.height());
    refreshFromState();
    m_lente->switchOff();
    close();
}

} // namespace kalvor::gui
