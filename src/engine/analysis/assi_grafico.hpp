// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A chart: a drawing of a given size in pixels, and the plot area inside it
// that maps data values to pixels. Values grow to the right and upwards; the
// bounds of the plot area are the pixels of its frame.

#include "common/drawing.hpp"

#include <string>

namespace kalvor {

struct Grafico
{
    int larghezza = 0;
    int altezza = 0;
    Drawing disegno;
};

struct AreaGrafico
{
    int sinistra = 0; // pixel of x0
    int alto = 0; // pixel of y1
    int destra = 0; // pixel of x1
    int basso = 0; // pixel of y0
    double x0 = 0.0;
    double x1 = 1.0;
    double y0 = 0.0;
    double y1 = 1.0;

    int px(double x) const;
    int py(double y) const;
};

// A tick step of 1, 2 or 5 times a power of ten giving at most about
// `massimo` steps over the span; 1 for an empty span.
double passoTacche(double ampiezza, int massimo);

struct TitoliAssi
{
    std::string x;
    std::string y;
};

// The frame of the plot area, ticks at the whole multiples of each step with
// their values (the user's decimal separator), and the two axis titles.
void disegnaAssi(Drawing &d, const AreaGrafico &area, const TitoliAssi &titoli, double passoX, double passoY);

} // namespace kalvor
