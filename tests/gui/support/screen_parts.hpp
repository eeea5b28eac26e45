// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The parts of a screen a test looks at, found by type or control name: the
// screens keep their widgets private.

#include "gui/platform/lente.hpp"
#include "gui/platform/vista_fotogramma.hpp"

#include <QTimer>

namespace kalvor::testing {

inline QTimer *magnifierTimer(QWidget *screen)
{
    return screen->findChild<QTimer *>(QStringLiteral("ingrandimento_TIMER"));
}

inline gui::VistaFotogramma *frameView(QWidget *screen)
{
    return screen->findChild<gui::VistaFotogramma *>();
}

inline gui::Lente *magnifier(QWidget *screen)
{
    return screen->findChild<gui::Lente *>();
}

} // namespace kalvor::testing
