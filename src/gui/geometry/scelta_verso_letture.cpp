// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/geometry/scelta_verso_letture.hpp"

#include "geometry/figura_verso.hpp"
#include "gui/platform/paint_drawing.hpp"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>

namespace kalvor::gui {

namespace {

QPixmap pictureOf(ReadingDirection direction)
{
    QImage image(kDirectionPictureWidth, kDirectionPictureHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    paintDrawing(p, directionPicture(direction));
    return QPixmap::fromImage(image);
}

} // namespace

TSceltaVersoLetture::TSceltaVersoLetture(StatoLavoro &stato, QWidget *parent)
    : QDialog(parent)
    , m_stato(stato)
{
    setObjectName("SceltaVersoLetture");
    setWindowTitle("Come hai preso le misure?");
    setModal(true);

    // Place in the grid and direction of Image1..Image4.
    struct Place
    {
        const char *name;
        int row;
        int column;
        ReadingDirection direction;
    };
    const Place places[4] = {{"Image1", 0, 0, ReadingDirection::Origine00},
                             {"Image2", 1, 1, ReadingDirection::Origine640480},
                             {"Image3", 1, 0, ReadingDirection::Origine0480},
                             {"Image4", 0, 1, ReadingDirection::Origine6400}};
    auto *grid = new QGridLayout;
    for (int i = 0; i < 4; ++i) {
        auto *label = new QLabel(this);
        label->setObjectName(places[i].name);
        label->setPixmap(pictureOf(places[i].direction));
        label->setFixedSize(kDirectionPictureWidth, kDirectionPictureHeight);
        label->setCursor(Qt::PointingHandCursor);
        label->installEventFilter(this);
        grid->addWidget(label, places[i].row, places[i].column);
        m_images[i] = label;
    }
    auto makeHidden = [this](const char *name) {
        auto *box = new QCheckBox(name, this);
        box->setObjectName(name);
        box->setVisible(false);
        box->setEnabled(false);
        return box;
    };
    m_origine00 = makeHidden("Origine00");
    m_origine640480 = makeHidden("Origine640480");
    m_origine0480 = makeHidden("Origine0480");
    m_origine6400 = makeHidden("Origine6400");
    m_usoGPS = new QCheckBox("i riferimenti sono stati presi con coordinate GPS", this);
    m_usoGPS->setObjectName("usoGPS");
    QFont bold = m_usoGPS->font();
    bold.setBold(true);
    m_usoGPS->setFont(bold);
    connect(m_usoGPS, &QCheckBox::toggled, this, [this](bool on) { m_stato.SceltaVersoLetture.usoGPS = on; });

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(m_usoGPS);
    refresh();
}

void TSceltaVersoLetture::refresh()
{
    const StatoSceltaVersoLetture &v = m_stato.SceltaVersoLetture;
    m_origine00->setChecked(v.Origine00);
    m_origine640480->setChecked(v.Origine640480);
    m_origine0480->setChecked(v.Origine0480);
    m_origine6400->setChecked(v.Origine6400);
    m_usoGPS->setChecked(v.usoGPS);
}

void TSceltaVersoLetture::showEvent(QShowEvent *event)
{
    refresh();
    QDialog::showEvent(event);
}

bool TSceltaVersoLetture::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        if (watched == m_images[0])
            Image1Click();
        else if (watched == m_images[1])
            Image2Click();
        else if (watched == m_images[2])
            Image3Click();
        else if (watched == m_images[3])
            Image4Click();
        else
            return QDialog::eventFilter(watched, event);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TSceltaVersoLetture::choose(ReadingDirection direction)
{
    chooseReadingDirection(m_stato.SceltaVersoLetture, direction);
    refresh();
    accept();
}

void TSceltaVersoLetture::Image1Click()
{
    choose(ReadingDirection::Origine00);
}

void TSceltaVersoLetture::Image2Click()
{
    choose(ReadingDirection::Origine640480);
}

void TSceltaVersoLetture::Image3Click()
{
    choose(ReadingDirection::Origine0480);
}

void TSceltaVersoLetture::Image4Click()
{
    choose(ReadingDirection::Origine6400);
}

} // namespace kalvor::gui
