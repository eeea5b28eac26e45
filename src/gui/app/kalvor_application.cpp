// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/app/kalvor_application.hpp"

#include "gui/platform/guarded.hpp"

namespace kalvor::gui {

KalvorApplication::KalvorApplication(int &argc, char **argv)
    : QApplication(argc, argv)
{
}

bool KalvorApplication::notify(QObject *receiver, QEvent *event)
{
    if (!m_platform)
        return QApplication::notify(receiver, event);
    bool result = false;
    guarded(activeWindow(), *m_platform, [&] { result = QApplication::notify(receiver, event); });
    return result;
}

} // namespace kalvor::gui
