// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Keys bound to one control of a dialog: what Enter, Esc and F1 do while that
// control has the focus. A key without an action is left to the control.

#include <functional>

class QWidget;

namespace kalvor::gui {

struct ControlKeys
{
    std::function<void()> enter; // Return or the keypad's Enter
    std::function<void()> escape;
    std::function<void()> f1;
};

void bindControlKeys(QWidget *control, ControlKeys keys);

} // namespace kalvor::gui
