// SPDX-License-Identifier: GPL-3.0-or-later
// The fast reader of the program's own frame files against libpng: identical
// pixels for every filter, compression level and chunk layout libpng writes;
// every kind of damage refused with a FileError naming the file.
#include "common/errors.hpp"
#include "extraction/png_fast_read.hpp"
#include "extraction/png_io.hpp"
#include "scene/road_scene.hpp"
#include "support/random_image.hpp"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <future>
#include <png.h>
#include <random>
#include <zlib.h>

using namespace kalvor;
using kalvor::testing::noiseImage;

namespace {

// Gradients with a little noise: the content where Average and Paeth win.
RgbImage smooth(int w, int h, unsigned seed)
{
    RgbImage img(w, h);
    std::mt19937 rng(seed);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            std::uint8_t *p = img.row(y) + 3 * x;
            const int jitter = static_cast<int>(rng() % 5);
            p[0] = static_cast<std::uint8_t>(x + jitter);
            p[1] = static_cast<std::uint8_t>(y * 2 + jitter);
            p[2] = static_cast<std::uint8_t>((x + y) / 3);
        }
    return img;
}

struct WriteOptions
{
    int filters = PNG_ALL_FILTERS;
    int level = 6;
    std::size_t idatSize = 0; // 0: libpng's default buffer
    bool ancillary = false; // gAMA and tEXt before the image data, tEXt after
    int interlace = PNG_INTERLACE_NONE;
};

void appendBytes(png_structp png, png_bytep data, png_size_t len)
{
    static_cast<std::string *>(png_get_io_ptr(png))->append(reinterpret_cast<const char *>(data), len);
}

void flushNothing(png_structp)
{
}

// An 8-bit RGB PNG written by libpng as another program could write it.
std::string writeWithLibpng(const RgbImage &img, const WriteOptions &o)
{
    std::string out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        ADD_FAILURE() << "libpng could not write the test image";
        return {};
    }
    png_set_write_fn(png, &out, appendBytes, flushNothing);
    png_set_IHDR(png, info, static_cast<png_uint_32>(img.width), static_cast<png_uint_32>(img.height), 8,
                 PNG_COLOR_TYPE_RGB, o.interlace, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, o.filters);
    png_set_compression_level(png, o.level);
    if (o.idatSize > 0)
        png_set_compression_buffer_size(png, o.idatSize);
    char key[] = "Comment";
    char before[] = "scritto prima dei dati";
    char after[] = "scritto dopo i dati";
    png_text text {};
    text.compression = PNG_TEXT_COMPRESSION_NONE;
    text.key = key;
    if (o.ancillary) {
        png_set_gAMA(png, info, 0.45455);
        text.text = before;
        png_set_text(png, info, &text, 1);
    }
    png_write_info(png, info);
    const int passes = png_set_interlace_handling(png);
    for (int pass = 0; pass < passes; ++pass)
        for (int y = 0; y < img.height; ++y)
            png_write_row(png, img.row(y));
    if (o.ancillary) {
        text.text = after;
        png_set_text(png, info, &text, 1);
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return out;
}

// --- Chunk surgery for the damaged files ----------------------------------

struct RawChunk
{
    std::string type;
    std::string data;
};

std::uint32_t readBe32(const std::string &s, std::size_t at)
{
    const auto *p = reinterpret_cast<const unsigned char *>(s.data() + at);
    return (std::uint32_t {p[0]} << 24) | (std::uint32_t {p[1]} << 16) | (std::uint32_t {p[2]} << 8) | p[3];
}

std::string be32(std::uint32_t v)
{
    return {static_cast<char>(v >> 24), static_cast<char>(v >> 16), static_cast<char>(v >> 8), static_cast<char>(v)};
}

