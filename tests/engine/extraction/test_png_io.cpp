// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/errors.hpp"
#include "common/files.hpp"
#include "extraction/frame_file.hpp"
#include "extraction/png_io.hpp"
#include "support/random_image.hpp"
#include "support/temp_dir.hpp"

#include <gtest/gtest.h>

#include <cstdio>
#include <png.h>

using namespace kalvor;
using kalvor::testing::noiseImage;
using kalvor::testing::TempDir;

namespace {

// Writes a PNG of any colour type with libpng directly, as another program would.
void writeRawPng(const std::string &path, int w, int h, int colorType, int bitDepth,
                 const std::vector<std::vector<std::uint8_t>> &rows, const std::vector<png_color> &palette = {},
                 const std::vector<png_byte> &trns = {})
{
    FILE *f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_init_io(png, f);
    png_set_IHDR(png, info, static_cast<png_uint_32>(w), static_cast<png_uint_32>(h), bitDepth, colorType,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (!palette.empty())
        png_set_PLTE(png, info, palette.data(), static_cast<int>(palette.size()));
    if (!trns.empty())
        png_set_tRNS(png, info, trns.data(), static_cast<int>(trns.size()), nullptr);
    png_write_info(png, info);
    for (const auto &r : rows)
        png_write_row(png, r.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    std::fclose(f);
}

std::array<std::uint8_t, 3> px(const RgbImage &img, int x, int y)
{
    const std::uint8_t *p = img.row(y) + 3 * x;
    return {p[0], p[1], p[2]};
}

} // namespace

TEST(FrameFile, Names)
{
    struct Case
    {
        const char *cartella;
        int n;
        const char *name;
    };
    const Case cases[] = {{"/dati/rilievo/", 12, "/dati/rilievo/12.png"},
                          {"", 0, "0.png"},
                          {"fotogrammi/", 7, "fotogrammi/7.png"},
                          {"C", 12, "C12.png"},
                          {"/x/", 100000, "/x/100000.png"}};
    for (const auto &c : cases)
        EXPECT_EQ(frameFileName(c.cartella, c.n), c.name);
}

TEST(Png, RoundTripIsExact)
{
    TempDir dir;
    const struct
    {
        int w, h;
    } sizes[] = {{640, 480}, {1, 1}, {3, 7}, {641, 2}};
    unsigned seed = 1;
    for (const auto &s : sizes)
        for (const PngSettings settings :
             {PngSettings {}, PngSettings {6, false, false}, PngSettings {9, true, false}}) {
            const RgbImage img = noiseImage(s.w, s.h, seed++);
            const std::string path = dir.file("f.png");
            writePng(path, img, settings);
            EXPECT_EQ(readPng(path), img) << s.w << "x" << s.h;
        }
}

TEST(Png, WrittenFileIsEightBitRgbWithoutAlpha)
{
    const std::string bytes = encodePng(noiseImage(5, 4, 3));
    // IHDR: width, height, bit depth 8, colour type 2 (RGB).
    ASSERT_GT(bytes.size(), 26u);
    EXPECT_EQ(bytes.substr(12, 4), "IHDR");
    EXPECT_EQ(static_cast<unsigned char>(bytes[24]), 8);
    EXPECT_EQ(static_cast<unsigned char>(bytes[25]), 2);
}

TEST(Png, OtherColourTypesReadAsRgb)
{
    TempDir dir;
    // Grey 8-bit.
    writeRawPng(dir.file("g8.png"), 2, 1, PNG_COLOR_TYPE_GRAY, 8, {{10, 200}});
    // Grey 1-bit: 0 and 1 expand to 0 and 255.
    writeRawPng(dir.file("g1.png"), 2, 1, PNG_COLOR_TYPE_GRAY, 1, {{0x40}});
    // Palette.
    writeRawPng(dir.file("p.png"), 2, 1, PNG_COLOR_TYPE_PALETTE, 8, {{1, 0}}, {{1, 2, 3}, {250, 128, 7}}, {0, 255});
    // RGB 16-bit: the high byte survives.
    writeRawPng(dir.file("rgb16.png"), 1, 1, PNG_COLOR_TYPE_RGB, 16, {{0x12, 0x34, 0xAB, 0xCD, 0xFF, 0x00}});
    // RGBA: alpha dropped, not composed.
    writeRawPng(dir.file("rgba.png"), 1, 1, PNG_COLOR_TYPE_RGB_ALPHA, 8, {{9, 8, 7, 0}});
    // Grey with alpha 16-bit.
    writeRawPng(dir.file("ga16.png"), 1, 1, PNG_COLOR_TYPE_GRAY_ALPHA, 16, {{0x80, 0x01, 0x00, 0x00}});

    struct Case
    {
        const char *file;
        int x;
        std::array<std::uint8_t, 3> rgb;
    };
    const Case cases[]
        = {{"g8.png", 0, {10, 10, 10}},          {"g8.png", 1, {200, 200, 200}}, {"g1.png", 0, {0, 0, 0}},
           {"g1.png", 1, {255, 255, 255}},       {"p.png", 0, {250, 128, 7}},    {"p.png", 1, {1, 2, 3}},
           {"rgb16.png", 0, {0x12, 0xAB, 0xFF}}, {"rgba.png", 0, {9, 8, 7}},     {"ga16.png", 0, {0x80, 0x80, 0x80}}};
    for (const auto &c : cases) {
        const RgbImage img = readPng(dir.file(c.file));
        EXPECT_EQ(px(img, c.x, 0), c.rgb) << c.file << " x=" << c.x;
    }
}

TEST(Png, BadFilesAreErrorsNamingTheFile)
{
    TempDir dir;
    const std::string good = encodePng(noiseImage(16, 16, 5));
    struct Case
    {
        const char *name;
        std::string bytes;
    };
    const Case cases[] = {{"vuoto.png", ""},
                          {"testo.png", "non sono un'immagine"},
                          {"troncato.png", good.substr(0, good.size() / 2)},
                          {"solo-firma.png", good.substr(0, 8)}};
    for (const auto &c : cases) {
        const std::string path = dir.file(c.name);
        writeFileAtomically(path, c.bytes);
        try {
            readPng(path);
            ADD_FAILURE() << c.name;
        } catch (const FileError &e) {
            EXPECT_NE(std::string(e.what()).find(path), std::string::npos) << e.what();
        }
    }
    EXPECT_THROW(readPng(dir.file("manca.png")), FileError);
}

TEST(Png, WritingReplacesAnExistingFrame)
{
    TempDir dir;
    const std::string path = frameFileName(dir.path(), 3);
    writePng(path, noiseImage(4, 4, 1));
    const RgbImage second = noiseImage(8, 2, 2);
    writePng(path, second);
    EXPECT_EQ(readPng(path), second);
}
