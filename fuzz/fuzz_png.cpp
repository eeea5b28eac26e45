// SPDX-License-Identifier: GPL-3.0-or-later
// Both PNG readers on the same bytes: whatever the fast reader decodes,
// libpng decodes to the same pixels; neither crashes nor allocates beyond
// what the file can fill.
#include "common/errors.hpp"
#include "extraction/png_fast_read.hpp"
#include "extraction/png_io.hpp"

#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char *>(data), size);
    std::optional<kalvor::RgbImage> fast;
    try {
        fast = kalvor::decodeRgbPngFast(bytes, "f.png");
    } catch (const kalvor::FileError &) {
    }
    std::optional<kalvor::RgbImage> reference;
    try {
        reference = kalvor::decodePngWithLibpng(bytes, "f.png");
    } catch (const kalvor::FileError &) {
    }
    if (fast && (!reference || !(*fast == *reference)))
        std::abort(); // the fast reader read what libpng refuses, or read it otherwise
    try {
        kalvor::decodePng(bytes, "f.png");
    } catch (const kalvor::FileError &) {
    }
    return 0;
}
