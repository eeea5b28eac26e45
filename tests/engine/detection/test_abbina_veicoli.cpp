// SPDX-License-Identifier: GPL-3.0-or-later
#include "detection/abbina_veicoli.hpp"
#include "state/record_veicolo.hpp"
#include "support/scoped_number_format.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace kalvor;

namespace {

// Row 0 of the grid: X = pixel column, so a record centred on pixel column P
// sits at position P metres.
MetricGrid griglia()
{
    MetricGrid g;
    g.resize(1, 400);
    for (int x = 0; x < 400; ++x)
        g.at(0, x, 0) = x;
    return g;
}

void aggiungi(TextList &l, const std::string &numero, const std::string &arco, int posizione, double lunghezza)
{
    appendRecord(l, makeRecord(numero, arco, 3 * posizione - 3, 3 * posizione + 3, lunghezza, 1, 2, 0.4));
}

std::vector<std::string> numeri(const TextList &l)
{
    std::vector<std::string> n;
    for (const int i : findRecords(l))
        n.push_back(recordField(l, i, OffNumero));
    return n;
}

class AbbinaTest : public ::testing::Test
{
protected:
    kalvor::testing::ScopedNumberFormat comma {NumberFormat::comma()};
    MetricGrid g = griglia();
};

} // namespace

TEST_F(AbbinaTest, PrimoFotogrammaNumeratoInOrdine)
{
    TextList att;
    aggiungi(att, "numero", "sup", 100, 4);
    aggiungi(att, "numero", "inf", 50, 4);
    aggiungi(att, "numero", "sup", 200, 4);
    int numero = 7;
    AbbinaVeicoli(att, TextList {}, numero, 50, g);
    EXPECT_EQ(numeri(att), (std::vector<std::string> {"7", "8", "9"}));
    EXPECT_EQ(numero, 10);
}

TEST_F(AbbinaTest, CasiDiUnSoloVeicolo)
{
    struct Caso
    {
        const char *nome;
        std::string arcoPrec;
        int posPrec;
        double lungPrec;
        std::string arco;
        int pos;
        double lung;
        bool tieneNumero;
    };
    const std::vector<Caso> casi = {
        // Pass 1: "sup" moves towards smaller X, Pj - Lj - V <= P <= Pj.
        {"sup forwards", "sup", 103, 5, "sup", 100, 5, true},
        {"sup forwards, lower bound", "sup", 160, 5, "sup", 105, 5, true},
        {"sup beyond the window", "sup", 160, 5, "sup", 104, 5, false},
        // Pass 2: the opposite direction, Pj <= P <= Pj + Lj + V.
        {"sup backwards", "sup", 100, 5, "sup", 130, 5, true},
        {"sup backwards, upper bound", "sup", 100, 5, "sup", 155, 5, true},
        {"sup backwards beyond", "sup", 100, 5, "sup", 156, 5, false},
        {"inf forwards", "inf", 100, 4, "inf", 150, 4, true},
        {"inf backwards", "inf", 100, 4, "inf", 60, 4, true},
        // Pass 3: change of arc, the old arc's direction, Pj excluded.
        {"inf to sup moving right", "inf", 100, 4, "sup", 101, 4, true},
        {"inf to sup at the same place", "inf", 100, 4, "sup", 100, 4, false},
        {"inf to sup moving left", "inf", 100, 4, "sup", 99, 4, false},
        {"sup to inf moving left", "sup", 100, 4, "inf", 99, 4, true},
        {"sup to inf at the same place", "sup", 100, 4, "inf", 100, 4, false},
        // Lengths: within 1 m, both bounds included.
        {"length +1 m", "sup", 100, 6, "sup", 100, 5, true},
        {"length -1 m", "sup", 100, 4, "sup", 100, 5, true},
        {"length +1.0001 m", "sup", 100, 6.0001, "sup", 100, 5, false},
        {"length -1.0001 m", "sup", 100, 3.9999, "sup", 100, 5, false},
    };
    for (const Caso &c : casi) {
        TextList prec;
        aggiungi(prec, "42", c.arcoPrec, c.posPrec, c.lungPrec);
        TextList att;
        aggiungi(att, "numero", c.arco, c.pos, c.lung);
        int numero = 100;
        AbbinaVeicoli(att, prec, numero, 50, g);
        EXPECT_EQ(numeri(att), (std::vector<std::string> {c.tieneNumero ? "42" : "100"})) << c.nome;
        EXPECT_EQ(numero, c.tieneNumero ? 100 : 101) << c.nome;
    }
}

TEST_F(AbbinaTest, DueRecordPerUnVeicoloPrecedente)
{
    TextList prec;
    aggiungi(prec, "3", "sup", 100, 5);
    TextList att;
    aggiungi(att, "numero", "sup", 98, 5);
    aggiungi(att, "numero", "sup", 97, 5);
    int numero = 10;
    AbbinaVeicoli(att, prec, numero, 50, g);
    EXPECT_EQ(numeri(att), (std::vector<std::string> {"3", "10"}));

    // With a second previous vehicle that also fits, the second record takes it.
    aggiungi(prec, "4", "sup", 99, 5);
    TextList att2;
    aggiungi(att2, "numero", "sup", 98, 5);
    aggiungi(att2, "numero", "sup", 97, 5);
    AbbinaVeicoli(att2, prec, numero, 50, g);
    EXPECT_EQ(numeri(att2), (std::vector<std::string> {"3", "4"}));
    EXPECT_EQ(numero, 11);
}

TEST_F(AbbinaTest, PassoUnoPrimaDelPassoDue)
{
    // The first previous record in list order fits backwards only, the second forwards:
    // pass 1 runs over the whole list first.
    TextList prec;
    aggiungi(prec, "1", "sup", 90, 5);
    aggiungi(prec, "2", "sup", 110, 5);
    TextList att;
    aggiungi(att, "numero", "sup", 100, 5);
    int numero = 5;
    AbbinaVeicoli(att, prec, numero, 50, g);
    EXPECT_EQ(numeri(att), (std::vector<std::string> {"2"}));
}

TEST_F(AbbinaTest, AggiornamentoListe)
{
    TextList att, prec, tot;
    aggiungi(prec, "1", "sup", 90, 5);
    aggiungi(tot, "1", "sup", 90, 5);
    // No records: nothing moves.
    updateVehicleLists(att, prec, tot);
    EXPECT_EQ(prec.count(), 9);
    EXPECT_EQ(tot.count(), 9);
    aggiungi(att, "2", "inf", 50, 4);
    aggiungi(att, "3", "inf", 70, 4);
    updateVehicleLists(att, prec, tot);
    EXPECT_EQ(prec, att);
    EXPECT_EQ(tot.count(), 27);
    EXPECT_EQ(numeri(tot), (std::vector<std::string> {"1", "2", "3"}));
}
