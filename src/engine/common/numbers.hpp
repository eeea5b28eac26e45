// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Every conversion between numbers and their texts in the program.
//
// Integers: strict decimal text. Accepted: optional leading blanks (space or
// tab), an optional sign '+' or '-', one or more ASCII digits, nothing after.
// Everything else (empty text, trailing blanks, hex, separators) and values
// outside the signed 32-bit range are a ConversionError naming the text.
//
// Decimals: read into a four-decimal fixed-point value (units of 1/10000,
// ties to even) and then used as a double. Accepted: optional blanks around,
// optional sign, digits with at most one decimal separator of the current
// NumberFormat, an optional exponent (e or E, optional sign, digits); at
// least one mantissa digit. A dot where the format wants a comma (or the
// reverse) is an error, as in the program's screens.
//
// Doubles are written through their shortest round-trip decimal form, so the
// ties of a decimal text (0.00005, 0.00015) round the same way whether they
// come from a typed text or from a computed value.

#include <cstdint>
#include <string>
#include <string_view>

namespace kalvor {

struct NumberFormat
{
    char decimalSeparator = ',';

    static NumberFormat comma() { return NumberFormat {','}; }
    static NumberFormat dot() { return NumberFormat {'.'}; }
    // The separator of the user's LC_NUMERIC (LC_ALL, LC_NUMERIC, LANG in that
    // order); a locale that is named but not installed falls back to the usual
    // separator of its language.
    static NumberFormat fromLocale();
    bool operator==(const NumberFormat &) const = default;
};

// The format used by every conversion that does not name one. The program
// sets it once at start from the locale; tests set it explicitly.
const NumberFormat &currentNumberFormat();
void setCurrentNumberFormat(const NumberFormat &format);

// Four-decimal fixed-point value: units of 1/10000.
using Fixed4 = std::int64_t;

std::int32_t toInt(std::string_view text);
std::string intText(std::int64_t value);

Fixed4 toFixed4(std::string_view text, const NumberFormat &format = currentNumberFormat());
double toDecimal(std::string_view text, const NumberFormat &format = currentNumberFormat());

// The value rounded to four decimals, ties to even; ArithmeticError for
// infinities, NaN and values beyond the fixed-point range.
Fixed4 roundToFixed4(double value);
// The same through the value's shortest decimal digits: the reference of the
// quick path of roundToFixed4, which it falls back on near a half.
Fixed4 roundToFixed4Reference(double value);
double fixed4ToDouble(Fixed4 units);

// Shortest fixed-point text: "12,3457" for 12.345678, "15" for 15.0.
std::string fixedText(double value, const NumberFormat &format = currentNumberFormat());
std::string fixed4Text(Fixed4 units, const NumberFormat &format = currentNumberFormat());

// The pattern "#.##": at most two decimals (halves away from zero after the
// four-decimal rounding), nothing before the separator below 1, empty for 0.
std::string hashPatternText(double value, const NumberFormat &format = currentNumberFormat());
// The same pattern writing 0 as "0".
std::string hashPatternTextZero(double value, const NumberFormat &format = currentNumberFormat());

// The texts above appended to `out`, for long tables built line by line.
void appendFixed4Text(std::string &out, Fixed4 units, const NumberFormat &format = currentNumberFormat());
void appendFixedText(std::string &out, double value, const NumberFormat &format = currentNumberFormat());
void appendHashPatternText(std::string &out, double value, bool zeroAsZero,
                           const NumberFormat &format = currentNumberFormat());

// An initial text of a decimal field, given with a dot ("0.2"), written with
// the separator of the format ("0,2" or "0.2").
std::string initialDecimalText(std::string_view dotted, const NumberFormat &format = currentNumberFormat());

} // namespace kalvor
