// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace kalvor::gui {

// Installs Qt's own Italian texts (standard buttons, file dialogs) from
// `folder`, Qt's translations folder when empty. Returns false, and leaves
// Qt's English texts, when no Italian catalogue is found there: the program
// still runs, only Qt's dialogs speak English.
bool installQtItalian(const QString &folder = {});

} // namespace kalvor::gui
