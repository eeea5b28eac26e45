// SPDX-License-Identifier: GPL-3.0-or-later
// A mutator that knows the PNG layout. Byte mutations alone almost never get
// past the chunk CRCs and the zlib checksum, so the readers' inflate and
// filter code stays unreached. This one mutates a chunk's data, the inflated
// image (re-deflated), the header's fields or the chunk order, or writes a
// fresh image of a random kind, and then writes every chunk with its CRC.
// Sometimes a plain byte mutation is left as it is, so the damage paths stay
// covered too.
#include <libdeflate.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <random>
#include <string>
#include <vector>

extern "C" std::size_t LLVMFuzzerMutate(std::uint8_t *data, std::size_t size, std::size_t maxSize);

namespace {

constexpr std::array<unsigned char, 8> kSignature {137, 'P', 'N', 'G', 13, 10, 26, 10};
// The largest image the mutator inflates or writes: mutations stay quick.
constexpr std::size_t kMaxRawBytes = std::size_t {1} << 20;

struct Chunk
{
    std::string type;
    std::string data;
};

struct Png
{
    std::vector<Chunk> chunks;
    std::string tail; // bytes after the last whole chunk
};

std::uint32_t readBigEndian(const unsigned char *p)
{
    return (std::uint32_t {p[0]} << 24) | (std::uint32_t {p[1]} << 16) | (std::uint32_t {p[2]} << 8) | p[3];
}

void appendBigEndian(std::string &out, std::uint32_t v)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<char>((v >> shift) & 0xff));
}

// The chunks as far as their lengths fit in the bytes; false without a signature.
bool parsePng(const std::uint8_t *data, std::size_t size, Png &png)
{
    if (size < kSignature.size() || std::memcmp(data, kSignature.data(), kSignature.size()) != 0)
        return false;
    std::size_t pos = kSignature.size();
    while (size - pos >= 12) {
        const std::uint32_t length = readBigEndian(data + pos);
        if (length > size - pos - 12)
            break;
        png.chunks.push_back({std::string(reinterpret_cast<const char *>(data + pos + 4), 4),
                              std::string(reinterpret_cast<const char *>(data + pos + 8), length)});
        pos += std::size_t {length} + 12;
    }
    png.tail.assign(reinterpret_cast<const char *>(data + pos), size - pos);
    return true;
}

std::string serialise(const Png &png)
{
    std::string out(kSignature.begin(), kSignature.end());
    for (const Chunk &c : png.chunks) {
        appendBigEndian(out, static_cast<std::uint32_t>(c.data.size()));
        const std::string typeAndData = c.type.substr(0, 4) + c.data;
        out += typeAndData;
        appendBigEndian(out, libdeflate_crc32(0, typeAndData.data(), typeAndData.size()));
    }
    return out + png.tail;
}

// Rewrites the CRC of every chunk whose length fits, in place.
void fixCrcs(std::uint8_t *data, std::size_t size)
{
    std::size_t pos = kSignature.size();
    while (size >= pos + 12) {
        const std::uint32_t length = readBigEndian(data + pos);
        if (length > size - pos - 12)
            return;
        const std::uint32_t crc = libdeflate_crc32(0, data + pos + 4, std::size_t {length} + 4);
        for (int i = 0; i < 4; ++i)
            data[pos + 8 + length + i] = static_cast<std::uint8_t>(crc >> (24 - 8 * i));
        pos += std::size_t {length} + 12;
    }
}

using Rng = std::minstd_rand;

std::size_t pick(Rng &rng, std::size_t n)
{
    return std::uniform_int_distribution<std::size_t>(0, n - 1)(rng);
}

// LLVMFuzzerMutate on a string, letting it grow by up to `room` bytes.
void mutateBytes(std::string &s, std::size_t room)
{
    const std::size_t size = s.size();
    s.resize(size + room);
    s.resize(LLVMFuzzerMutate(reinterpret_cast<std::uint8_t *>(s.data()), size, s.size()));
}

