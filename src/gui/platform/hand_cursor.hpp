// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The program's hand cursor: most buttons, fields and pictures show it. It is
// the standard cursor until installHandCursor() replaces it; widgets marked
// with useHandCursor() follow every replacement.

#include <QCursor>
#include <QString>

class QWidget;

namespace kalvor::gui {

QCursor handCursor();
void useHandCursor(QWidget *widget);
void installHandCursor(const QCursor &cursor);

// Reads a Windows cursor file (.cur): the first image with its hot spot.
// Returns false, leaving cursor alone, when the file is missing or unreadable.
bool loadCursorFile(const QString &path, QCursor &cursor);

} // namespace kalvor::gui
