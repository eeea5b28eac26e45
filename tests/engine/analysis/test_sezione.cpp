// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/analisi_traffico.hpp"
#include "righe_esempio.hpp"

#include <gtest/gtest.h>

using namespace kalvor;

// The axis runs from (row 1, column 0) to (row 2, column 3) of a 3 x 4 grid
// where X is 4 and 20 m; the sightings span X from 0 to 30 m.
TEST(Sezione, HalfwayAlongTheAreaAxisOrTheMiddleOfTheSightings)
{
    struct Caso
    {
        const char *nome;
        TextList punti;
        bool griglia;
        bool avvistamenti;
        double sezione;
    };
    const Caso casi[] = {
        {"area and grid", {"1", "0", "2", "3", "0", "0", "2", "0"}, true, true, 12.0},
        {"two points are enough", {"1", "0", "2", "3"}, true, true, 12.0},
        {"no grid", {"1", "0", "2", "3"}, false, true, 15.0},
        {"a point outside the grid", {"1", "0", "2", "4"}, true, true, 15.0},
        {"not a number", {"1", "0", "due", "3"}, true, true, 15.0},
        {"no area", {}, true, true, 15.0},
        {"nothing at all", {}, false, false, 0.0},
    };
    for (const Caso &c : casi) {
        StatoLavoro s;
        s.AreaCaptazione.PuntiRiferimento = c.punti;
        if (c.griglia) {
            s.GrigliaMetrica.resize(3, 4);
            s.GrigliaMetrica.at(1, 0, 0) = 4.0;
            s.GrigliaMetrica.at(2, 3, 0) = 20.0;
        }
        if (c.avvistamenti)
            s.TabellaIstanti = kalvor::testing::tabellaEsempio();
        EXPECT_DOUBLE_EQ(sezioneDiRiferimento(s), c.sezione) << c.nome;
    }
}
