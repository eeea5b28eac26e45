// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/project/apri_progetto.hpp"

#include "common/errors.hpp"

namespace kalvor::gui {

void readProjectFile(Applicazione &, const QString &fileName)
{
    // The project reader is not part of this build yet: refuse rather than pretend.
    throw RefusalError("Impossibile aprire \"" + fileName.toStdString()
                       + "\": la lettura dei progetti non è ancora disponibile.");
}

} // namespace kalvor::gui
