// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/platform/guarded.hpp"

#include "common/errors.hpp"

#include <new>

namespace kalvor::gui {

QString errorText(const std::exception &error)
{
    if (dynamic_cast<const std::bad_alloc *>(&error))
        return QStringLiteral("Memoria insufficiente per completare l'operazione.");
    const QString text = QString::fromUtf8(error.what());
    if (dynamic_cast<const kalvor::Error *>(&error) || !text.isEmpty())
        return text;
    return QStringLiteral("Errore inatteso.");
}

void showErrorBox(Platform &platform, QWidget *parent, const std::exception &error)
{
    platform.error(parent, errorText(error));
}

void showUnknownErrorBox(Platform &platform, QWidget *parent)
{
    platform.error(parent, QStringLiteral("Errore inatteso."));
}

} // namespace kalvor::gui
