// SPDX-License-Identifier: GPL-3.0-or-later
// Both PNG readers on the same bytes: whatever the fast reader decodes,
// libpng decodes to the same pixels; neither crashes nor allocates beyond
// what the file can fill.
#include "common/errors.hpp"
#include "extraction/png_fast_read.hpp"
#include "extraction/png_io.hpp"

#include <zlib.h>

#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

namespace {

// Whether zlib, which libpng inflates with, refuses the joined image data of
// a file whose chunks the fast reader has already checked. libdeflate reads
// the length codes 286 and 287, which the format forbids, as 258: a stream
// with such a code decodes to the right pixels (its Adler-32 agrees) on the
// fast path and is refused by libpng. That leniency is known and kept.
bool zlibRefusesImageData(const std::string &bytes, std::size_t rawSize)
{
    std::string data;
    for (std::size_t pos = 8; pos + 12 <= bytes.size();) {
        const auto *p = reinterpret_cast<const unsigned char *>(bytes.data() + pos);
        const std::size_t length = (std::size_t {p[0]} << 24) | (std::size_t {p[1]} << 16) | (p[2] << 8) | p[3];
        if (bytes.compare(pos + 4, 4, "IDAT") == 0)
            data.append(bytes, pos + 8, length);
        pos += length + 12;
    }
    std::string raw(rawSize, '\0');
    uLongf rawLength = static_cast<uLongf>(raw.size());
    return uncompress(reinterpret_cast<Bytef *>(raw.data()), &rawLength, reinterpret_cast<const Bytef *>(data.data()),
                      static_cast<uLong>(data.size()))
        == Z_DATA_ERROR;
}

} // namespace

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
    if (fast && !reference
        && zlibRefusesImageData(bytes, static_cast<std::size_t>(fast->width) * 3 * fast->height + fast->height))
        return 0;
    if (fast && (!reference || !(*fast == *reference)))
        std::abort(); // the fast reader read what libpng refuses, or read it otherwise
    try {
        kalvor::decodePng(bytes, "f.png");
    } catch (const kalvor::FileError &) {
    }
    return 0;
}
