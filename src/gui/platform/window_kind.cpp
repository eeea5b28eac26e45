// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/platform/window_kind.hpp"

#include <QWidget>

namespace kalvor::gui {

void applyWindowKind(QWidget *screen, WindowKind kind, QSize size)
{
    const Qt::WindowFlags closeOnly
        = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
    switch (kind) {
    case WindowKind::Maximized:
        screen->setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint
                               | Qt::WindowCloseButtonHint);
        screen->setWindowState(screen->windowState() | Qt::WindowMaximized);
        break;
    case WindowKind::Centred:
    case WindowKind::Dialog:
        screen->setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
        break;
    case WindowKind::FixedCentred:
        screen->setWindowFlags(closeOnly);
        break;
    case WindowKind::Borderless:
        screen->setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
        break;
    case WindowKind::CloseBoxOnly:
    case WindowKind::MouseDialog:
        screen->setWindowFlags(closeOnly);
        break;
    }
    if (!size.isEmpty()) {
        screen->resize(size);
        if (kind == WindowKind::Borderless || kind == WindowKind::FixedCentred)
            screen->setFixedSize(size);
    }
}

} // namespace kalvor::gui