std::vector<RawChunk> splitChunks(const std::string &png)
{
    std::vector<RawChunk> chunks;
    std::size_t pos = 8;
    while (pos + 12 <= png.size()) {
        const std::uint32_t len = readBe32(png, pos);
        chunks.push_back({png.substr(pos + 4, 4), png.substr(pos + 8, len)});
        pos += 12 + len;
    }
    return chunks;
}

// CRCs computed with zlib, independently of the reader's own.
std::string chunkBytes(const RawChunk &c)
{
    const std::string body = c.type + c.data;
    const auto crc = static_cast<std::uint32_t>(
        crc32(0, reinterpret_cast<const Bytef *>(body.data()), static_cast<uInt>(body.size())));
    return be32(static_cast<std::uint32_t>(c.data.size())) + body + be32(crc);
}

std::string joinChunks(const std::vector<RawChunk> &chunks)
{
    std::string out = "\x89PNG\r\n\x1a\n";
    for (const auto &c : chunks)
        out += chunkBytes(c);
    return out;
}

std::string ihdrData(std::uint32_t w, std::uint32_t h)
{
    return be32(w) + be32(h) + std::string("\x08\x02\x00\x00\x00", 5);
}

std::string zlibOf(const std::string &raw)
{
    uLongf len = compressBound(static_cast<uLong>(raw.size()));
    std::string out(len, '\0');
    EXPECT_EQ(compress2(reinterpret_cast<Bytef *>(out.data()), &len, reinterpret_cast<const Bytef *>(raw.data()),
                        static_cast<uLong>(raw.size()), 6),
              Z_OK);
    out.resize(len);
    return out;
}

// Filter byte 0 then the row, for `rows` rows of `w` pixels, zlib-compressed.
std::string zlibRows(int w, int rows)
{
    std::string raw;
    for (int y = 0; y < rows; ++y) {
        raw += '\0';
        for (int x = 0; x < 3 * w; ++x)
            raw += static_cast<char>(x + y);
    }
    return zlibOf(raw);
}

std::string withChunks(const std::string &ihdr, const std::vector<RawChunk> &middle)
{
    std::vector<RawChunk> chunks {{"IHDR", ihdr}};
    chunks.insert(chunks.end(), middle.begin(), middle.end());
    return joinChunks(chunks);
}

std::string decodeError(const std::string &bytes, const std::string &name)
{
    try {
        decodePng(bytes, name);
    } catch (const FileError &e) {
        return e.what();
    }
    return "(nessun errore)";
}

bool libpngRefuses(const std::string &bytes)
{
    try {
        decodePngWithLibpng(bytes, "x.png");
    } catch (const FileError &) {
        return true;
    }
    return false;
}

} // namespace

TEST(PngFastRead, SameImageAsLibpngForEveryFilterLevelAndLayout)
{
    struct Size
    {
        int w, h;
    };
    const Size sizes[] = {{1, 1}, {1, 23}, {23, 1}, {5, 3}, {31, 9}, {641, 2}, {2, 641}};
    const int filters[]
        = {PNG_FILTER_NONE, PNG_FILTER_SUB, PNG_FILTER_UP, PNG_FILTER_AVG, PNG_FILTER_PAETH, PNG_ALL_FILTERS};
    unsigned seed = 10;
    for (const Size s : sizes)
        for (const int f : filters)
            for (const int level : {0, 1, 6, 9})
                for (const bool isNoise : {true, false}) {
                    const RgbImage img = isNoise ? noiseImage(s.w, s.h, seed) : smooth(s.w, s.h, seed);
                    ++seed;
                    WriteOptions o;
                    o.filters = f;
                    o.level = level;
                    o.idatSize = seed % 3 == 0 ? 7 : 0;
                    o.ancillary = seed % 2 == 0;
                    const std::string bytes = writeWithLibpng(img, o);
                    const std::optional<RgbImage> fast = decodeRgbPngFast(bytes, "f.png");
                    ASSERT_TRUE(fast.has_value()) << s.w << "x" << s.h;
                    const RgbImage reference = decodePngWithLibpng(bytes, "f.png");
                    ASSERT_EQ(reference, img);
                    EXPECT_EQ(*fast, reference) << s.w << "x" << s.h << " filters " << f << " level " << level
                                                << (isNoise ? " noise" : " smooth");
                }
}

