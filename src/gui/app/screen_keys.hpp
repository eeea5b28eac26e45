// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QDialog;

namespace kalvor::gui {

// Keys that a dialog would handle by itself and that the program's screens
// must not: Enter never presses a button the screen did not bind to it, and
// on the screens where the work happens Esc does not close the screen (it
// would skip a step of the work chain). Screens bind their own keys.
void disableAutomaticEnter(QDialog *screen);
void keepOpenOnEscape(QDialog *screen);

} // namespace kalvor::gui
