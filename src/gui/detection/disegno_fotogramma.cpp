// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/detection/disegno_fotogramma.hpp"

#include <QPainter>

namespace kalvor::gui {

QImage immagineQt(const RgbImage &image)
{
    return QImage(image.pixels.data(), image.width, image.height, image.rowBytes(), QImage::Format_RGB888).copy();
}

void disegna(QImage &image, const Drawing &drawing)
{
    QPainter p(&image);
    for (const DrawPrimitive &d : drawing) {
        const QColor pen(d.pen.r, d.pen.g, d.pen.b);
        p.setPen(pen);
        p.setBrush(d.filled ? QBrush(QColor(d.fill.r, d.fill.g, d.fill.b)) : QBrush(Qt::NoBrush));
        switch (d.shape) {
        case Shape::Line:
            p.drawLine(d.x1, d.y1, d.x2, d.y2);
            break;
        case Shape::Rectangle:
            // Columns x1..x2-1 and rows y1..y2-1, whichever corner comes first.
            p.drawRect(QRect(QPoint(std::min(d.x1, d.x2), std::min(d.y1, d.y2)),
                             QPoint(std::max(d.x1, d.x2) - 1, std::max(d.y1, d.y2) - 1)));
            break;
        case Shape::Ellipse:
            p.drawEllipse(QRect(QPoint(d.x1, d.y1), QPoint(d.x2 - 1, d.y2 - 1)));
            break;
        case Shape::Text: {
            QFont font = p.font();
            if (d.textSize > 0)
                font.setPointSize(d.textSize);
            font.setBold(d.bold);
            p.setFont(font);
            p.drawText(QRect(d.x1, d.y1, 2000, 200), Qt::AlignLeft | Qt::AlignTop, QString::fromStdString(d.text));
            break;
        }
        }
    }
}

} // namespace kalvor::gui
