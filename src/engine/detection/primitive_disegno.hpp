// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the automatic run draws on a frame, as plain primitives in frame
// pixels; the screen paints them. Rectangles are outlines (clear brush) given
// by two corners; a text is placed by its top left corner.

#include <string>
#include <vector>

namespace kalvor {

enum class ColoreDisegno { Rosso, Giallo, Verde, Blu };

struct PrimitivaDisegno
{
    enum class Tipo { Linea, Rettangolo, Testo };
    Tipo tipo = Tipo::Linea;
    int x1 = 0;
    int y1 = 0;
    int x2 = 0; // unused by a text
    int y2 = 0;
    ColoreDisegno colore = ColoreDisegno::Blu;
    std::string testo;   // text only
    int altezzaTesto = 0; // text only, pixels
    bool operator==(const PrimitivaDisegno &) const = default;
};

using Disegno = std::vector<PrimitivaDisegno>;

} // namespace kalvor
