// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/platform/resources.hpp"

#include <QCoreApplication>
#include <QFileInfo>
#include <QHash>
#include <QPainter>
#include <QSvgRenderer>

namespace kalvor::gui {

QString programFolder()
{
    QString folder = QCoreApplication::applicationDirPath();
    if (!folder.endsWith('/'))
        folder += '/';
    return folder;
}

QString picturePath(const QString &name)
{
    return programFolder() + QStringLiteral("immagini/") + name;
}

QPixmap picture(const QString &name, QSize size)
{
    const QString path = picturePath(name);
    if (!QFileInfo::exists(path))
        return {};
    if (path.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive)) {
        QSvgRenderer renderer(path);
        if (!renderer.isValid())
            return {};
        if (size.isEmpty())
            size = renderer.defaultSize();
        QPixmap pixmap(size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        renderer.render(&painter);
        return pixmap;
    }
    QPixmap pixmap(path);
    if (!size.isEmpty() && !pixmap.isNull())
        pixmap = pixmap.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return pixmap;
}

QPixmap hintPicture(int index)
{
    if (index < 0 || index >= hintPictureCount)
        return {};
    // Drawn once per run: hints and command-link buttons of every screen share them.
    static QHash<int, QPixmap> cache;
    auto found = cache.find(index);
    if (found == cache.end()) {
        const QString name = QStringLiteral("suggerimenti/%1.svg").arg(index, 2, 10, QLatin1Char('0'));
        found = cache.insert(index, picture(name, QSize(hintPictureSize, hintPictureSize)));
    }
    return *found;
}

QIcon hintIcon(int index)
{
    const QPixmap pixmap = hintPicture(index);
    return pixmap.isNull() ? QIcon() : QIcon(pixmap);
}

} // namespace kalvor::gui
