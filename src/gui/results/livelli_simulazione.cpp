// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/results/livelli_simulazione.hpp"

#include "gui/platform/paint_drawing.hpp"
#include "results/simulazione.hpp"

#include <QLabel>
#include <QPainter>
#include <QPixmap>

namespace kalvor::gui {

LivelliSimulazione::LivelliSimulazione(QWidget *parent)
    : QWidget(parent)
    , m_strada(kLarghezzaStrada, kAltezzaStrada, QImage::Format_RGB32)
    , m_veicoli(kLarghezzaStrada, kAltezzaStrada, QImage::Format_ARGB32_Premultiplied)
{
    setFixedSize(kLarghezzaStrada, kAltezzaStrada);
    m_strada.fill(Qt::white);
    m_veicoli.fill(Qt::transparent);
    m_stradaIMG = new QLabel(this);
    m_stradaIMG->setObjectName(QStringLiteral("stradaIMG"));
    m_veicoliIMG = new QLabel(this);
    m_veicoliIMG->setObjectName(QStringLiteral("veicoliIMG"));
    for (QLabel *layer : {m_stradaIMG, m_veicoliIMG}) {
        layer->setGeometry(0, 0, kLarghezzaStrada, kAltezzaStrada);
        layer->setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    m_veicoliIMG->setAttribute(Qt::WA_TranslucentBackground);
    m_stradaIMG->setPixmap(QPixmap::fromImage(m_strada));
    m_veicoliIMG->setPixmap(QPixmap::fromImage(m_veicoli));
    m_veicoliIMG->raise();
}

void LivelliSimulazione::disegnaStrada(const Drawing &strada)
{
    QPainter p(&m_strada);
    paintDrawing(p, strada);
    p.end();
    m_stradaIMG->setPixmap(QPixmap::fromImage(m_strada));
}

void LivelliSimulazione::disegnaVeicoli(const Drawing &veicoli, bool pulisci)
{
    if (pulisci)
        m_veicoli.fill(Qt::transparent);
    QPainter p(&m_veicoli);
    paintDrawing(p, veicoli, WhiteMeans::Transparent);
    p.end();
    m_veicoliIMG->setPixmap(QPixmap::fromImage(m_veicoli));
}

ImmagineScalata::ImmagineScalata(const QString &objectName, QSize minimo, QWidget *parent)
    : QWidget(parent)
{
    setObjectName(objectName);
    setMinimumSize(minimo);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void ImmagineScalata::setImage(const QImage &image)
{
    m_image = image;
    update();
}

void ImmagineScalata::paintEvent(QPaintEvent *)
{
    if (m_image.isNull())
        return;
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    const QSize size = m_image.size().scaled(this->size(), Qt::KeepAspectRatio);
    p.drawImage(QRect(QPoint(0, 0), size), m_image);
}

} // namespace kalvor::gui
