// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/errors.hpp"
#include "common/numbers.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <limits>

using namespace kalvor;

namespace {

const NumberFormat kComma = NumberFormat::comma();
const NumberFormat kDot = NumberFormat::dot();

// Writes the expectation with a comma and checks it with both separators.
std::string withSep(std::string s, const NumberFormat &f)
{
    for (char &c : s)
        if (c == ',')
            c = f.decimalSeparator;
    return s;
}

} // namespace

TEST(Numbers, StrictIntegers)
{
    struct Case
    {
        const char *text;
        std::int32_t value;
    };
    const Case ok[] = {{"0", 0},
                       {"12", 12},
                       {"-7", -7},
                       {"+7", 7},
                       {"007", 7},
                       {"  42", 42},
                       {"\t-3", -3},
                       {"2147483647", 2147483647},
                       {"-2147483648", std::numeric_limits<std::int32_t>::min()}};
    for (const auto &c : ok)
        EXPECT_EQ(toInt(c.text), c.value) << c.text;

    const char *bad[] = {"",     " ",   "-",   "+",     "12 ",        "1,5",         "1.5",
                         "0x10", "$10", "1e3", "--1",   "2147483648", "-2147483649", "99999999999999999999",
                         "12a",  "a12", "1 2", "numero"};
    for (const char *b : bad) {
        try {
            toInt(b);
            ADD_FAILURE() << "accepted '" << b << "'";
        } catch (const ConversionError &e) {
            EXPECT_NE(std::string(e.what()).find(std::string("'") + b + "'"), std::string::npos) << e.what();
        }
    }
}

TEST(Numbers, DecimalTextToFixedPointBothSeparators)
{
    struct Case
    {
        const char *text; // with a comma
        Fixed4 units;
    };
    const Case cases[] = {
        {"0,2", 2000},       {"12,345678", 123457},
        {"15", 150000},      {"-12", -120000},
        {"0,00005", 0},      {"0,00015", 2},
        {"0,00025", 2},      {"0,00035", 4},
        {"-0,00005", 0},     {"-0,00015", -2},
        {"0,000051", 1},     {"1,23445", 12344},
        {"1,23455", 12346},  {",5", 5000},
        {"5,", 50000},       {"  3,5 ", 35000},
        {"+1,5", 15000},     {"1e3", 10000000},
        {"2,5E-1", 2500},    {"1,5e+2", 1500000},
        {"0000,1000", 1000}, {"922337203685477,5807", std::numeric_limits<Fixed4>::max()},
    };
    for (const NumberFormat &f : {kComma, kDot})
        for (const auto &c : cases)
            EXPECT_EQ(toFixed4(withSep(c.text, f), f), c.units) << c.text << " sep " << f.decimalSeparator;
}

TEST(Numbers, DecimalTextErrors)
{
    const char *bad[]
        = {"", " ", ",", "-", "1,2,3", "1e", "e5", "abc", "1.000,5", "12 3", "922337203685477,5808", "1e30"};
    for (const char *b : bad)
        EXPECT_THROW(toFixed4(b, kComma), ConversionError) << b;
    // The other separator is not accepted.
    EXPECT_THROW(toFixed4("0.2", kComma), ConversionError);
    EXPECT_THROW(toFixed4("0,2", kDot), ConversionError);
    try {
        toDecimal("1,2,3", kComma);
        FAIL();
    } catch (const ConversionError &e) {
        EXPECT_NE(std::string(e.what()).find("'1,2,3'"), std::string::npos);
    }
}

