// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The choice of the detection profile beside a detection screen's
// parameters, bound to the screen's item like the parameter fields: choosing
// an entry writes the item at once, so that the background and the run that
// follow use it; showProfile() puts the item back on the choice.

#include "state/profilo_rilevamento.hpp"

class QComboBox;
class QWidget;

namespace kalvor::gui {

// "ProfiloRilevamento", with the entries "predefinito" and "robusto".
QComboBox *boundProfileChoice(QWidget *parent, ProfiloRilevamento &item);
void showProfile(QComboBox *choice, ProfiloRilevamento item);

} // namespace kalvor::gui