TEST(PngFastRead, FullFramesAsLibpngReadsThem)
{
    // 640 x 480: the program's frame size, each filter alone and all together,
    // with many small IDAT chunks and ancillary chunks on both sides of them.
    const kalvor::scene::RoadScene scene;
    const RgbImage frame = scene.frame(17);
    const RgbImage rough = noiseImage(640, 480, 99);
    const int filters[]
        = {PNG_FILTER_NONE, PNG_FILTER_SUB, PNG_FILTER_UP, PNG_FILTER_AVG, PNG_FILTER_PAETH, PNG_ALL_FILTERS};
    for (const int f : filters)
        for (const RgbImage *img : {&frame, &rough}) {
            WriteOptions o;
            o.filters = f;
            o.level = 1;
            o.idatSize = 1000;
            o.ancillary = true;
            const std::string bytes = writeWithLibpng(*img, o);
            const std::optional<RgbImage> fast = decodeRgbPngFast(bytes, "f.png");
            ASSERT_TRUE(fast.has_value());
            EXPECT_EQ(*fast, *img) << "filters " << f;
            EXPECT_EQ(decodePngWithLibpng(bytes, "f.png"), *img);
        }
}

TEST(PngFastRead, ProgramsOwnFilesRoundTrip)
{
    const kalvor::scene::RoadScene scene;
    const RgbImage images[] = {scene.frame(3), noiseImage(1, 1, 1), noiseImage(7, 5, 2), smooth(640, 480, 3)};
    for (const RgbImage &img : images)
        for (const PngSettings settings :
             {PngSettings {}, PngSettings {9, false, false}, PngSettings {0, true, true}}) {
            const std::optional<RgbImage> fast = decodeRgbPngFast(encodePng(img, settings), "f.png");
            ASSERT_TRUE(fast.has_value());
            EXPECT_EQ(*fast, img) << img.width << "x" << img.height << " level " << settings.compressionLevel;
        }
}

TEST(PngFastRead, OtherLayoutsAreLeftToLibpng)
{
    const RgbImage img = smooth(9, 7, 4);
    WriteOptions interlaced;
    interlaced.interlace = PNG_INTERLACE_ADAM7;
    const std::string adam7 = writeWithLibpng(img, interlaced);
    EXPECT_FALSE(decodeRgbPngFast(adam7, "i.png").has_value());
    EXPECT_EQ(decodePng(adam7, "i.png"), img);

    // Grey, palette, alpha and 16-bit headers: not this reader's.
    struct Case
    {
        int bitDepth, colourType;
    };
    const Case others[] = {{8, 0}, {8, 3}, {8, 4}, {8, 6}, {16, 2}, {1, 0}};
    for (const Case c : others) {
        std::string ihdr = ihdrData(2, 2);
        ihdr[8] = static_cast<char>(c.bitDepth);
        ihdr[9] = static_cast<char>(c.colourType);
        const std::string bytes = withChunks(ihdr, {{"IDAT", zlibRows(2, 2)}, {"IEND", ""}});
        EXPECT_FALSE(decodeRgbPngFast(bytes, "a.png").has_value()) << c.bitDepth << "/" << c.colourType;
    }
}

