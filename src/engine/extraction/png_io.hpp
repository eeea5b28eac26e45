// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/rgb_image.hpp"

#include <string>

namespace kalvor {

// How frame files are compressed. Frames are written often and read often:
// fast deflate with the SUB filter and run-length strategy costs a few percent
// of size and makes writing several times faster than zlib's defaults.
struct PngSettings
{
    int compressionLevel = 1;
    bool subFilterOnly = true;
    bool rleStrategy = true;
};

// Any PNG (palette, grey, 16-bit, with alpha, interlaced) as 8-bit RGB; alpha
// is dropped. FileError naming the file when it cannot be read or decoded.
RgbImage readPng(const std::string &path);

// 8-bit RGB PNG without alpha, written whole or not at all.
void writePng(const std::string &path, const RgbImage &image, const PngSettings &settings = {});

// The PNG file as bytes in memory (used by writePng and by tests).
std::string encodePng(const RgbImage &image, const PngSettings &settings = {});
// 8-bit RGB files without interlacing (the program's own) are read by
// decodeRgbPngFast, every other PNG by libpng.
RgbImage decodePng(const std::string &bytes, const std::string &nameForErrors);
// libpng alone: the reference the fast reader is measured and tested against.
RgbImage decodePngWithLibpng(const std::string &bytes, const std::string &nameForErrors);

} // namespace kalvor
