// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/geometry/hint_text.hpp"

#include <QStringList>
#include <QWidget>

namespace kalvor::gui {

void setHint(QWidget *widget, const QString &threeFields)
{
    widget->setProperty("hint", threeFields);
    const QStringList parts = threeFields.split('|');
    const QString title = parts.value(0).toHtmlEscaped();
    const QString text = parts.value(1).toHtmlEscaped();
    widget->setToolTip("<b>" + title + "</b><br>" + text);
}

} // namespace kalvor::gui