TEST(PngFastRead, AcceptsWhatTheFormatAllows)
{
    const std::string rows = zlibRows(3, 2);
    const std::string ihdr = ihdrData(3, 2);
    RgbImage expected(3, 2);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 9; ++x)
            expected.row(y)[x] = static_cast<std::uint8_t>(x + y);
    const std::string half1 = rows.substr(0, rows.size() / 2);
    const std::string half2 = rows.substr(rows.size() / 2);
    struct Case
    {
        const char *what;
        std::string bytes;
    };
    const Case cases[] = {
        {"plain", withChunks(ihdr, {{"IDAT", rows}, {"IEND", ""}})},
        {"palette before the data", withChunks(ihdr, {{"PLTE", "\1\2\3"}, {"IDAT", rows}, {"IEND", ""}})},
        {"unknown ancillary chunks", withChunks(ihdr, {{"zzZz", "x"}, {"IDAT", rows}, {"abCd", ""}, {"IEND", ""}})},
        {"empty IDAT among others", withChunks(ihdr, {{"IDAT", half1}, {"IDAT", ""}, {"IDAT", half2}, {"IEND", ""}})},
        {"bytes after IEND", withChunks(ihdr, {{"IDAT", rows}, {"IEND", ""}}) + "resto"},
    };
    for (const auto &c : cases) {
        const std::optional<RgbImage> fast = decodeRgbPngFast(c.bytes, "ok.png");
        ASSERT_TRUE(fast.has_value()) << c.what;
        EXPECT_EQ(*fast, expected) << c.what;
        EXPECT_EQ(decodePngWithLibpng(c.bytes, "ok.png"), expected) << c.what;
    }
}

