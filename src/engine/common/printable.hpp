// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kalvor {

// A value as it may be quoted in a message: control characters and bytes that
// are not UTF-8 escaped ("\n", "\t", "\r", "\x00"), so that a NUL cannot cut
// the message and a line break cannot forge another one; past `maxCharacters`
// characters the value is cut and "…" follows.
std::string printable(std::string_view value, std::size_t maxCharacters = 200);

} // namespace kalvor
