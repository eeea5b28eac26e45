// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Balloon hints in the style of the main screen: a hint text is
// "title|text|picture", picture being an index into ListaImmaginiHint. A text
// without bars is a plain text; a missing or bad index shows no picture.

#include <QPoint>
#include <QString>

class QWidget;

namespace kalvor::gui {

struct Hint
{
    QString title;
    QString text;
    int picture = -1; // index into ListaImmaginiHint, -1 for none
};

Hint parseHint(const QString &hint);

// Gives the widget its balloon hint, shown when the mouse rests on it.
void setHint(QWidget *widget, const QString &hint);
// The hint text set on the widget, or an empty text.
QString hintOf(const QWidget *widget);

// Shows the balloon of a hint at a screen position (one balloon at a time)
// and returns it; it closes when the mouse leaves its widget or clicks.
QWidget *showHintBalloon(const Hint &hint, const QPoint &globalPos, QWidget *anchor = nullptr);
void hideHintBalloon();

} // namespace kalvor::gui
