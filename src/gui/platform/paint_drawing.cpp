// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/platform/paint_drawing.hpp"

#include "common/raster.hpp"

#include <QFont>
#include <QPainter>
#include <QPolygon>

namespace kalvor::gui {

QColor toQColor(Rgb colour)
{
    return QColor(colour.r, colour.g, colour.b);
}

namespace {

QColor paintColour(Rgb colour, WhiteMeans white)
{
    if (white == WhiteMeans::Transparent && colour == colors::white)
        return Qt::transparent;
    return toQColor(colour);
}

// The engine's pixels of the line: Qt's own line rule differs on slopes.
void drawLineExcludingEnd(QPainter &p, const DrawPrimitive &d)
{
    const std::vector<PixelPoint> pixels = linePixels(d.x1, d.y1, d.x2, d.y2);
    QPolygon points(static_cast<int>(pixels.size()));
    for (int i = 0; i < points.size(); ++i)
        points[i] = QPoint(pixels[static_cast<std::size_t>(i)].x, pixels[static_cast<std::size_t>(i)].y);
    p.drawPoints(points);
}

} // namespace

void paintDrawing(QPainter &painter, const Drawing &drawing, WhiteMeans white)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (const DrawPrimitive &d : drawing) {
        const QColor pen = paintColour(d.pen, white);
        const bool erase = pen.alpha() == 0 || (d.filled && paintColour(d.fill, white).alpha() == 0);
        painter.setCompositionMode(erase ? QPainter::CompositionMode_Source : QPainter::CompositionMode_SourceOver);
        QPen qpen(pen);
        qpen.setWidth(0);
        painter.setPen(qpen);
        painter.setBrush(d.filled ? QBrush(paintColour(d.fill, white)) : QBrush(Qt::NoBrush));
        const QRect box(QPoint(std::min(d.x1, d.x2), std::min(d.y1, d.y2)),
                        QPoint(std::max(d.x1, d.x2) - 1, std::max(d.y1, d.y2) - 1));
        switch (d.shape) {
        case Shape::Line:
            drawLineExcludingEnd(painter, d);
            break;
        case Shape::Rectangle:
            if (d.filled)
                painter.fillRect(box, painter.brush());
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(box.adjusted(0, 0, -1, -1));
            break;
        case Shape::Ellipse:
            painter.drawEllipse(box.adjusted(0, 0, -1, -1));
            break;
        case Shape::Text: {
            QFont font = painter.font();
            if (d.textSize > 0)
                font.setPointSize(d.textSize);
            font.setBold(d.bold);
            painter.setFont(font);
            painter.drawText(QRect(d.x1, d.y1, 4000, 4000), Qt::AlignLeft | Qt::AlignTop,
                             QString::fromStdString(d.text));
            break;
        }
        }
    }
    painter.restore();
}

} // namespace kalvor::gui
