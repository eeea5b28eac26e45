// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/errors.hpp"
#include "state/record_veicolo.hpp"
#include "support/scoped_number_format.hpp"

#include <gtest/gtest.h>

using namespace kalvor;

class RecordVeicoloTest : public ::testing::Test
{
protected:
    kalvor::testing::ScopedNumberFormat comma {NumberFormat::comma()};
};

TEST_F(RecordVeicoloTest, MakeAndAppendWritesNineLines)
{
    TextList l;
    appendRecord(l, makeRecord("numero", "sup", 300, 450, 4.56789, 7.00004, 12, 2.4));
    const std::vector<std::string> expected = {"veicolo", "numero", "sup", "300", "450", "4,5679", "7", "12", "2,4"};
    EXPECT_EQ(l.lines(), expected);
}

TEST_F(RecordVeicoloTest, FindReadAndRemove)
{
    TextList l;
    appendRecord(l, makeRecord("3", "sup", 30, 60, 4, 6, 10, 2));
    appendRecord(l, makeRecord("4", "inf", 90, 120, 5, 8, 10, 2));
    appendRecord(l, makeRecord("5", "inf", 150, 210, 6, 9, 10, 2));
    EXPECT_EQ(findRecords(l), (std::vector<int> {0, 9, 18}));
    EXPECT_EQ(recordField(l, 9, OffArco), "inf");
    EXPECT_EQ(readRecord(l, 18).numero, "5");
    removeRecord(l, 9);
    EXPECT_EQ(l.count(), 18);
    EXPECT_EQ(findRecords(l), (std::vector<int> {0, 9}));
    EXPECT_EQ(readRecord(l, 9).numero, "5");
    EXPECT_THROW(removeRecord(l, 10), ListIndexError);
    EXPECT_THROW(recordField(l, 9, 9), ListIndexError);
}

TEST_F(RecordVeicoloTest, FindIgnoresOtherLinesAndTruncatedRecords)
{
    TextList l {"vuota", "veicolo", "7", "sup", "veicolo"};
    EXPECT_EQ(findRecords(l), (std::vector<int> {1, 4}));
    EXPECT_THROW(readRecord(l, 1), ListIndexError);
}

TEST_F(RecordVeicoloTest, CentreColumnTruncatesTowardZero)
{
    struct Case
    {
        int start, end, mid;
    };
    const Case cases[] = {{300, 450, 375}, {300, 451, 375}, {-3, 0, -1}, {-4, 1, -1}, {0, 0, 0}};
    for (const auto &c : cases)
        EXPECT_EQ(centreByteColumn(c.start, c.end), c.mid);
}
