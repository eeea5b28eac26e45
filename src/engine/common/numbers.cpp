// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/numbers.hpp"

#include "common/errors.hpp"
#include "common/printable.hpp"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <langinfo.h>
#include <limits>
#include <locale.h>

namespace kalvor {

namespace {

NumberFormat g_current = NumberFormat::fromLocale();

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

[[noreturn]] void throwNotInteger(std::string_view text)
{
    throw ConversionError("'" + printable(text) + "' non è un valore intero valido.");
}

[[noreturn]] void throwNotDecimal(std::string_view text)
{
    throw ConversionError("'" + printable(text) + "' non è un valore decimale valido.");
}

std::string languageOf(const char *name)
{
    std::string s(name);
    const auto cut = s.find_first_of("_.@");
    return cut == std::string::npos ? s : s.substr(0, cut);
}

// Languages whose usual decimal separator is a comma; used only when the named
// locale is not installed on the machine.
bool languageUsesComma(const std::string &lang)
{
    static constexpr std::array<std::string_view, 31> comma
        = {"it", "de", "fr", "es", "pt", "nl", "ru", "pl", "cs", "sk", "sl", "hr", "sr", "bs", "ro", "hu",
           "da", "nb", "nn", "no", "sv", "fi", "et", "lv", "lt", "el", "tr", "uk", "bg", "ca", "id"};
    for (auto c : comma)
        if (lang == c)
            return true;
    return false;
}

// Exact decimal rounding of digit string `digits` (no sign, no leading zeros
// needed) scaled by 10^shift, to an integer with ties to even. Returns false on
// overflow of int64.
bool scaleDigits(std::string_view digits, long shift, std::uint64_t &out)
{
    // Strip leading zeros so the length tells the magnitude.
    std::size_t first = 0;
    while (first < digits.size() && digits[first] == '0')
        ++first;
    digits = digits.substr(first);
    if (digits.empty()) {
        out = 0;
        return true;
    }
    const long n = static_cast<long>(digits.size());
    const long keep = n + shift; // digits that stay left of the point
    if (keep > 19)
        return false;
    std::uint64_t q = 0;
    for (long i = 0; i < keep; ++i) {
        const char c = i < n ? digits[static_cast<std::size_t>(i)] : '0';
        q = q * 10 + static_cast<std::uint64_t>(c - '0');
    }
    if (keep < n) {
        // Compare the dropped part with one half.
        const long firstDropped = keep < 0 ? -1 : keep;
        int cmp; // -1 below half, 0 tie, 1 above
        if (firstDropped < 0) {
            cmp = -1; // at least one zero digit dropped first: below half
        } else {
            const char d = digits[static_cast<std::size_t>(firstDropped)];
            if (d < '5') {
                cmp = -1;
            } else if (d > '5') {
                cmp = 1;
            } else {
                cmp = 0;
                for (long i = firstDropped + 1; i < n; ++i)
                    if (digits[static_cast<std::size_t>(i)] != '0') {
                        cmp = 1;
                        break;
                    }
            }
        }
        if (cmp > 0 || (cmp == 0 && (q & 1u)))
            ++q;
    }
    out = q;
    return true;
}

Fixed4 signedUnits(bool negative, std::uint64_t magnitude, bool &ok)
{
    constexpr auto maxPos = static_cast<std::uint64_t>(std::numeric_limits<Fixed4>::max());
    if (magnitude > maxPos) {
        ok = false;
        return 0;
    }
    ok = true;
    const auto v = static_cast<Fixed4>(magnitude);
    return negative ? -v : v;
}

void appendDigits(std::string &out, std::uint64_t value)
{
    std::array<char, 24> buf {};
    const auto res = std::to_chars(buf.data(), buf.data() + buf.size(), value);
    out.append(buf.data(), res.ptr);
}

std::uint64_t magnitudeOf(Fixed4 units)
{
    return units < 0 ? static_cast<std::uint64_t>(-(units + 1)) + 1 : static_cast<std::uint64_t>(units);
}

} // namespace

NumberFormat NumberFormat::fromLocale()
{
    const char *name = nullptr;
    for (const char *var : {"LC_ALL", "LC_NUMERIC", "LANG"}) {
        const char *v = std::getenv(var);
        if (v != nullptr && *v != '\0') {
            name = v;
            break;
        }
    }
    if (name == nullptr)
        return dot();
    locale_t loc = newlocale(LC_NUMERIC_MASK, name, static_cast<locale_t>(nullptr));
    if (loc == static_cast<locale_t>(nullptr))
        return languageUsesComma(languageOf(name)) ? comma() : dot();
    const char *radix = nl_langinfo_l(RADIXCHAR, loc);
    NumberFormat f = dot();
    if (radix != nullptr && radix[0] != '\0' && radix[1] == '\0')
        f.decimalSeparator = radix[0];
    freelocale(loc);
    return f;
}

const NumberFormat &currentNumberFormat()
{
    return g_current;
}

void setCurrentNumberFormat(const NumberFormat &format)
{
    g_current = format;
}

std::int32_t toInt(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i == text.size())
        throwNotInteger(text);
    std::int64_t value = 0;
    for (; i < text.size(); ++i) {
        if (!isDigit(text[i]))
            throwNotInteger(text);
        value = value * 10 + (text[i] - '0');
        if (value > std::int64_t {1} << 31)
            throwNotInteger(text);
    }
    if (negative)
        value = -value;
    if (value > std::numeric_limits<std::int32_t>::max() || value < std::numeric_limits<std::int32_t>::min())
        throwNotInteger(text);
    return static_cast<std::int32_t>(value);
}

