// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSize>

class QWidget;

namespace kalvor::gui {

// How a screen's window looks and where it opens.
enum class WindowKind {
    Maximized, // centred, maximized
    Centred, // centred over the main screen
    FixedCentred, // centred, not resizable
    Borderless, // no frame at all, centred, fixed size
    CloseBoxOnly, // title bar with the close box only, centred
    MouseDialog, // close box only, placed at the mouse by whoever shows it
    Dialog, // an ordinary dialog
};

// Sets the window flags and state of a screen; size is used by the kinds that have a fixed size.
void applyWindowKind(QWidget *screen, WindowKind kind, QSize size = {});

} // namespace kalvor::gui
