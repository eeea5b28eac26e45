// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/errors.hpp"
#include "common/numbers.hpp"
#include "common/printable.hpp"

#include <gtest/gtest.h>

using namespace kalvor;

TEST(Printable, EscapesControlsAndCutsLongValues)
{
    using namespace std::string_literals;
    struct Case
    {
        std::string value;
        std::size_t max;
        std::string expected;
    };
    const Case cases[] = {
        {"7\0"s, 200, "7\\x00"},
        {"a\nb\r\tc"s, 200, "a\\nb\\r\\tc"},
        {"\x1b[2J\x7f"s, 200, "\\x1b[2J\\x7f"},
        {"perché è così", 200, "perché è così"},
        {"perché", 5, "perch…"},
        {"abcdef", 6, "abcdef"},
        {"abcdefg", 6, "abcdef…"},
        {"\xff\xfe"s, 200, "\\xff\\xfe"}, // not UTF-8
        {"\xc3"s, 200, "\\xc3"}, // a sequence cut short
        {"\xed\xa0\x80"s, 200, "\\xed\\xa0\\x80"}, // a surrogate
        {"€\0€"s, 2, "€\\x00…"},
        {"", 200, ""},
    };
    for (const Case &c : cases)
        EXPECT_EQ(printable(c.value, c.max), c.expected) << c.value;
    EXPECT_EQ(printable(std::string(1000, 'x')), std::string(200, 'x') + "…");
}

TEST(Printable, AValueWithANulIsQuotedWhole)
{
    // The message used to end at the NUL: "'7" and nothing after.
    try {
        toInt(std::string("7\0", 2));
        ADD_FAILURE();
    } catch (const ConversionError &e) {
        EXPECT_STREQ(e.what(), "'7\\x00' non è un valore intero valido.");
    }
}