TEST(PngFastRead, DamageIsRefusedNamingTheFile)
{
    const std::string good = encodePng(smooth(12, 10, 7), PngSettings {6, false, false});
    const std::vector<RawChunk> chunks = splitChunks(good);
    ASSERT_EQ(chunks.front().type, "IHDR");
    ASSERT_EQ(chunks[1].type, "IDAT");
    ASSERT_EQ(chunks.size(), 3u);
    ASSERT_EQ(chunks.back().type, "IEND");
    const std::size_t idatData = 8 + 25 + 8; // signature, IHDR chunk, IDAT length and type

    auto flipByte = [&](std::size_t at) {
        std::string s = good;
        s[at] = static_cast<char>(s[at] ^ 0x40);
        return s;
    };
    auto withIdat = [&](const std::string &data) {
        std::vector<RawChunk> c = chunks;
        c[1].data = data;
        return joinChunks(c);
    };
    auto withIhdr = [&](const std::string &data) {
        std::vector<RawChunk> c = chunks;
        c[0].data = data;
        return joinChunks(c);
    };
    const std::string idat = chunks[1].data;
    std::string adlerWrong = idat;
    adlerWrong.back() = static_cast<char>(adlerWrong.back() ^ 1);
    std::string streamFlipped = idat;
    streamFlipped[idat.size() / 2] = static_cast<char>(streamFlipped[idat.size() / 2] ^ 0x10);
    std::string badFilterRows(2 * 10, '\0');
    badFilterRows[10] = 5; // second row
    std::string lengthTooLong = good;
    lengthTooLong.replace(8 + 25, 4, be32(0x80000000u));
    std::string badName = good;
    badName[8 + 25 + 5] = '1';

    std::vector<RawChunk> split = chunks;
    split.insert(split.begin() + 2, RawChunk {"IDAT", ""});
    split[1].data = idat.substr(0, idat.size() / 2);
    split[2].data = idat.substr(idat.size() / 2);
    std::vector<RawChunk> apart = split;
    apart.insert(apart.begin() + 2, RawChunk {"tEXt", std::string("Comment\0x", 9)});

    // libpng only warns about an ancillary chunk's CRC; a frame file with any
    // damaged chunk is refused here.
    std::string damagedText = joinChunks({chunks[0], {"tEXt", std::string("Comment\0x", 9)}, chunks[1], chunks[2]});
    damagedText[8 + 25 + 8 + 9] = static_cast<char>(damagedText[8 + 25 + 8 + 9] ^ 1);
    std::vector<RawChunk> noIend(chunks.begin(), chunks.end() - 1);
    std::vector<RawChunk> noIdat {chunks.front(), chunks.back()};
    std::vector<RawChunk> unknownCritical = chunks;
    unknownCritical.insert(unknownCritical.begin() + 1, RawChunk {"ABCD", "?"});
    std::vector<RawChunk> twoHeaders = chunks;
    twoHeaders.insert(twoHeaders.begin() + 1, chunks.front());
    std::vector<RawChunk> lateHeader = chunks;
    lateHeader.insert(lateHeader.begin() + 2, chunks.front());
    std::vector<RawChunk> latePalette = chunks;
    latePalette.insert(latePalette.end() - 1, RawChunk {"PLTE", "\1\2\3"});
    std::vector<RawChunk> missingHeader(chunks.begin() + 1, chunks.end());

    struct Case
    {
        const char *what;
        std::string bytes;
        const char *why;
    };
    const Case cases[] = {
        {"IHDR CRC", flipByte(8 + 8 + 13), "codice di controllo errato nel blocco IHDR"},
        {"IHDR data", flipByte(8 + 8 + 2), "codice di controllo errato nel blocco IHDR"},
        {"IDAT CRC", flipByte(idatData + idat.size()), "codice di controllo errato nel blocco IDAT"},
        {"IDAT data", flipByte(idatData + 5), "codice di controllo errato nel blocco IDAT"},
        {"IEND CRC", flipByte(good.size() - 1), "codice di controllo errato nel blocco IEND"},
        {"tEXt CRC", damagedText, "codice di controllo errato nel blocco tEXt"},
        {"deflate stream", withIdat(streamFlipped), "dati"},
        {"Adler-32", withIdat(adlerWrong), "dati compressi danneggiati"},
        {"zlib header", withIdat("\x78\x9d" + idat.substr(2)), "dati compressi danneggiati"},
        {"no IEND", joinChunks(noIend), "manca il blocco finale IEND"},
        {"no IDAT", joinChunks(noIdat), "mancano i dati dell'immagine"},
        {"a row too few", withIdat(zlibRows(12, 9)), "dati dell'immagine incompleti"},
        {"a row too many", withIdat(zlibRows(12, 11)), "dati dell'immagine in eccesso"},
        {"IDAT apart", joinChunks(apart), "blocchi IDAT non consecutivi"},
        {"zero width", withIhdr(ihdrData(0, 10)), "larghezza o altezza nulla"},
        {"zero height", withIhdr(ihdrData(12, 0)), "larghezza o altezza nulla"},
        {"width over 2^31-1", withIhdr(ihdrData(0x80000000u, 1)), "dimensioni non valide"},
        {"IHDR length", withIhdr(ihdrData(12, 10) + "x"), "intestazione IHDR non valida"},
        {"chunk length over 2^31-1", lengthTooLong, "lunghezza di un blocco non valida"},
        {"chunk name", badName, "nome di un blocco non valido"},
        {"unknown critical chunk", joinChunks(unknownCritical), "blocco critico sconosciuto ABCD"},
        {"IHDR twice", joinChunks(twoHeaders), "intestazione IHDR ripetuta"},
        {"IHDR after the data", joinChunks(lateHeader), "intestazione IHDR ripetuta"},
        {"PLTE after the data", joinChunks(latePalette), "blocco PLTE fuori posto"},
        {"IDAT first", joinChunks(missingHeader), "manca l'intestazione IHDR"},
        {"filter type 5", withChunks(ihdrData(3, 2), {{"IDAT", zlibOf(badFilterRows)}, {"IEND", ""}}),
         "filtro di riga sconosciuto (5)"},
    };
    for (const auto &c : cases) {
        const std::string message = decodeError(c.bytes, "/dati/rotto.png");
        EXPECT_EQ(message.rfind("Impossibile leggere l'immagine \"/dati/rotto.png\": ", 0), 0u)
            << c.what << ": " << message;
        EXPECT_NE(message.find(c.why), std::string::npos) << c.what << ": " << message;
        EXPECT_EQ(message.back(), '.') << c.what;
    }
}