std::string intText(std::int64_t value)
{
    return std::to_string(value);
}

Fixed4 toFixed4(std::string_view text, const NumberFormat &format)
{
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n && isBlank(text[i]))
        ++i;
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    std::string digits;
    long fracDigits = 0;
    bool anyDigit = false;
    while (i < n && isDigit(text[i])) {
        digits += text[i++];
        anyDigit = true;
    }
    if (i < n && text[i] == format.decimalSeparator) {
        ++i;
        while (i < n && isDigit(text[i])) {
            digits += text[i++];
            ++fracDigits;
            anyDigit = true;
        }
    }
    if (!anyDigit)
        throwNotDecimal(text);
    long exponent = 0;
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        bool expNegative = false;
        if (i < n && (text[i] == '+' || text[i] == '-')) {
            expNegative = text[i] == '-';
            ++i;
        }
        if (i == n || !isDigit(text[i]))
            throwNotDecimal(text);
        while (i < n && isDigit(text[i])) {
            if (exponent < 100000)
                exponent = exponent * 10 + (text[i] - '0');
            ++i;
        }
        if (expNegative)
            exponent = -exponent;
    }
    while (i < n && isBlank(text[i]))
        ++i;
    if (i != n)
        throwNotDecimal(text);

    std::uint64_t magnitude = 0;
    if (!scaleDigits(digits, exponent - fracDigits + 4, magnitude))
        throwNotDecimal(text);
    bool ok = false;
    const Fixed4 units = signedUnits(negative, magnitude, ok);
    if (!ok)
        throwNotDecimal(text);
    return units;
}

double toDecimal(std::string_view text, const NumberFormat &format)
{
    return fixed4ToDouble(toFixed4(text, format));
}

Fixed4 roundToFixed4(double value)
{
    if (!std::isfinite(value))
        throw ArithmeticError("Operazione in virgola mobile non valida.");
    // The shortest decimal of value, times 10^4, lies within 1.2 units in the
    // last place of the product below; away from a half the product rounds
    // the same way, and the decimal digits need not be written out.
    const double y = value * 10000.0;
    if (std::abs(y) < 4.0e15) {
        const double whole = std::floor(y);
        const double frac = y - whole; // exact
        const double ulp = std::nextafter(std::abs(y), std::numeric_limits<double>::infinity()) - std::abs(y);
        if (std::abs(frac - 0.5) > 4.0 * ulp)
            return static_cast<Fixed4>(frac < 0.5 ? whole : whole + 1.0);
    }
    return roundToFixed4Reference(value);
}

