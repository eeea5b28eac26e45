// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/app/controindicazioni.hpp"

#include "gui/platform/hand_cursor.hpp"
#include "gui/platform/picture_control.hpp"
#include "gui/platform/resources.hpp"

#include <QMouseEvent>

namespace kalvor::gui {

TControindicazioni::TControindicazioni(Applicazione &app, StatoLavoro &stato, Platform &platform, QWidget *parent)
    : Screen(app, stato, platform, parent)
{
    setIdentity(QStringLiteral("Controindicazioni"), QStringLiteral("Controindicazioni"), WindowKind::Borderless,
                QSize(785, 561));

    auto *sfondo = new PictureControl(this, QStringLiteral("sfondo"));
    sfondo->setGeometry(0, 0, 785, 561);
    sfondo->setScaledContents(true);
    sfondo->setPixmap(picture(QStringLiteral("sfondo_controindicazioni.svg"), QSize(785, 561)));

    auto *image2 = new PictureControl(this, QStringLiteral("Image2"));
    image2->setGeometry(545, 321, 220, 220);
    image2->setPixmap(picture(QStringLiteral("calcolatore_arrabbiato.svg"), QSize(220, 220)));

    auto *label11 = new ClickableLabel(QStringLiteral("Controindicazioni"), this, QStringLiteral("Label11"));
    label11->setGeometry(40, 40, 705, 90);
    label11->setAlignment(Qt::AlignCenter);
    label11->setStyleSheet(QStringLiteral("color: #ffd400; font-family: 'DejaVu Serif'; font-size: 44pt;"
                                          " font-weight: bold; font-style: italic;"));

    auto *label1 = new ClickableLabel(QStringLiteral("ATTENZIONE !!!!!"), this, QStringLiteral("Label1"));
    label1->setGeometry(60, 170, 480, 50);
    label1->setStyleSheet(QStringLiteral("color: #ffffff; font-size: 24pt; font-weight: bold;"));

    auto *testo = new ClickableLabel(QStringLiteral("può provocare nervorismo, crisi psico-neuro-attive, "
                                                    "aggressività e ritorsioni contro i calcolatori"),
                                     this, QStringLiteral("testo"));
    testo->setGeometry(60, 240, 460, 200);
    testo->setWordWrap(true);
    testo->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    testo->setStyleSheet(QStringLiteral("color: #fff6d8; font-size: 18pt;"));

    for (auto *picture : {sfondo, image2}) {
        useHandCursor(picture);
        connect(picture, &PictureControl::clicked, this, &TControindicazioni::sfondoClick);
    }
    for (auto *label : {label11, label1, testo}) {
        useHandCursor(label);
        connect(label, &ClickableLabel::clicked, this, &TControindicazioni::sfondoClick);
    }
}

void TControindicazioni::sfondoClick()
{
    close();
}

void TControindicazioni::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        sfondoClick();
        return;
    }
    QDialog::mousePressEvent(event);
}

} // namespace kalvor::gui