// Found by the PNG fuzz target: 8-bit RGB, 16 x 35, whose suggested palette
// is empty. The fast reader decoded it, libpng refuses it.
TEST(PngFastRead, AnEmptyPaletteIsRefusedByBothReaders)
{
    const std::string bytes(
        "\x89\x50\x4e\x47\x0d\x0a\x1a\x0a\x00\x00\x00\x0d\x49\x48\x44\x52\x00\x00\x00\x10\x00\x00\x00\x23"
        "\x08\x02\x00\x00\x00\x12\x7f\x1d\x35\x00\x00\x00\x00\x50\x4c\x54\x45\x4b\xa8\x89\x55\x00\x00\x00"
        "\x15\x49\x44\x41\x54\x78\x5e\x63\x18\x05\xa3\x60\x14\x8c\x82\x51\x30\x0a\x86\x06\x00\x00\x06\xb3"
        "\x00\x01\x3f\x7d\xef\xf7\x00\x00\x00\x01\x49\x45\x4e\x44\x00\xd1\x1a\x4f\xe1",
        91);
    EXPECT_EQ(decodeError(bytes, "p.png"), "Impossibile leggere l'immagine \"p.png\": blocco PLTE vuoto.");
    EXPECT_THROW(decodePngWithLibpng(bytes, "p.png"), FileError);
    // The same file with the palette chunk left out is a good picture.
    const std::string withoutPalette = bytes.substr(0, 33) + bytes.substr(45);
    EXPECT_EQ(decodeRgbPngFast(withoutPalette, "p.png"), decodePngWithLibpng(withoutPalette, "p.png"));
}

TEST(PngFastRead, TruncationAnywhereIsRefused)
{
    for (const std::string &good :
         {encodePng(noiseImage(4, 3, 8)), writeWithLibpng(smooth(6, 6, 9), {PNG_ALL_FILTERS, 6, 10, true})}) {
        for (std::size_t cut = 8; cut < good.size(); ++cut) {
            const std::string bytes = good.substr(0, cut);
            EXPECT_THROW(decodePng(bytes, "t.png"), FileError) << "cut at " << cut;
            EXPECT_TRUE(libpngRefuses(bytes)) << "cut at " << cut;
        }
        for (std::size_t cut = 0; cut < 8; ++cut)
            EXPECT_EQ(decodeError(good.substr(0, cut), "t.png"), "Il file \"t.png\" non è un'immagine PNG.");
    }
}

TEST(PngFastRead, TooLargeImagesAreRefusedBeforeAnyAllocation)
{
    // Past 8192 pixels a side, whatever the layout and the data say; libpng
    // once allocated 0.8 GB for a 92-byte 16384 x 16384 file before it found
    // the data short.
    struct Case
    {
        std::uint32_t w, h;
        int bitDepth, colourType, interlace;
        const char *expected;
    };
    const Case cases[] = {
        {20000, 20000, 8, 2, 0, "L'immagine \"g.png\" misura 20000 x 20000 pixel: il massimo è 8192 x 8192."},
        {16384, 16384, 8, 3, 0, "L'immagine \"g.png\" misura 16384 x 16384 pixel: il massimo è 8192 x 8192."},
        {16384, 16384, 16, 2, 0, "L'immagine \"g.png\" misura 16384 x 16384 pixel: il massimo è 8192 x 8192."},
        {16384, 16384, 8, 2, 1, "L'immagine \"g.png\" misura 16384 x 16384 pixel: il massimo è 8192 x 8192."},
        {8193, 1, 8, 2, 0, "L'immagine \"g.png\" misura 8193 x 1 pixel: il massimo è 8192 x 8192."},
        {1, 8193, 8, 0, 0, "L'immagine \"g.png\" misura 1 x 8193 pixel: il massimo è 8192 x 8192."},
    };
    for (const Case &c : cases) {
        std::string ihdr = ihdrData(c.w, c.h);
        ihdr[8] = static_cast<char>(c.bitDepth);
        ihdr[9] = static_cast<char>(c.colourType);
        ihdr[12] = static_cast<char>(c.interlace);
        const std::string bytes = withChunks(ihdr, {{"IDAT", std::string(1024, 'x')}, {"IEND", ""}});
        EXPECT_EQ(decodeError(bytes, "g.png"), c.expected);
        try {
            decodePngWithLibpng(bytes, "g.png");
            ADD_FAILURE() << c.w << " x " << c.h;
        } catch (const FileError &e) {
            EXPECT_STREQ(e.what(), c.expected);
        }
    }
}

