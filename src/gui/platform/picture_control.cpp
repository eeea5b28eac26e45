// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/platform/picture_control.hpp"

#include <QMouseEvent>

namespace kalvor::gui {

PictureControl::PictureControl(QWidget *parent, const QString &objectName)
    : QLabel(parent)
{
    setObjectName(objectName);
}

void PictureControl::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        event->accept();
        emit clicked();
        return;
    }
    QLabel::mousePressEvent(event);
}

ClickableLabel::ClickableLabel(const QString &text, QWidget *parent, const QString &objectName)
    : QLabel(text, parent)
{
    setObjectName(objectName);
}

void ClickableLabel::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        event->accept();
        emit clicked();
        return;
    }
    QLabel::mousePressEvent(event);
}

} // namespace kalvor::gui
