// SPDX-License-Identifier: GPL-3.0-or-later
#include "extraction/png_io.hpp"

#include "common/errors.hpp"
#include "common/files.hpp"
#include "common/printable.hpp"
#include "extraction/png_fast_read.hpp"

#include <algorithm>
#include <cstring>
#include <png.h>
#include <zlib.h>

namespace kalvor {

namespace {

struct PngError
{
    std::string message;
};

void onPngError(png_structp png, png_const_charp msg)
{
    // Unwind through libpng's longjmp buffer; the message is kept for the exception.
    auto *err = static_cast<PngError *>(png_get_error_ptr(png));
    err->message = msg;
    png_longjmp(png, 1);
}

void onPngWarning(png_structp, png_const_charp)
{
}

struct ReadBuffer
{
    const std::string *bytes;
    std::size_t pos = 0;
};

void readFromBuffer(png_structp png, png_bytep out, png_size_t len)
{
    auto *buf = static_cast<ReadBuffer *>(png_get_io_ptr(png));
    if (buf->pos + len > buf->bytes->size())
        png_error(png, "dati PNG troncati");
    std::memcpy(out, buf->bytes->data() + buf->pos, len);
    buf->pos += len;
}

void writeToString(png_structp png, png_bytep data, png_size_t len)
{
    auto *out = static_cast<std::string *>(png_get_io_ptr(png));
    out->append(reinterpret_cast<const char *>(data), len);
}

void flushNothing(png_structp)
{
}

// RAII owners of libpng's read and write structs.
struct PngReader
{
    png_structp png = nullptr;
    png_infop info = nullptr;
    ~PngReader() { png_destroy_read_struct(&png, info ? &info : nullptr, nullptr); }
};

struct PngWriter
{
    png_structp png = nullptr;
    png_infop info = nullptr;
    ~PngWriter() { png_destroy_write_struct(&png, info ? &info : nullptr); }
};

// libpng reports errors by longjmp: these steps own no C++ object that a jump
// could skip, the callers own the buffers.
bool readHeader(PngReader &r, ReadBuffer &buf, png_uint_32 &w, png_uint_32 &h)
{
    if (setjmp(png_jmpbuf(r.png)))
        return false;
    png_set_read_fn(r.png, &buf, readFromBuffer);
    png_read_info(r.png, r.info);
    w = png_get_image_width(r.png, r.info);
    h = png_get_image_height(r.png, r.info);
    const int colorType = png_get_color_type(r.png, r.info);
    const int bitDepth = png_get_bit_depth(r.png, r.info);
    if (bitDepth == 16)
        png_set_strip_16(r.png);
    if (colorType == PNG_COLOR_TYPE_PALETTE)
        png_set_palette_to_rgb(r.png);
    if ((colorType == PNG_COLOR_TYPE_GRAY || colorType == PNG_COLOR_TYPE_GRAY_ALPHA) && bitDepth < 8)
        png_set_expand_gray_1_2_4_to_8(r.png);
    if (colorType == PNG_COLOR_TYPE_GRAY || colorType == PNG_COLOR_TYPE_GRAY_ALPHA)
        png_set_gray_to_rgb(r.png);
    // Transparency is dropped, not composed: frames never carry it.
    if (png_get_valid(r.png, r.info, PNG_INFO_tRNS))
        png_set_tRNS_to_alpha(r.png);
    png_set_strip_alpha(r.png);
    png_set_interlace_handling(r.png);
    png_read_update_info(r.png, r.info);
    if (png_get_rowbytes(r.png, r.info) != static_cast<png_size_t>(w) * 3)
        png_error(r.png, "formato di pixel inatteso");
    return true;
}

bool readRows(PngReader &r, png_bytep *rows)
{
    if (setjmp(png_jmpbuf(r.png)))
        return false;
    png_read_image(r.png, rows);
    png_read_end(r.png, nullptr);
    return true;
}

bool encodeInto(PngWriter &w, const RgbImage &image, const PngSettings &settings, std::string &out)
{
    if (setjmp(png_jmpbuf(w.png)))
        return false;
    png_set_write_fn(w.png, &out, writeToString, flushNothing);
    png_set_IHDR(w.png, w.info, static_cast<png_uint_32>(image.width), static_cast<png_uint_32>(image.height), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_compression_level(w.png, settings.compressionLevel);
    if (settings.subFilterOnly)
        png_set_filter(w.png, PNG_FILTER_TYPE_BASE, PNG_FILTER_SUB);
    if (settings.rleStrategy)
        png_set_compression_strategy(w.png, Z_RLE);
    png_write_info(w.png, w.info);
    for (int y = 0; y < image.height; ++y)
        png_write_row(w.png, const_cast<png_bytep>(image.row(y)));
    png_write_end(w.png, nullptr);
    return true;
}

} // namespace

RgbImage decodePng(const std::string &bytes, const std::string &name)
{
    if (bytes.size() < 8 || png_sig_cmp(reinterpret_cast<png_const_bytep>(bytes.data()), 0, 8) != 0)
        throw FileError("Il file \"" + printable(name) + "\" non è un'immagine PNG.");
    // The program's own frames need no libpng; every other PNG still goes through it.
    if (std::optional<RgbImage> own = decodeRgbPngFast(bytes, name))
        return std::move(*own);
    return decodePngWithLibpng(bytes, name);
}

RgbImage decodePngWithLibpng(const std::string &bytes, const std::string &name)
{
    // libpng allocates what the header and each chunk length claim: both are
    // checked against the file first.
    checkPngBounds(bytes, name);
    PngError err;
    PngReader r;
    r.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &err, onPngError, onPngWarning);
    if (r.png == nullptr)
        throw FileError("Impossibile leggere l'immagine \"" + printable(name) + "\".");
    r.info = png_create_info_struct(r.png);
    if (r.info == nullptr)
        throw FileError("Impossibile leggere l'immagine \"" + printable(name) + "\".");
    // Compressed text and profiles inflate beyond what the chunk lengths show.
    png_set_user_limits(r.png, kMaxFrameSide, kMaxFrameSide);
    png_set_chunk_malloc_max(r.png, std::max<png_alloc_size_t>(bytes.size(), 1u << 20));
    ReadBuffer buf {&bytes, 0};
    png_uint_32 w = 0;
    png_uint_32 h = 0;
    const auto fail = [&] {
        return FileError("Impossibile leggere l'immagine \"" + printable(name)
                         + "\": immagine danneggiata (libpng: " + err.message + ").");
    };
    if (!readHeader(r, buf, w, h))
        throw fail();
    RgbImage image(static_cast<int>(w), static_cast<int>(h));
    std::vector<png_bytep> rows(h);
    for (png_uint_32 y = 0; y < h; ++y)
        rows[y] = image.row(static_cast<int>(y));
    if (!readRows(r, rows.data()))
        throw fail();
    return image;
}

RgbImage readPng(const std::string &path)
{
    return decodePng(readFileBytes(path), path);
}

std::string encodePng(const RgbImage &image, const PngSettings &settings)
{
    if (image.empty() || image.pixels.size() != static_cast<std::size_t>(image.width) * image.height * 3)
        throw RefusalError("Immagine vuota o di dimensioni incoerenti: impossibile salvarla.");
    PngError err;
    PngWriter w;
    w.png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &err, onPngError, onPngWarning);
    if (w.png == nullptr)
        throw Error("Impossibile creare l'immagine PNG.");
    w.info = png_create_info_struct(w.png);
    if (w.info == nullptr)
        throw Error("Impossibile creare l'immagine PNG.");
    std::string out;
    out.reserve(image.pixels.size() / 2);
    if (!encodeInto(w, image, settings, out))
        throw Error("Impossibile creare l'immagine PNG (libpng: " + printable(err.message) + ").");
    return out;
}

void writePng(const std::string &path, const RgbImage &image, const PngSettings &settings)
{
    writeFileAtomically(path, encodePng(image, settings));
}

} // namespace kalvor
