// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/geometry/scelta_verso_letture.hpp"

#include "geometry/figura_verso.hpp"
#include "geometry/verso_letture.hpp"
#include "gui/platform/bindings.hpp"
#include "gui/platform/guarded.hpp"
#include "gui/platform/hand_cursor.hpp"
#include "gui/platform/paint_drawing.hpp"
#include "state/stato_lavoro.hpp"

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

TSceltaVersoLetture::TSceltaVersoLetture(Applicazione &app, StatoLavoro &stato, Platform &platform, QWidget *parent)
    : Screen(app, stato, platform, parent)
{
    setIdentity(QStringLiteral("SceltaVersoLetture"), QStringLiteral("Come hai preso le misure?"), WindowKind::Centred);

    // Image1..Image4: place in the two-by-two grid and the direction each picture draws.
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
        label->setObjectName(QString::fromLatin1(places[i].name));
        label->setPixmap(pictureOf(places[i].direction));
        label->setFixedSize(kDirectionPictureWidth, kDirectionPictureHeight);
        useHandCursor(label);
        label->installEventFilter(this);
        grid->addWidget(label, places[i].row, places[i].column);
        m_images[i] = label;
    }

    auto &scelta = m_stato.SceltaVersoLetture;
    m_origine00 = boundCheckBox(this, QStringLiteral("Origine00"), QStringLiteral("Origine00"), scelta.Origine00);
    m_origine640480
        = boundCheckBox(this, QStringLiteral("Origine640480"), QStringLiteral("Origine640480"), scelta.Origine640480);
    m_origine0480
        = boundCheckBox(this, QStringLiteral("Origine0480"), QStringLiteral("Origine0480"), scelta.Origine0480);
    m_origine6400
        = boundCheckBox(this, QStringLiteral("Origine6400"), QStringLiteral("Origine6400"), scelta.Origine6400);
    for (QCheckBox *hidden : {m_origine00, m_origine640480, m_origine0480, m_origine6400})
        hidden->hide();
    m_usoGPS = boundCheckBox(this, QStringLiteral("usoGPS"),
                             QStringLiteral("i riferimenti sono stati presi con coordinate GPS"), scelta.usoGPS);
    QFont bold = m_usoGPS->font();
    bold.setBold(true);
    m_usoGPS->setFont(bold);

    auto *page = new QVBoxLayout(this);
    page->addLayout(grid);
    page->addWidget(m_usoGPS);
}

void TSceltaVersoLetture::refreshFromState()
{
    const auto &scelta = m_stato.SceltaVersoLetture;
    showCheck(m_origine00, scelta.Origine00);
    showCheck(m_origine640480, scelta.Origine640480);
    showCheck(m_origine0480, scelta.Origine0480);
    showCheck(m_origine6400, scelta.Origine6400);
    showCheck(m_usoGPS, scelta.usoGPS);
}

bool TSceltaVersoLetture::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        void (TSceltaVersoLetture::*handlers[4])()
            = {&TSceltaVersoLetture::Image1Click, &TSceltaVersoLetture::Image2Click, &TSceltaVersoLetture::Image3Click,
               &TSceltaVersoLetture::Image4Click};
        for (int i = 0; i < 4; ++i)
            if (watched == m_images[i]) {
                runGuarded([&] { (this->*handlers[i])(); });
                return true;
            }
    }
    return QDialog::eventFilter(watched, event);
}

void TSceltaVersoLetture::Image1Click()
{
    chooseReadingDirection(m_stato.SceltaVersoLetture, ReadingDirection::Origine00);
    refreshFromState();
    close();
}

void TSceltaVersoLetture::Image2Click()
{
    chooseReadingDirection(m_stato.SceltaVersoLetture, ReadingDirection::Origine640480);
    refreshFromState();
    close();
}

void TSceltaVersoLetture::Image3Click()
{
    chooseReadingDirection(m_stato.SceltaVersoLetture, ReadingDirection::Origine0480);
    refreshFromState();
    close();
}

void TSceltaVersoLetture::Image4Click()
{
    chooseReadingDirection(m_stato.SceltaVersoLetture, ReadingDirection::Origine6400);
    refreshFromState();
    close();
}

} // namespace kalvor::gui
