// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Balloon hints of three fields "title|text|picture index": kept whole in the
// widget's property "hint", shown as a tool tip with a bold title.

#include <QString>

class QWidget;

namespace kalvor::gui {

void setHint(QWidget *widget, const QString &threeFields);

} // namespace kalvor::gui
