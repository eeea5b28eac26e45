// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/platform/platform.hpp"

namespace kalvor {
struct StatoLavoro;
}

namespace kalvor::gui {

// DialogoSalvaExcel: where the per-vehicle workbook goes.
FileDialogOptions DialogoSalvaExcel();

// What the results screen's EsportaDatiClick does: asks for the file and
// writes the workbook of TabellaVeicoli into it; cancelling writes nothing.
void exportWorkbook(QWidget *parent, StatoLavoro &stato, Platform &platform);

} // namespace kalvor::gui
