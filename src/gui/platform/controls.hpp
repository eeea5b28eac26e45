// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/platform/hand_cursor.hpp"

#include <QAbstractButton>
#include <QPushButton>
#include <QString>
#include <QWidget>

namespace kalvor::gui {

// A control with its text, named after its role so tests find it. Buttons get
// the hand cursor and are never the default button, so Enter in a field
// cannot press them.
template<typename Control> Control *namedControl(QWidget *parent, const QString &name, const QString &text)
{
    auto *control = new Control(text, parent);
    control->setObjectName(name);
    if constexpr (std::is_base_of_v<QPushButton, Control>)
        control->setAutoDefault(false);
    if constexpr (std::is_base_of_v<QAbstractButton, Control>)
        useHandCursor(control);
    return control;
}

} // namespace kalvor::gui