TEST(PngFastRead, ChunkLengthsAreCheckedAgainstTheFileOnBothPaths)
{
    // 44 bytes: a 16-bit header then a text chunk claiming 0x7ffffff0 bytes.
    // libpng used to allocate and clear the claimed length (2.1 GB, 7.5 s).
    std::string ihdr = ihdrData(2, 2);
    ihdr[8] = 16;
    std::string bytes = withChunks(ihdr, {});
    bytes += be32(0x7ffffff0) + "tEXtabc";
    ASSERT_EQ(bytes.size(), 44u);
    const std::string expected = "Impossibile leggere l'immagine \"t.png\": dati PNG troncati.";
    EXPECT_EQ(decodeError(bytes, "t.png"), expected);
    try {
        decodePngWithLibpng(bytes, "t.png");
        ADD_FAILURE();
    } catch (const FileError &e) {
        EXPECT_EQ(e.what(), expected);
    }
}

TEST(PngFastRead, LibpngPathRefusesHeadersItsDataCannotFill)
{
    // Within the size limit, but 1 KB of data cannot inflate to these images:
    // refused before libpng allocates the picture.
    struct Case
    {
        int bitDepth, colourType, interlace;
    };
    for (const Case c : {Case {16, 2, 0}, Case {8, 3, 0}, Case {8, 2, 1}, Case {8, 6, 0}, Case {1, 0, 0}}) {
        std::string ihdr = ihdrData(8000, 8000);
        ihdr[8] = static_cast<char>(c.bitDepth);
        ihdr[9] = static_cast<char>(c.colourType);
        ihdr[12] = static_cast<char>(c.interlace);
        const std::string bytes = withChunks(ihdr, {{"IDAT", std::string(1024, 'x')}, {"IEND", ""}});
        EXPECT_EQ(decodeError(bytes, "h.png"),
                  "Impossibile leggere l'immagine \"h.png\": dati dell'immagine incompleti.")
            << c.bitDepth << "/" << c.colourType << "/" << c.interlace;
    }
    // A small 16-bit image whose data does fill it still goes through.
    std::string ihdr = ihdrData(2, 1);
    ihdr[8] = 16;
    const std::string raw = std::string(1, '\0') + std::string(12, '\x80');
    const RgbImage read = decodePng(withChunks(ihdr, {{"IDAT", zlibOf(raw)}, {"IEND", ""}}), "s.png");
    EXPECT_EQ(read.pixels, std::vector<std::uint8_t>(6, 0x80));
}

TEST(PngFastRead, AHugeHeaderOverLittleDataIsRefused)
{
    // 8000 x 8000 is within the limit, but 200 compressed bytes cannot hold it.
    const std::string bytes = withChunks(ihdrData(8000, 8000), {{"IDAT", zlibRows(60, 2)}, {"IEND", ""}});
    EXPECT_EQ(decodeError(bytes, "h.png"), "Impossibile leggere l'immagine \"h.png\": dati dell'immagine incompleti.");
    // Highly compressible data that does hold it is read.
    const RgbImage flat(2000, 1000);
    const std::optional<RgbImage> read = decodeRgbPngFast(encodePng(flat, PngSettings {9, false, false}), "p.png");
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(*read, flat);
}

