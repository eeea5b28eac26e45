// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/platform/platform.hpp"

namespace kalvor {
struct StatoLavoro;
}

namespace kalvor::gui {

// DialogoSalvaExcel: where the per-vehicle workbook goes.
FileDialogOptions DialogoSalvaExcel();

// The body of the results screen's EsportaDatiClick: asks for the file and
// writes the workbook of TabellaVeicoli into it; cancelling writes nothing.
void EsportaDatiClick(QWidget *parent, StatoLavoro &stato, Platform &platform);

} // namespace kalvor::gui