std::string inflate(const std::string &compressed)
{
    // One output buffer for the whole run: a fresh megabyte per mutation
    // costs more than the mutation.
    static std::vector<char> buffer(kMaxRawBytes);
    libdeflate_decompressor *d = libdeflate_alloc_decompressor();
    std::size_t actual = 0;
    const libdeflate_result r
        = libdeflate_zlib_decompress(d, compressed.data(), compressed.size(), buffer.data(), buffer.size(), &actual);
    libdeflate_free_decompressor(d);
    return r == LIBDEFLATE_SUCCESS ? std::string(buffer.data(), actual) : std::string();
}

std::string deflate(const std::string &raw, int level)
{
    libdeflate_compressor *c = libdeflate_alloc_compressor(level);
    if (c == nullptr)
        c = libdeflate_alloc_compressor(6);
    std::string out(libdeflate_zlib_compress_bound(c, raw.size()), '\0');
    out.resize(libdeflate_zlib_compress(c, raw.data(), raw.size(), out.data(), out.size()));
    libdeflate_free_compressor(c);
    return out;
}

// Replaces the image data chunks by `compressed`, in one to three chunks.
void replaceImageData(Png &png, const std::string &compressed, Rng &rng)
{
    auto first = std::find_if(png.chunks.begin(), png.chunks.end(), [](const Chunk &c) { return c.type == "IDAT"; });
    const std::size_t at = static_cast<std::size_t>(first - png.chunks.begin());
    std::erase_if(png.chunks, [](const Chunk &c) { return c.type == "IDAT"; });
    const std::size_t parts = 1 + pick(rng, 3);
    std::vector<Chunk> idat;
    std::size_t from = 0;
    for (std::size_t i = 0; i < parts; ++i) {
        const std::size_t to = i + 1 == parts ? compressed.size() : from + pick(rng, compressed.size() - from + 1);
        idat.push_back({"IDAT", compressed.substr(from, to - from)});
        from = to;
    }
    png.chunks.insert(png.chunks.begin() + static_cast<std::ptrdiff_t>(std::min(at, png.chunks.size())), idat.begin(),
                      idat.end());
}

std::string joinedImageData(const Png &png)
{
    std::string all;
    for (const Chunk &c : png.chunks)
        if (c.type == "IDAT")
            all += c.data;
    return all;
}

unsigned samplesPerPixel(unsigned colourType)
{
    switch (colourType) {
    case 0:
    case 3:
        return 1;
    case 2:
        return 3;
    case 4:
        return 2;
    default:
        return 4;
    }
}

// Filter byte positions of the raw image of a header, Adam7 passes included.
std::vector<std::size_t> rowStarts(std::uint32_t width, std::uint32_t height, unsigned bitsPerPixel, bool interlaced)
{
    struct Pass
    {
        std::uint32_t x0, y0, dx, dy;
    };
    static constexpr std::array<Pass, 7> kAdam7 {
        {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4}, {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}}};
    const std::array<Pass, 1> whole {{{0, 0, 1, 1}}};
    std::vector<std::size_t> starts;
    std::size_t pos = 0;
    auto addPass = [&](const Pass &p) {
        const std::uint64_t w = width > p.x0 ? (width - p.x0 + p.dx - 1) / p.dx : 0;
        const std::uint64_t h = height > p.y0 ? (height - p.y0 + p.dy - 1) / p.dy : 0;
        if (w == 0)
            return;
        for (std::uint64_t y = 0; y < h; ++y) {
            starts.push_back(pos);
            pos += 1 + static_cast<std::size_t>((w * bitsPerPixel + 7) / 8);
        }
    };
    if (interlaced)
        for (const Pass &p : kAdam7)
            addPass(p);
    else
        addPass(whole[0]);
    starts.push_back(pos); // the end
    return starts;
}

struct Kind
{
    unsigned colourType;
    unsigned bitDepth;
};

