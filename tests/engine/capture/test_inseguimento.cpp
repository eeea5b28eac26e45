// SPDX-License-Identifier: GPL-3.0-or-later
#include "capture/avanzamento.hpp"
#include "common/errors.hpp"
#include "common/numbers.hpp"
#include "scene/strada_sintetica.hpp"
#include "state/record_veicolo.hpp"
#include "support/scoped_number_format.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace kalvor;

namespace {

// X = 0.5 m per pixel column: pixel column c is at c / 2 m.
const MetricGrid griglia = kalvor::scene::grigliaUniforme(400, 4, 0.5);

// A record centred on metric X (a zero-width record at pixel column 2X).
RecordVeicolo a(const std::string &numero, const char *arco, double x, const char *lunghezza)
{
    const int colonna = static_cast<int>(x * 2) * 3;
    return RecordVeicolo {numero, arco, intText(colonna), intText(colonna), lunghezza, "8", "3", "0,6"};
}

TextList lista(const std::vector<RecordVeicolo> &records)
{
    TextList l;
    for (const auto &r : records)
        appendRecord(l, r);
    return l;
}

std::vector<std::string> numeri(const TextList &l)
{
    std::vector<std::string> n;
    for (const int i : findRecords(l))
        n.push_back(recordField(l, i, OffNumero));
    return n;
}

struct Caso
{
    const char *nome;
    std::vector<RecordVeicolo> prec;
    std::vector<RecordVeicolo> att;
    std::vector<std::string> attesi;
    int contatoreDopo;
};

} // namespace

TEST(InseguiVeicoli, Finestre)
{
    kalvor::testing::ScopedNumberFormat comma {NumberFormat::comma()};
    const std::vector<Caso> casi = {
        {"sup moved 3 m toward smaller X: taken over",
         {a("12", "sup", 103, "4,5")},
         {a("numero", "sup", 100, "5")},
         {"12"},
         20},
        {"sup moved the wrong way", {a("12", "sup", 103, "4,5")}, {a("numero", "sup", 103.5, "5")}, {"20"}, 21},
        {"inf record at 100 m", {a("12", "sup", 103, "4,5")}, {a("numero", "inf", 100, "5")}, {"20"}, 21},
        {"sup at the far end of its window (Xp - Lp - 50)",
         {a("12", "sup", 103, "4,5")},
         {a("numero", "sup", 48.5, "5")},
         {"12"},
         20},
        {"sup just beyond its window", {a("12", "sup", 103, "4,5")}, {a("numero", "sup", 48, "5")}, {"20"}, 21},
        {"inf at the far end of its window", {a("7", "inf", 50, "4")}, {a("numero", "inf", 104, "4")}, {"7"}, 20},
        {"inf moved back", {a("7", "inf", 50, "4")}, {a("numero", "inf", 49.5, "4")}, {"20"}, 21},
        {"Xa = Xp in sup", {a("3", "sup", 80, "4")}, {a("numero", "sup", 80, "4")}, {"3"}, 20},
        {"Xa = Xp in inf", {a("3", "inf", 80, "4")}, {a("numero", "inf", 80, "4")}, {"3"}, 20},
        {"length 2 m shorter", {a("3", "inf", 80, "3")}, {a("numero", "inf", 80, "5")}, {"3"}, 20},
        {"length 2 m longer", {a("3", "inf", 80, "7")}, {a("numero", "inf", 80, "5")}, {"3"}, 20},
        {"length 2,0001 m shorter", {a("3", "inf", 80, "2,9999")}, {a("numero", "inf", 80, "5")}, {"20"}, 21},
        {"length 2,0001 m longer", {a("3", "inf", 80, "7,0001")}, {a("numero", "inf", 80, "5")}, {"20"}, 21},
        {"two records fit one previous: the second takes the next qualifying one",
         {a("3", "inf", 80, "4"), a("4", "inf", 70, "4")},
         {a("numero", "inf", 81, "4"), a("numero", "inf", 82, "4")},
         {"3", "4"},
         20},
        {"two records fit one previous and nothing else: a new number",
         {a("3", "inf", 80, "4")},
         {a("numero", "inf", 81, "4"), a("numero", "inf", 82, "4")},
         {"3", "20"},
         21},
        {"empty previous list: new numbers in list order",
         {},
         {a("numero", "sup", 10, "4"), a("numero", "inf", 20, "4"), a("numero", "sup", 30, "4")},
         {"20", "21", "22"},
         23},
        {"the first qualifying previous record wins",
         {a("8", "sup", 50, "4"), a("9", "sup", 52, "4")},
         {a("numero", "sup", 49, "4")},
         {"8"},
         20},
    };
    for (const Caso &c : casi) {
        SCOPED_TRACE(c.nome);
        TextList att = lista(c.att);
        int contatore = 20;
        InseguiVeicoli(att, lista(c.prec), contatore, 50.0, griglia);
        EXPECT_EQ(numeri(att), c.attesi);
        EXPECT_EQ(contatore, c.contatoreDopo);
    }
}

TEST(InseguiVeicoli, ColonnaFuoriGriglia)
{
    kalvor::testing::ScopedNumberFormat comma {NumberFormat::comma()};
    TextList att = lista({RecordVeicolo {"numero", "sup", "3000", "3000", "4", "8", "1", "0"}});
    int contatore = 0;
    EXPECT_THROW(InseguiVeicoli(att, TextList {}, contatore, 50.0, griglia), ListIndexError);
}

TEST(NumeriDuplicati, OgniRipetizionePrendeIlContatorePiuUno)
{
    kalvor::testing::ScopedNumberFormat comma {NumberFormat::comma()};
    // A counter recomputed below a number still in use: tracking gave 9
    // again as a new number.
    TextList att
        = lista({a("9", "sup", 10, "4"), a("5", "inf", 20, "4"), a("9", "inf", 30, "4"), a("9", "sup", 40, "4")});
    NumeriDuplicati(att, 10);
    EXPECT_EQ(numeri(att), (std::vector<std::string> {"9", "5", "11", "11"}));
    TextList senza = lista({a("1", "sup", 10, "4"), a("2", "sup", 20, "4")});
    NumeriDuplicati(senza, 10);
    EXPECT_EQ(numeri(senza), (std::vector<std::string> {"1", "2"}));
}

TEST(ContatoreDaVeicoliTOT, DalPrimoNumeroODaZero)
{
    kalvor::testing::ScopedNumberFormat comma {NumberFormat::comma()};
    struct C
    {
        std::vector<RecordVeicolo> tot;
        int primo;
        int atteso;
    };
    const std::vector<C> casi = {
        {{a("0", "sup", 1, "4")}, 0, 0}, // only vehicle 0: the caption shows "-1"
        {{a("3", "sup", 1, "4"), a("7", "inf", 1, "4"), a("2", "sup", 1, "4")}, 0, 8},
        {{}, 5, 6},
        {{a("3", "sup", 1, "4")}, 5, 6},
        {{}, 0, 0},
    };
    for (const C &c : casi)
        EXPECT_EQ(contatoreDaVeicoliTOT(lista(c.tot), c.primo), c.atteso);
    EXPECT_THROW(contatoreDaVeicoliTOT(lista({a("x", "sup", 1, "4")}), 0), ConversionError);
}
