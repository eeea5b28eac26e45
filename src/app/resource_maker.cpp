// SPDX-License-Identifier: GPL-3.0-or-later
// Draws the program's bitmap resources into the folder of the executables at
// build time: the eleven mouse-animation pictures ("Animazioni mouse/
// Animazione mouse N.bmp") and the hand cursor "Mouse1.cur". The vector
// pictures are committed as SVG and only copied.

#include <QBuffer>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QtEndian>

#include <cstdio>

namespace {

// The colour of the bottom-left pixel is the transparent colour of a bitmap picture.
const QColor transparentKey(255, 0, 255);
const QColor accent(232, 119, 46);
const QColor ink(43, 43, 43);
const QColor paper(255, 251, 232);

// The classic arrow pointer, tip at the origin, 1 unit = 1 pixel at scale 1.
QPolygonF arrowPointer(double scale)
{
    const QPointF points[] = {{0, 0}, {0, 17}, {4, 13}, {7, 20}, {10, 19}, {7, 12}, {12, 12}};
    QPolygonF polygon;
    for (const QPointF &p : points)
        polygon << p * scale;
    return polygon;
}

// Picture k of the click animation (k = 0: the button is down; 10: at rest).
// The picture is placed so that the mouse pointer sits at (14, 14).
QImage animationPicture(int k)
{
    QImage image(105, 105, QImage::Format_RGB32);
    image.fill(transparentKey);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false); // keyed transparency: no blended edges
    const QPointF tip(14, 14);
    const double spread = (10 - k) / 10.0; // 1 when pressed, 0 at rest

    // Waves spreading from the pointer into the lower right quarter.
    for (int ring = 0; ring < 3; ++ring) {
        const double radius = 16 + ring * 16 + spread * 22;
        if (radius > 88)
            continue;
        const int width = 5 - ring;
        QColor colour = ring == 0 ? accent : (ring == 1 ? accent.darker(115) : QColor(246, 190, 120));
        if (k > 7 && ring > 0)
            continue; // at rest only the inner wave remains
        painter.setPen(QPen(colour, width, Qt::SolidLine, Qt::FlatCap));
        painter.setBrush(Qt::NoBrush);
        const QRectF box(tip.x() - radius, tip.y() - radius, 2 * radius, 2 * radius);
        painter.drawArc(box, -8 * 16, -74 * 16);
    }
    // The pointer itself, pressed a pixel down while the button is down.
    const QPointF offset = tip + (k <= 1 ? QPointF(1, 1) : QPointF(0, 0));
    QPolygonF pointer = arrowPointer(1.6).translated(offset);
    painter.setPen(QPen(ink, 2));
    painter.setBrush(k <= 1 ? accent : paper);
    painter.drawPolygon(pointer);
    painter.end();
    return image;
}

// The hand cursor: an arrow in the program's colours, hot spot at the tip.
QImage cursorPicture()
{
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(ink, 1.5));
    painter.setBrush(accent);
    painter.drawPolygon(arrowPointer(1.3).translated(1.5, 1.5));
    painter.setPen(QPen(paper, 1.2));
    painter.drawLine(QPointF(4, 7), QPointF(4, 17));
    painter.end();
    return image;
}

void put16(QByteArray &bytes, quint16 value)
{
    bytes.append(char(value & 0xff));
    bytes.append(char(value >> 8));
}

void put32(QByteArray &bytes, quint32 value)
{
    for (int shift = 0; shift < 32; shift += 8)
        bytes.append(char((value >> shift) & 0xff));
}

// A Windows cursor file: one 32-bit image with its AND mask and hot spot.
QByteArray cursorFile(const QImage &source, int hotX, int hotY)
{
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    const int w = image.width();
    const int h = image.height();
    const int maskStride = ((w + 31) / 32) * 4;
    QByteArray dib;
    put32(dib, 40);
    put32(dib, quint32(w));
    put32(dib, quint32(2 * h)); // colour rows then mask rows
    put16(dib, 1);
    put16(dib, 32);
    put32(dib, 0);
    put32(dib, quint32(w * h * 4 + maskStride * h));
    put32(dib, 0);
    put32(dib, 0);
    put32(dib, 0);
    put32(dib, 0);
    for (int y = h - 1; y >= 0; --y)
        for (int x = 0; x < w; ++x) {
            const QRgb p = image.pixel(x, y);
            dib.append(char(qBlue(p)));
            dib.append(char(qGreen(p)));
            dib.append(char(qRed(p)));
            dib.append(char(qAlpha(p)));
        }
    for (int y = h - 1; y >= 0; --y) {
        QByteArray row(maskStride, '\0');
        for (int x = 0; x < w; ++x)
            if (qAlpha(image.pixel(x, y)) == 0)
                row[x / 8] = char(row[x / 8] | (0x80 >> (x % 8)));
        dib.append(row);
    }
    QByteArray file;
    put16(file, 0);
    put16(file, 2); // cursor
    put16(file, 1);
    file.append(char(w));
    file.append(char(h));
    file.append(char(0));
    file.append(char(0));
    put16(file, quint16(hotX));
    put16(file, quint16(hotY));
    put32(file, quint32(dib.size()));
    put32(file, 6 + 16);
    file.append(dib);
    return file;
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "kalvor-resources: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: kalvor-resources <output folder>\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!out.mkpath(QStringLiteral("Animazioni mouse")))
        return 1;
    for (int n = 1; n <= 11; ++n) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        if (!animationPicture(n - 1).save(&buffer, "BMP"))
            return 1;
        if (!writeFile(out.filePath(QStringLiteral("Animazioni mouse/Animazione mouse %1.bmp").arg(n)), bytes))
            return 1;
    }
    if (!writeFile(out.filePath(QStringLiteral("Mouse1.cur")), cursorFile(cursorPicture(), 2, 2)))
        return 1;
    return 0;
}