// A whole new small image of a valid kind, its rows filtered at random.
Png freshImage(Rng &rng)
{
    static constexpr std::array<Kind, 15> kKinds {{{2, 8},
                                                   {0, 1},
                                                   {0, 2},
                                                   {0, 4},
                                                   {0, 8},
                                                   {0, 16},
                                                   {2, 16},
                                                   {3, 1},
                                                   {3, 2},
                                                   {3, 4},
                                                   {3, 8},
                                                   {4, 8},
                                                   {4, 16},
                                                   {6, 8},
                                                   {6, 16}}};
    // Half of them the program's own layout, which both readers decode.
    const Kind kind = pick(rng, 2) == 0 ? kKinds[0] : kKinds[pick(rng, kKinds.size())];
    const auto width = static_cast<std::uint32_t>(1 + pick(rng, 40));
    const auto height = static_cast<std::uint32_t>(1 + pick(rng, 40));
    const bool interlaced = pick(rng, 4) == 0;
    const std::vector<std::size_t> starts
        = rowStarts(width, height, samplesPerPixel(kind.colourType) * kind.bitDepth, interlaced);
    std::string raw(starts.back(), '\0');
    for (char &c : raw)
        c = static_cast<char>(pick(rng, 256));
    for (std::size_t i = 0; i + 1 < starts.size(); ++i)
        raw[starts[i]] = static_cast<char>(pick(rng, 5));

    Png png;
    std::string ihdr;
    appendBigEndian(ihdr, width);
    appendBigEndian(ihdr, height);
    ihdr += {static_cast<char>(kind.bitDepth), static_cast<char>(kind.colourType), 0, 0,
             static_cast<char>(interlaced ? 1 : 0)};
    png.chunks.push_back({"IHDR", ihdr});
    if (kind.colourType == 3 || (kind.colourType == 2 && pick(rng, 8) == 0)) {
        std::string palette(3 * (1 + pick(rng, 256)), '\0');
        for (char &c : palette)
            c = static_cast<char>(pick(rng, 256));
        png.chunks.push_back({"PLTE", palette});
    }
    if (pick(rng, 6) == 0) {
        std::string transparency(kind.colourType == 2 ? 6 : kind.colourType == 3 ? 1 + pick(rng, 16) : 2, '\0');
        for (char &c : transparency)
            c = static_cast<char>(pick(rng, 256));
        png.chunks.push_back({"tRNS", transparency});
    }
    png.chunks.push_back({"IDAT", ""});
    replaceImageData(png, deflate(raw, static_cast<int>(pick(rng, 13))), rng);
    png.chunks.push_back({"IEND", ""});
    return png;
}

// Mutates the inflated image: bytes, filter types or its length; false when
// there is no image data that inflates.
bool mutateImageData(Png &png, Rng &rng)
{
    std::string raw = inflate(joinedImageData(png));
    if (raw.empty())
        return false;
    switch (pick(rng, 3)) {
    case 0: // some bytes, the length kept unless the fuzzer's mutation is kept whole
    {
        const std::size_t size = raw.size();
        mutateBytes(raw, pick(rng, 4) == 0 ? 64 : 0);
        if (pick(rng, 4) != 0)
            raw.resize(size, '\0');
        break;
    }
    case 1: // the filter type of a few rows, assuming the program's layout
    {
        const auto &ihdr = png.chunks.front().data;
        const std::uint32_t width
            = ihdr.size() >= 4 ? readBigEndian(reinterpret_cast<const unsigned char *>(ihdr.data())) : 1;
        const std::size_t stride = 1 + std::size_t {std::max<std::uint32_t>(width, 1)} * 3;
        for (std::size_t n = 1 + pick(rng, 4); n > 0; --n) {
            const std::size_t row = pick(rng, (raw.size() + stride - 1) / stride);
            raw[row * stride] = static_cast<char>(pick(rng, 8) == 0 ? pick(rng, 256) : pick(rng, 5));
        }
        break;
    }
    default: // cut or lengthen by a little
        raw.resize(pick(rng, 2) == 0 && raw.size() > 1
                       ? raw.size() - 1 - pick(rng, std::min<std::size_t>(raw.size() - 1, 16))
                       : raw.size() + 1 + pick(rng, 16),
                   '\0');
        break;
    }
    replaceImageData(png, deflate(raw, static_cast<int>(pick(rng, 13))), rng);
    return true;
}

