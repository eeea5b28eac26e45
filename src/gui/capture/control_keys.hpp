// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A key bound to one control: what it does while that control has the focus.
// Other keys, and the key with a modifier held, are left to the control.

#include <functional>

class QWidget;

namespace kalvor::gui {

// Qt::Key_Return binds the keypad's Enter as well.
void bindKey(QWidget *control, int key, std::function<void()> action);

} // namespace kalvor::gui
