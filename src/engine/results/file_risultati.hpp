// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The results of a job as text files in one folder, each written whole or
// not at all, in the program's text file form (Windows-1252, CR LF):
// istanti.txt and veicoli.txt (the two table views), valutazione.txt (the
// evaluation report), rilevamenti.txt (the capture's records) and tempi.txt
// (frame number and time, tab-separated, of the frames the times came from).

#include "common/text_list.hpp"
#include "state/stato_lavoro.hpp"

#include <string>

namespace kalvor {

// The first NumeroFotogrammiEstratti rows of TabellaTempiFotogrammi.
TextList testoTempi(const StatoLavoro &stato);

// `cartella` ends with '/' (or is "" for the working folder); FileError
// naming the file that could not be written.
void scriviFileRisultati(const StatoLavoro &stato, const std::string &cartella);

} // namespace kalvor