// One header field set to a plain or an edge value.
void mutateHeader(Png &png, Rng &rng)
{
    std::string &ihdr = png.chunks.front().data;
    ihdr.resize(13, '\0');
    static constexpr std::array<std::uint32_t, 9> kSides {0, 1, 2, 7, 8, 8192, 8193, 0x7fffffff, 0x80000000};
    const std::size_t field = pick(rng, 5);
    if (field < 2) {
        std::string side;
        appendBigEndian(
            side, pick(rng, 2) == 0 ? kSides[pick(rng, kSides.size())] : static_cast<std::uint32_t>(1 + pick(rng, 64)));
        ihdr.replace(4 * field, 4, side);
    } else if (field == 2) {
        static constexpr std::array<char, 6> kDepths {1, 2, 4, 8, 16, 3};
        ihdr[8] = kDepths[pick(rng, kDepths.size())];
    } else if (field == 3) {
        static constexpr std::array<char, 6> kTypes {0, 2, 3, 4, 6, 1};
        ihdr[9] = kTypes[pick(rng, kTypes.size())];
    } else {
        ihdr[10 + pick(rng, 3)] = static_cast<char>(pick(rng, 3));
    }
}

// Deletes, repeats, swaps or adds a chunk.
void mutateChunkOrder(Png &png, Rng &rng)
{
    std::vector<Chunk> &c = png.chunks;
    switch (pick(rng, 4)) {
    case 0:
        c.erase(c.begin() + static_cast<std::ptrdiff_t>(pick(rng, c.size())));
        break;
    case 1: {
        const Chunk copy = c[pick(rng, c.size())];
        c.insert(c.begin() + static_cast<std::ptrdiff_t>(pick(rng, c.size() + 1)), copy);
        break;
    }
    case 2:
        if (c.size() >= 2) {
            const std::size_t i = pick(rng, c.size() - 1);
            std::swap(c[i], c[i + 1]);
        }
        break;
    default: {
        static constexpr std::array<const char *, 8> kTypes {"tEXt", "gAMA", "sRGB", "pHYs",
                                                             "bKGD", "PLTE", "tRNS", "zzZz"};
        std::string data(pick(rng, 24), '\0');
        for (char &ch : data)
            ch = static_cast<char>(pick(rng, 256));
        c.insert(c.begin() + static_cast<std::ptrdiff_t>(pick(rng, c.size() + 1)),
                 Chunk {kTypes[pick(rng, kTypes.size())], data});
        break;
    }
    }
}

std::size_t plainMutation(std::uint8_t *data, std::size_t size, std::size_t maxSize, Rng &rng)
{
    size = LLVMFuzzerMutate(data, size, maxSize);
    if (pick(rng, 10) != 0)
        fixCrcs(data, size);
    return size;
}

} // namespace

extern "C" std::size_t LLVMFuzzerCustomMutator(std::uint8_t *data, std::size_t size, std::size_t maxSize,
                                               unsigned int seed)
{
    Rng rng(seed);
    Png png;
    const std::size_t strategy = pick(rng, 10);
    if (strategy == 0 || !parsePng(data, size, png) || png.chunks.empty() || png.chunks.front().type != "IHDR") {
        if (strategy < 2 || size < kSignature.size())
            png = freshImage(rng);
        else
            return plainMutation(data, size, maxSize, rng);
    } else if (strategy <= 3) {
        Chunk &chunk = png.chunks[pick(rng, png.chunks.size())];
        mutateBytes(chunk.data, 32);
    } else if (strategy <= 6) {
        if (!mutateImageData(png, rng))
            return plainMutation(data, size, maxSize, rng);
    } else if (strategy == 7) {
        mutateHeader(png, rng);
    } else if (strategy == 8) {
        mutateChunkOrder(png, rng);
    } else {
        return plainMutation(data, size, maxSize, rng);
    }
    const std::string out = serialise(png);
    if (out.size() > maxSize)
        return plainMutation(data, size, maxSize, rng);
    std::memcpy(data, out.data(), out.size());
    return out.size();
}
