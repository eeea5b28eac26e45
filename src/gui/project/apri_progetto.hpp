// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "project/project_reader.hpp"

#include <QString>

namespace kalvor::gui {

class Applicazione;

// Reads a project file into the job state and shows each step on its screen;
// progress receives the percentage read. Throws as the engine's reader does.
void readProjectFile(Applicazione &app, const QString &fileName, const ProjectProgress &progress);

} // namespace kalvor::gui
