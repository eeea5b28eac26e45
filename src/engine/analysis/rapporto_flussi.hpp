// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The flow figures as a text view: the section and the interval length, then
// per arc a tab-separated table of its intervals and a line for the whole
// observation. Two decimals in the user's decimal separator, "-" where a
// figure is undefined.

#include "analysis/analisi_traffico.hpp"
#include "common/text_list.hpp"

namespace kalvor {

TextList rapportoFlussi(const AnalisiTraffico &a);

} // namespace kalvor
