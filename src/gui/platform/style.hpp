// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QApplication;

namespace kalvor::gui {

// The program's colours on every standard control: cream pages, blue
// headings and buttons, orange accents (the palette of the pictures).
void applyProgramStyle(QApplication &application);

} // namespace kalvor::gui