Fixed4 roundToFixed4Reference(double value)
{
    if (!std::isfinite(value))
        throw ArithmeticError("Operazione in virgola mobile non valida.");
    if (value == 0.0)
        return 0;
    // Shortest round-trip form, e.g. "1.2345678e+01".
    std::array<char, 64> buf {};
    const auto res = std::to_chars(buf.data(), buf.data() + buf.size(), value, std::chars_format::scientific);
    const std::string_view s(buf.data(), static_cast<std::size_t>(res.ptr - buf.data()));
    std::size_t i = 0;
    const bool negative = s[0] == '-';
    if (negative)
        ++i;
    std::string digits;
    long fracDigits = 0;
    bool afterPoint = false;
    for (; i < s.size() && s[i] != 'e'; ++i) {
        if (s[i] == '.') {
            afterPoint = true;
            continue;
        }
        digits += s[i];
        if (afterPoint)
            ++fracDigits;
    }
    const long exponent = std::strtol(std::string(s.substr(i + 1)).c_str(), nullptr, 10);
    std::uint64_t magnitude = 0;
    bool ok = scaleDigits(digits, exponent - fracDigits + 4, magnitude);
    Fixed4 units = 0;
    if (ok)
        units = signedUnits(negative, magnitude, ok);
    if (!ok)
        throw ArithmeticError("Valore fuori dall'intervallo ammesso.");
    return units;
}

double fixed4ToDouble(Fixed4 units)
{
    return static_cast<double>(units) / 10000.0;
}

void appendFixed4Text(std::string &out, Fixed4 units, const NumberFormat &format)
{
    const std::uint64_t mag = magnitudeOf(units);
    if (units < 0)
        out += '-';
    appendDigits(out, mag / 10000);
    std::uint64_t frac = mag % 10000;
    if (frac != 0) {
        std::array<char, 4> f {};
        for (int k = 3; k >= 0; --k) {
            f[static_cast<std::size_t>(k)] = static_cast<char>('0' + frac % 10);
            frac /= 10;
        }
        std::size_t len = 4;
        while (f[len - 1] == '0')
            --len;
        out += format.decimalSeparator;
        out.append(f.data(), len);
    }
}

void appendFixedText(std::string &out, double value, const NumberFormat &format)
{
    appendFixed4Text(out, roundToFixed4(value), format);
}

void appendHashPatternText(std::string &out, double value, bool zeroAsZero, const NumberFormat &format)
{
    const Fixed4 units = roundToFixed4(value);
    const std::uint64_t mag = magnitudeOf(units);
    // Two decimals, halves away from zero.
    const std::uint64_t hundredths = mag / 100 + (mag % 100 >= 50 ? 1 : 0);
    if (hundredths == 0) {
        if (zeroAsZero)
            out += '0';
        return;
    }
    if (units < 0)
        out += '-';
    const std::uint64_t whole = hundredths / 100;
    const std::uint64_t frac = hundredths % 100;
    if (whole != 0)
        appendDigits(out, whole);
    if (frac != 0) {
        out += format.decimalSeparator;
        out += static_cast<char>('0' + frac / 10);
        if (frac % 10 != 0)
            out += static_cast<char>('0' + frac % 10);
    }
}

std::string fixed4Text(Fixed4 units, const NumberFormat &format)
{
    std::string s;
    appendFixed4Text(s, units, format);
    return s;
}

std::string fixedText(double value, const NumberFormat &format)
{
    std::string s;
    appendFixedText(s, value, format);
    return s;
}

std::string hashPatternText(double value, const NumberFormat &format)
{
    std::string s;
    appendHashPatternText(s, value, false, format);
    return s;
}

std::string hashPatternTextZero(double value, const NumberFormat &format)
{
    std::string s;
    appendHashPatternText(s, value, true, format);
    return s;
}

std::string initialDecimalText(std::string_view dotted, const NumberFormat &format)
{
    std::string s(dotted);
    for (char &c : s)
        if (c == '.')
            c = format.decimalSeparator;
    return s;
}

} // namespace kalvor
