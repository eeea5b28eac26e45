// SPDX-License-Identifier: GPL-3.0-or-later
// The number and text parsers against their round trips: a text read as a
// number is written back and read again to the same number; a decoded file
// text encodes back and decodes to itself; a value quoted in a message
// holds no control character.
#include "common/errors.hpp"
#include "common/numbers.hpp"
#include "common/printable.hpp"
#include "common/text_codec.hpp"
#include "common/text_list.hpp"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

void check(bool ok)
{
    if (!ok)
        std::abort();
}

void integers(const std::string &text)
{
    try {
        const std::int32_t v = kalvor::toInt(text);
        check(kalvor::toInt(kalvor::intText(v)) == v);
    } catch (const kalvor::ConversionError &) {
    }
}

void decimals(const std::string &text, const kalvor::NumberFormat &format)
{
    try {
        const kalvor::Fixed4 v = kalvor::toFixed4(text, format);
        check(kalvor::toFixed4(kalvor::fixed4Text(v, format), format) == v);
        const double d = kalvor::toDecimal(text, format);
        check(kalvor::roundToFixed4(kalvor::toDecimal(kalvor::fixedText(d, format), format))
              == kalvor::roundToFixed4(d));
    } catch (const kalvor::Error &) {
    }
}

void fileText(const std::string &bytes)
{
    const std::string utf8 = kalvor::decodeFileText(bytes);
    try {
        const std::string encoded = kalvor::encodeWindows1252(utf8, "f.kvr");
        check(kalvor::windows1252ToUtf8(encoded) == utf8);
    } catch (const kalvor::ConversionError &) {
    }
}

void quoted(const std::string &text)
{
    const std::string p = kalvor::printable(text, 40);
    for (const char c : p)
        check(static_cast<unsigned char>(c) >= 0x20 && c != 0x7f);
    if (text.size() <= 40 && text.find_first_of(std::string("\0\n\r\t\\", 5)) == std::string::npos)
        check(p.size() >= text.size());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char *>(data), size);
    integers(text);
    decimals(text, kalvor::NumberFormat::comma());
    decimals(text, kalvor::NumberFormat::dot());
    fileText(text);
    quoted(text);
    kalvor::TextList list;
    list.setText(kalvor::decodeFileText(text));
    return 0;
}