TEST(Numbers, FixedTextOfDoubles)
{
    struct Case
    {
        double value;
        const char *text; // with a comma
    };
    const Case cases[] = {
        {12.345678, "12,3457"},
        {15.0, "15"},
        {0.0, "0"},
        {-0.0, "0"},
        {0.00005, "0"},
        {0.00015, "0,0002"},
        {0.00025, "0,0002"},
        {-0.00015, "-0,0002"},
        {-0.00005, "0"},
        {0.2, "0,2"},
        {-12.5, "-12,5"},
        {1.0 / 3.0, "0,3333"},
        {2.0 / 3.0, "0,6667"},
        {1234567.891, "1234567,891"},
        {0.1 + 0.2, "0,3"},
        {99.99995, "100"},
        {-99.99995, "-100"},
        {1e-300, "0"},
        {0.12345, "0,1234"},
        {0.12355, "0,1236"},
        {5e-5 + 1e-12, "0,0001"},
    };
    for (const NumberFormat &f : {kComma, kDot})
        for (const auto &c : cases)
            EXPECT_EQ(fixedText(c.value, f), withSep(c.text, f)) << c.value;
}

TEST(Numbers, FixedTextRejectsNonFinite)
{
    EXPECT_THROW(fixedText(std::numeric_limits<double>::infinity(), kComma), ArithmeticError);
    EXPECT_THROW(fixedText(std::numeric_limits<double>::quiet_NaN(), kComma), ArithmeticError);
    EXPECT_THROW(fixedText(1e300, kComma), ArithmeticError);
}

TEST(Numbers, FixedTextRoundTripsThroughText)
{
    // Every four-decimal value written and read back is itself.
    std::srand(7);
    for (int i = 0; i < 20000; ++i) {
        const Fixed4 units = (static_cast<Fixed4>(std::rand()) << 16 ^ std::rand()) % 100000000000LL * (i % 2 ? -1 : 1);
        for (const NumberFormat &f : {kComma, kDot}) {
            const std::string t = fixed4Text(units, f);
            ASSERT_EQ(toFixed4(t, f), units) << t;
            ASSERT_EQ(fixedText(fixed4ToDouble(units), f), t);
        }
    }
}

TEST(Numbers, HashPattern)
{
    struct Case
    {
        double value;
        const char *text; // with a comma
        const char *zeroForm; // the variant that writes 0
    };
    const Case cases[] = {
        {0.0, "", "0"},
        {0.5, ",5", ",5"},
        {0.005, ",01", ",01"},
        {0.0049, "", "0"},
        {0.00495, ",01", ",01"}, // four-decimal rounding first: 0.005 (tie to even 50), then away from zero
        {1234.5678, "1234,57", "1234,57"},
        {-0.5, "-,5", "-,5"},
        {-1.005, "-1,01", "-1,01"},
        {-0.001, "", "0"},
        {12.0, "12", "12"},
        {12.1, "12,1", "12,1"},
        {0.999, "1", "1"},
        {99.995, "100", "100"},
        {1.125, "1,13", "1,13"},
        {1.115, "1,12", "1,12"},
    };
    for (const NumberFormat &f : {kComma, kDot})
        for (const auto &c : cases) {
            EXPECT_EQ(hashPatternText(c.value, f), withSep(c.text, f)) << c.value;
            EXPECT_EQ(hashPatternTextZero(c.value, f), withSep(c.zeroForm, f)) << c.value;
        }
}

TEST(Numbers, InitialDecimalTextsFollowTheLocale)
{
    EXPECT_EQ(initialDecimalText("0.2", kComma), "0,2");
    EXPECT_EQ(initialDecimalText("0.2", kDot), "0.2");
    EXPECT_EQ(initialDecimalText("15", kComma), "15");
}

TEST(Numbers, FormatFromLocaleEnvironment)
{
    struct Case
    {
        const char *lcAll;
        char sep;
    };
    // it_IT and de_DE may not be installed: the language decides then.
    const Case cases[]
        = {{"C", '.'}, {"POSIX", '.'}, {"it_IT.UTF-8", ','}, {"de_DE", ','}, {"en_US.UTF-8", '.'}, {"xx_YY", '.'}};
    const char *saved = std::getenv("LC_ALL");
    const std::string savedValue = saved ? saved : "";
    for (const auto &c : cases) {
        setenv("LC_ALL", c.lcAll, 1);
        EXPECT_EQ(NumberFormat::fromLocale().decimalSeparator, c.sep) << c.lcAll;
    }
    if (saved)
        setenv("LC_ALL", savedValue.c_str(), 1);
    else
        unsetenv("LC_ALL");
}
