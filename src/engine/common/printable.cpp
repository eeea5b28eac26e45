// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/printable.hpp"

namespace kalvor {

namespace {

// Length of the well-formed UTF-8 sequence at the start of `s`, 0 when it is not one.
std::size_t utf8SequenceLength(std::string_view s)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    const unsigned char b0 = byte(0);
    std::size_t n = 0;
    unsigned low = 0x80;
    unsigned high = 0xBF;
    if (b0 >= 0xC2 && b0 <= 0xDF)
        n = 2;
    else if (b0 >= 0xE0 && b0 <= 0xEF) {
        n = 3;
        low = b0 == 0xE0 ? 0xA0 : 0x80;
        high = b0 == 0xED ? 0x9F : 0xBF;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        n = 4;
        low = b0 == 0xF0 ? 0x90 : 0x80;
        high = b0 == 0xF4 ? 0x8F : 0xBF;
    } else
        return 0;
    if (s.size() < n || byte(1) < low || byte(1) > high)
        return 0;
    for (std::size_t i = 2; i < n; ++i)
        if (byte(i) < 0x80 || byte(i) > 0xBF)
            return 0;
    return n;
}

void appendEscaped(std::string &out, unsigned char c)
{
    switch (c) {
    case '\n':
        out += "\\n";
        return;
    case '\r':
        out += "\\r";
        return;
    case '\t':
        out += "\\t";
        return;
    default: {
        static constexpr char kHex[] = "0123456789abcdef";
        out += "\\x";
        out += kHex[c >> 4];
        out += kHex[c & 0xF];
    }
    }
}

} // namespace

std::string printable(std::string_view value, std::size_t maxCharacters)
{
    std::string out;
    out.reserve(value.size() < 256 ? value.size() : 256);
    std::size_t characters = 0;
    std::size_t i = 0;
    while (i < value.size()) {
        if (characters == maxCharacters) {
            out += "…";
            break;
        }
        const auto c = static_cast<unsigned char>(value[i]);
        if (c < 0x80) {
            if (c < 0x20 || c == 0x7F)
                appendEscaped(out, c);
            else
                out += static_cast<char>(c);
            ++i;
        } else if (const std::size_t n = utf8SequenceLength(value.substr(i))) {
            out.append(value.substr(i, n));
            i += n;
        } else {
            appendEscaped(out, c);
            ++i;
        }
        ++characters;
    }
    return out;
}

} // namespace kalvor
