// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Encodings of the program's text files. Internally every text is UTF-8.

#include <string>
#include <string_view>

namespace kalvor {

// Bytes of a file to UTF-8: a UTF-8 or UTF-16 (LE or BE) byte-order mark
// selects that encoding, otherwise the bytes are Windows-1252.
std::string decodeFileText(std::string_view bytes);

// UTF-8 to Windows-1252. A character that Windows-1252 cannot hold is a
// ConversionError naming it; `what` names the file for the message.
std::string encodeWindows1252(std::string_view utf8, std::string_view what);

std::string windows1252ToUtf8(std::string_view bytes);

} // namespace kalvor
