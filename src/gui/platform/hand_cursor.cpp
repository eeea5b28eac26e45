// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/platform/hand_cursor.hpp"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QPixmap>
#include <QWidget>

namespace kalvor::gui {

namespace {

const char *const handProperty = "kalvorHandCursor";

QCursor &currentHand()
{
    static QCursor cursor(Qt::ArrowCursor);
    return cursor;
}

quint16 le16(const QByteArray &bytes, int at)
{
    return static_cast<quint16>(static_cast<quint8>(bytes[at]) | (static_cast<quint8>(bytes[at + 1]) << 8));
}

} // namespace

QCursor handCursor()
{
    return currentHand();
}

void useHandCursor(QWidget *widget)
{
    widget->setProperty(handProperty, true);
    widget->setCursor(currentHand());
}

void installHandCursor(const QCursor &cursor)
{
    currentHand() = cursor;
    for (QWidget *widget : QApplication::allWidgets())
        if (widget->property(handProperty).toBool())
            widget->setCursor(cursor);
}

bool loadCursorFile(const QString &path, QCursor &cursor)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.readAll();
    // Header: reserved 0, type 2 (cursor), image count; then 16-byte entries
    // whose "planes" and "bit count" words hold the hot spot.
    if (bytes.size() < 22 || le16(bytes, 0) != 0 || le16(bytes, 2) != 2 || le16(bytes, 4) < 1)
        return false;
    const int hotX = le16(bytes, 6 + 4);
    const int hotY = le16(bytes, 6 + 6);
    QImage image;
    if (!image.loadFromData(bytes, "CUR") && !image.loadFromData(bytes, "ICO"))
        return false;
    if (image.isNull())
        return false;
    cursor = QCursor(QPixmap::fromImage(image), hotX, hotY);
    return true;
}

} // namespace kalvor::gui