TEST(PngFastRead, ThreadsKeepTheirOwnBuffers)
{
    // Large then small then large, on two threads at once: no buffer leaks data
    // from one image into another.
    const RgbImage big = noiseImage(640, 480, 21);
    const RgbImage small = smooth(5, 4, 22);
    const std::string bigBytes = encodePng(big);
    const std::string smallBytes = writeWithLibpng(small, {PNG_FILTER_PAETH, 9, 9, false});
    auto decodeMany = [&](int firstBig) {
        for (int i = 0; i < 6; ++i) {
            const bool isBig = (i + firstBig) % 2 == 0;
            if (decodePng(isBig ? bigBytes : smallBytes, "m.png") != (isBig ? big : small))
                return false;
        }
        return true;
    };
    auto other = std::async(std::launch::async, decodeMany, 1);
    EXPECT_TRUE(decodeMany(0));
    EXPECT_TRUE(other.get());
}

TEST(PngFastRead, RowFiltersMatchTheByteByByteDefinition)
{
    std::mt19937 rng(5);
    for (const std::size_t rowBytes : {3u, 6u, 15u, 18u, 45u, 48u, 51u, 1920u, 1923u})
        for (int filter = 0; filter <= 4; ++filter)
            for (int trial = 0; trial < 4; ++trial) {
                std::vector<std::uint8_t> filtered(rowBytes);
                std::vector<std::uint8_t> previous(rowBytes);
                for (auto &b : filtered)
                    b = static_cast<std::uint8_t>(rng());
                for (auto &b : previous)
                    b = trial == 0 ? 0 : static_cast<std::uint8_t>(rng());
                std::vector<std::uint8_t> fast(rowBytes, 0xAA);
                std::vector<std::uint8_t> reference(rowBytes, 0x55);
                ASSERT_TRUE(unfilterRgbRow(filter, filtered.data(), previous.data(), fast.data(), rowBytes));
                ASSERT_TRUE(
                    unfilterRgbRowReference(filter, filtered.data(), previous.data(), reference.data(), rowBytes));
                EXPECT_EQ(fast, reference) << "filter " << filter << ", " << rowBytes << " bytes";
            }
    std::uint8_t row[3] = {};
    EXPECT_FALSE(unfilterRgbRow(5, row, row, row, 3));
    EXPECT_FALSE(unfilterRgbRowReference(5, row, row, row, 3));
}

TEST(PngFastRead, WorkedFilterExample)
{
    // Two pixels under a known row. The second pixel's Paeth predictor is the
    // left byte for red, the upper-left byte for green, the byte above for blue.
    const std::uint8_t above[6] = {10, 40, 30, 40, 60, 60};
    const std::uint8_t filtered[6] = {190, 236, 3, 250, 5, 6};
    struct Case
    {
        int filter;
        std::array<std::uint8_t, 6> expected;
    };
    const Case cases[] = {{0, {190, 236, 3, 250, 5, 6}},
                          {1, {190, 236, 3, 184, 241, 9}},
                          {2, {200, 20, 33, 34, 65, 66}},
                          {3, {195, 0, 18, 111, 35, 45}},
                          {4, {200, 20, 33, 194, 45, 66}}};
    for (const auto &c : cases) {
        std::array<std::uint8_t, 6> fast {};
        std::array<std::uint8_t, 6> reference {};
        ASSERT_TRUE(unfilterRgbRow(c.filter, filtered, above, fast.data(), 6));
        ASSERT_TRUE(unfilterRgbRowReference(c.filter, filtered, above, reference.data(), 6));
        EXPECT_EQ(fast, c.expected) << "filter " << c.filter;
        EXPECT_EQ(reference, c.expected) << "filter " << c.filter;
    }
}
