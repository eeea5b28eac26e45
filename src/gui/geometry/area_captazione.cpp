// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/geometry/area_captazione.hpp"

#include "geometry/area_captazione.hpp"
#include "geometry/lente.hpp"
#include "geometry/segno_punto.hpp"
#include "gui/geometry/frame_image.hpp"
#include "gui/geometry/hint_text.hpp"
#include "gui/geometry/lente.hpp"
#include "gui/geometry/run_handler.hpp"
#include "gui/geometry/text_list_edit.hpp"
#include "gui/geometry/vista_fotogramma.hpp"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kalvor::gui {

TAreaCaptazione::TAreaCaptazione(StatoLavoro &stato, QWidget *parent)
    : QDialog(parent)
    , m_stato(stato)
{
    setObjectName("AreaCaptazione");
    setWindowTitle("Definisci l'area di esaminazione");
    setWindowState(Qt::WindowMaximized);

    m_vista = new VistaFotogramma(this);
    connect(m_vista, &VistaFotogramma::clicked, this, &TAreaCaptazione::lucidoClick);
    m_lente = new Lente(kLenteAreaCaptazione, this);
    m_lente->setView(m_vista);

    auto *label1 = new QLabel("Fotogramma iniziale", this);
    label1->setObjectName("Label1");
    m_fotogrammaIniziale = new QLineEdit(QString::fromStdString(stato.AreaCaptazione.FotogrammaIniziale), this);
    m_fotogrammaIniziale->setObjectName("FotogrammaIniziale");
    setHint(m_fotogrammaIniziale, "Fotogramma iniziale|numero del primo fotogramma da caricare|7");
    connect(m_fotogrammaIniziale, &QLineEdit::textEdited, this,
            [this](const QString &t) { m_stato.AreaCaptazione.FotogrammaIniziale = t.toStdString(); });
    auto *azzera = new QPushButton("AzzeraDati", this);
    azzera->setObjectName("AzzeraDati");
    azzera->setAutoDefault(false);
    connect(azzera, &QPushButton::clicked, this, &TAreaCaptazione::AzzeraDatiClick);
    auto *label2 = new QLabel("Coordinate", this);
    label2->setObjectName("Label2");
    m_punti = new TextListEdit(stato.AreaCaptazione.PuntiRiferimento, "PuntiRiferimento", this);
    m_punti->setToolTip("coordinate area riferimento (y, x)");
    m_punti->setProperty("hint", "coordinate area riferimento (y, x)");
    auto *conferma = new QPushButton("Passo successivo", this);
    conferma->setObjectName("Conferma");
    conferma->setAutoDefault(false);
    connect(conferma, &QPushButton::clicked, this, &TAreaCaptazione::ConfermaClick);

    auto *panel = new QWidget(this);
    panel->setMaximumWidth(440);
    auto *side = new QVBoxLayout(panel);
    side->setContentsMargins(0, 0, 0, 0);
    side->addWidget(m_lente, 0, Qt::AlignRight);
    side->addWidget(label1);
    side->addWidget(m_fotogrammaIniziale);
    side->addWidget(azzera);
    side->addWidget(label2);
    side->addWidget(m_punti, 1);
    side->addWidget(conferma);
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(m_vista, 1);
    layout->addWidget(panel);
}

void TAreaCaptazione::refreshList()
{
    m_punti->refresh();
    m_fotogrammaIniziale->setText(QString::fromStdString(m_stato.AreaCaptazione.FotogrammaIniziale));
}

void TAreaCaptazione::AzzeraDatiClick()
{
    runHandler(this, [this] {
        m_vista->setFrame(loadFrameImage(areaFrameFileName(m_stato)));
        m_vista->paintOverlay({clearedOverlay()});
        clearArea(m_stato.AreaCaptazione);
        refreshList();
    });
}

void TAreaCaptazione::lucidoClick(QPoint framePixel, QPoint)
{
    runHandler(this, [&] {
        Drawing drawing;
        try {
            drawing = recordAreaPoint(m_stato.AreaCaptazione, framePixel.x(), framePixel.y());
        } catch (...) {
            refreshList();
            throw;
        }
        refreshList();
        m_vista->paintOverlay(drawing);
        if (m_playMouseAnimation)
            m_playMouseAnimation(30);
    });
}

void TAreaCaptazione::disegnaElementi()
{
    runHandler(this, [this] {
        Drawing drawing;
        try {
            drawAreaElements(m_stato.AreaCaptazione, drawing);
        } catch (...) {
            m_vista->paintOverlay(drawing);
            throw;
        }
        m_vista->paintOverlay(drawing);
    });
}

void TAreaCaptazione::ConfermaClick()
{
    runHandler(this, [this] {
        const QImage &frame = m_vista->frame();
        confirmArea(m_stato.AreaCaptazione, frame.width(), frame.height());
        refreshList();
        m_lente->switchOff();
        accept();
    });
}

} // namespace kalvor::gui
