// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/platform/guarded.hpp"

#include "common/errors.hpp"

namespace kalvor::gui {

QString errorText(const std::exception &error)
{
    return QString::fromStdString(kalvor::userMessage(error));
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
