// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace kalvor::gui {

class Applicazione;

// Reads a project file chosen on the main screen into the screens and the job
// state, then walks the chain of work screens (returns when it has ended).
void readProjectFile(Applicazione &app, const QString &fileName);

} // namespace kalvor::gui
