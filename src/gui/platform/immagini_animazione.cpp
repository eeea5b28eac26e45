// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/platform/immagini_animazione.hpp"

#include <QDir>
#include <QImage>

namespace kalvor::gui {

QImage withKeyColourTransparent(const QImage &source)
{
    QImage image = source.convertToFormat(QImage::Format_ARGB32);
    if (image.isNull())
        return image;
    const QRgb key = image.pixel(0, image.height() - 1) | 0xff000000u;
    for (int y = 0; y < image.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if ((row[x] | 0xff000000u) == key)
                row[x] = 0;
    }
    return image;
}

AnimationPictures loadAnimationPictures(const QString &folder, QStringList &missing)
{
    AnimationPictures pictures;
    for (int n = 1; n <= animationPictureCount; ++n) {
        const QString path = folder + QStringLiteral("Animazioni mouse/Animazione mouse %1.bmp").arg(n);
        const QImage image(path);
        if (image.isNull()) {
            missing << QDir::toNativeSeparators(path);
            continue;
        }
        pictures[static_cast<size_t>(n - 1)] = QPixmap::fromImage(withKeyColourTransparent(image));
    }
    return pictures;
}

} // namespace kalvor::gui
