// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A reader for the one PNG layout the program writes itself: 8-bit RGB,
// not interlaced. It parses the chunks, checks every CRC, inflates the image
// data in one call and undoes the row filters; any other PNG is left to
// libpng, which stays the reference this reader is tested against.

#include "common/rgb_image.hpp"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kalvor {

// The largest frame the program reads, on both paths: 8192 x 8192 pixels.
inline constexpr std::uint32_t kMaxFrameSide = 8192;

// Walks every chunk of a PNG of any kind, each length checked against the file
// and each CRC checked, before anything is allocated for it; FileError naming
// `nameForErrors` for damage, truncation, a frame larger than kMaxFrameSide or
// a header promising more pixels than its image data can inflate to. Run
// before libpng, which allocates what a header or a chunk length claims.
void checkPngBounds(std::string_view bytes, const std::string &nameForErrors);

// The image when `bytes` hold an 8-bit RGB, non-interlaced PNG; std::nullopt
// when they hold a PNG of any other kind (for libpng to read). FileError
// naming `nameForErrors` when the file is damaged or truncated. Each thread
// keeps one inflate buffer between calls.
std::optional<RgbImage> decodeRgbPngFast(std::string_view bytes, const std::string &nameForErrors);

// Undoes one row's filter (0 None, 1 Sub, 2 Up, 3 Average, 4 Paeth) for
// 3-byte pixels: `filtered` and `previous` (the row above, already undone,
// all zeros for the first row) have `rowBytes` bytes each. False for an
// unknown filter type. Exposed for tests.
bool unfilterRgbRow(int filterType, const std::uint8_t *filtered, const std::uint8_t *previous, std::uint8_t *out,
                    std::size_t rowBytes);

// The same, byte by byte as the format defines it: the reference the fast
// version is compared with.
bool unfilterRgbRowReference(int filterType, const std::uint8_t *filtered, const std::uint8_t *previous,
                             std::uint8_t *out, std::size_t rowBytes);

} // namespace kalvor
