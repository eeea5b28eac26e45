// SPDX-License-Identifier: GPL-3.0-or-later
#include "extraction/png_fast_read.hpp"

#include "common/errors.hpp"
#include "common/printable.hpp"

#include <cstdlib>
#include <cstring>
#include <libdeflate.h>
#include <memory>
#include <new>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace kalvor {

namespace {

constexpr unsigned char kSignature[8] = {137, 80, 78, 71, 13, 10, 26, 10};
constexpr std::uint32_t kMaxChunkLength = 0x7fffffffu;
// A thread keeps its buffers for the next frame unless they grew past this.
constexpr std::size_t kMaxDeflateRatio = 1032;
constexpr std::size_t kKeptBufferBytes = std::size_t {64} << 20;

std::uint32_t bigEndian32(const unsigned char *p)
{
    return (std::uint32_t {p[0]} << 24) | (std::uint32_t {p[1]} << 16) | (std::uint32_t {p[2]} << 8) | p[3];
}

FileError damaged(const std::string &name, const std::string &why)
{
    return FileError("Impossibile leggere l'immagine \"" + printable(name) + "\": " + why + ".");
}

struct DecompressorDeleter
{
    void operator()(libdeflate_decompressor *d) const { libdeflate_free_decompressor(d); }
};

// What one decoding thread reuses from one frame to the next.
struct ThreadBuffers
{
    std::unique_ptr<libdeflate_decompressor, DecompressorDeleter> decompressor;
    std::vector<std::uint8_t> compressed; // IDAT data when split over several chunks
    std::vector<std::uint8_t> inflated; // filter byte + row, for every row
    std::vector<std::uint8_t> zeros; // the row above the first one
};

ThreadBuffers &threadBuffers()
{
    thread_local ThreadBuffers buffers;
    if (!buffers.decompressor) {
        buffers.decompressor.reset(libdeflate_alloc_decompressor());
        if (!buffers.decompressor)
            throw std::bad_alloc();
    }
    return buffers;
}

// Frees what a very large image made a thread keep, however decoding ends.
struct BufferTrim
{
    ThreadBuffers &buffers;
    ~BufferTrim()
    {
        if (buffers.compressed.capacity() > kKeptBufferBytes)
            std::vector<std::uint8_t>().swap(buffers.compressed);
        if (buffers.inflated.capacity() > kKeptBufferBytes)
            std::vector<std::uint8_t>().swap(buffers.inflated);
        if (buffers.zeros.capacity() > kKeptBufferBytes)
            std::vector<std::uint8_t>().swap(buffers.zeros);
    }
};

struct Chunk
{
    std::uint32_t length = 0;
    std::string type;
    const unsigned char *data = nullptr;
};

bool isChunkLetter(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// The chunk at `pos`, its CRC checked; `pos` moves past it.
Chunk readChunk(const unsigned char *bytes, std::size_t size, std::size_t &pos, const std::string &name)
{
    if (size - pos < 8)
        throw damaged(name, "dati PNG troncati");
    const unsigned char *head = bytes + pos;
    Chunk chunk;
    chunk.length = bigEndian32(head);
    if (chunk.length > kMaxChunkLength)
        throw damaged(name, "lunghezza di un blocco non valida");
    for (int i = 4; i < 8; ++i)
        if (!isChunkLetter(head[i]))
            throw damaged(name, "nome di un blocco non valido");
    chunk.type.assign(reinterpret_cast<const char *>(head + 4), 4);
    if (size - pos - 8 < std::size_t {chunk.length} + 4)
        throw damaged(name, "dati PNG troncati");
    chunk.data = head + 8;
    const std::uint32_t stored = bigEndian32(chunk.data + chunk.length);
    if (libdeflate_crc32(0, head + 4, std::size_t {chunk.length} + 4) != stored)
        throw damaged(name, "codice di controllo errato nel blocco " + chunk.type);
    pos += std::size_t {chunk.length} + 12;
    return chunk;
}

bool isCritical(const std::string &type)
{
    return (static_cast<unsigned char>(type[0]) & 0x20) == 0;
}

struct Header
{
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    unsigned bitDepth = 0;
    unsigned colourType = 0;
    bool mine = false;
};

Header readHeader(const Chunk &ihdr, const std::string &name)
{
    if (ihdr.type != "IHDR")
        throw damaged(name, "manca l'intestazione IHDR");
    if (ihdr.length != 13)
        throw damaged(name, "intestazione IHDR non valida");
    Header h;
    h.width = bigEndian32(ihdr.data);
    h.height = bigEndian32(ihdr.data + 4);
    if (h.width == 0 || h.height == 0)
        throw damaged(name, "larghezza o altezza nulla");
    if (h.width > kMaxChunkLength || h.height > kMaxChunkLength)
        throw damaged(name, "dimensioni non valide");
    if (h.width > kMaxFrameSide || h.height > kMaxFrameSide)
        throw FileError("L'immagine \"" + printable(name) + "\" misura " + std::to_string(h.width) + " x "
                        + std::to_string(h.height) + " pixel: il massimo è " + std::to_string(kMaxFrameSide) + " x "
                        + std::to_string(kMaxFrameSide) + ".");
    h.bitDepth = ihdr.data[8];
    h.colourType = ihdr.data[9];
    const unsigned compression = ihdr.data[10];
    const unsigned filterMethod = ihdr.data[11];
    const unsigned interlace = ihdr.data[12];
    h.mine = h.bitDepth == 8 && h.colourType == 2 && compression == 0 && filterMethod == 0 && interlace == 0;
    return h;
}

// Deflate expands at most 1032 to 1: a header that promises far more bytes
// than its data can hold is refused before any buffer is grown for it.
void checkInflatable(std::uint64_t outLength, std::uint64_t inLength, const std::string &name)
{
    if (outLength / kMaxDeflateRatio > inLength + 1024)
        throw damaged(name, "dati dell'immagine incompleti");
}

unsigned samplesPerPixel(unsigned colourType)
{
    switch (colourType) {
    case 2:
        return 3;
    case 4:
        return 2;
    case 6:
        return 4;
    default:
        return 1;
    }
}

// The image data of every IDAT chunk, in one piece. A single chunk is used in
// place; several are joined in the thread's buffer. `pos` is just after IHDR.
std::pair<const std::uint8_t *, std::size_t> gatherImageData(const unsigned char *bytes, std::size_t size,
                                                             std::size_t pos, ThreadBuffers &buffers,
                                                             const std::string &name)
{
    const std::uint8_t *first = nullptr;
    std::size_t firstLength = 0;
    int idatCount = 0;
    bool idatEnded = false;
    bool palette = false;
    buffers.compressed.clear();
    for (;;) {
        if (pos == size)
            throw damaged(name, "manca il blocco finale IEND");
        const Chunk chunk = readChunk(bytes, size, pos, name);
        if (chunk.type == "IDAT") {
            if (idatEnded)
                throw damaged(name, "blocchi IDAT non consecutivi");
            if (idatCount == 0) {
                first = chunk.data;
                firstLength = chunk.length;
            } else {
                if (idatCount == 1)
                    buffers.compressed.assign(first, first + firstLength);
                buffers.compressed.insert(buffers.compressed.end(), chunk.data, chunk.data + chunk.length);
            }
            ++idatCount;
            continue;
        }
        if (idatCount > 0)
            idatEnded = true;
        if (chunk.type == "IEND")
            break;
        if (chunk.type == "IHDR")
            throw damaged(name, "intestazione IHDR ripetuta");
        if (chunk.type == "PLTE") {
            // A suggested palette means nothing to an RGB picture, but it has its place.
            if (idatCount > 0 || palette)
                throw damaged(name, "blocco PLTE fuori posto");
            // libpng refuses an empty one whatever the colour type.
            if (chunk.length == 0)
                throw damaged(name, "blocco PLTE vuoto");
            palette = true;
            continue;
        }
        if (isCritical(chunk.type))
            throw damaged(name, "blocco critico sconosciuto " + chunk.type);
    }
    if (idatCount == 0)
        throw damaged(name, "mancano i dati dell'immagine");
    if (idatCount == 1)
        return {first, firstLength};
    return {buffers.compressed.data(), buffers.compressed.size()};
}

void inflateImageData(ThreadBuffers &buffers, const std::uint8_t *in, std::size_t inLength, std::size_t outLength,
                      const std::string &name)
{
    checkInflatable(outLength, inLength, name);
    if (buffers.inflated.size() < outLength)
        buffers.inflated.resize(outLength);
    // No actual-size pointer: libdeflate then insists on exactly outLength bytes.
    const libdeflate_result result = libdeflate_zlib_decompress(buffers.decompressor.get(), in, inLength,
                                                                buffers.inflated.data(), outLength, nullptr);
    switch (result) {
    case LIBDEFLATE_SUCCESS:
        return;
    case LIBDEFLATE_SHORT_OUTPUT:
        throw damaged(name, "dati dell'immagine incompleti");
    case LIBDEFLATE_INSUFFICIENT_SPACE:
        throw damaged(name, "dati dell'immagine in eccesso");
    case LIBDEFLATE_BAD_DATA:
    default:
        throw damaged(name, "dati compressi danneggiati");
    }
}

constexpr std::size_t kPixelBytes = 3;

#if defined(__SSE2__)
// Bytes 12..14 (the fifth pixel) repeated over the five pixels of a register.
__m128i broadcastFifthPixel(__m128i v)
{
    __m128i p = _mm_srli_si128(_mm_slli_si128(v, 1), 13);
    p = _mm_or_si128(p, _mm_slli_si128(p, 3));
    p = _mm_or_si128(p, _mm_slli_si128(p, 6));
    return _mm_or_si128(p, _mm_slli_si128(p, 12));
}
#endif

void unfilterSub(const std::uint8_t *__restrict in, std::uint8_t *__restrict out, std::size_t n)
{
    std::size_t i = 0;
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
#if defined(__SSE2__)
    // Five pixels at a time: a prefix sum within the register (shifts of one,
    // two and four pixels), plus the running total of the pixels before it,
    // which is the only step that waits for the previous block. Each store
    // spills one byte into the next block, which rewrites it.
    __m128i carry = _mm_setzero_si128();
    for (; i + 16 <= n; i += 15) {
        __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i *>(in + i));
        x = _mm_add_epi8(x, _mm_slli_si128(x, 3));
        x = _mm_add_epi8(x, _mm_slli_si128(x, 6));
        x = _mm_add_epi8(x, _mm_slli_si128(x, 12));
        _mm_storeu_si128(reinterpret_cast<__m128i *>(out + i), _mm_add_epi8(x, carry));
        carry = _mm_add_epi8(carry, broadcastFifthPixel(x));
    }
    if (i > 0) {
        r = out[i - 3];
        g = out[i - 2];
        b = out[i - 1];
    }
#endif
    // Three independent running sums, one per colour channel.
    for (; i + kPixelBytes <= n; i += kPixelBytes) {
        r = static_cast<std::uint8_t>(r + in[i]);
        g = static_cast<std::uint8_t>(g + in[i + 1]);
        b = static_cast<std::uint8_t>(b + in[i + 2]);
        out[i] = r;
        out[i + 1] = g;
        out[i + 2] = b;
    }
}

void unfilterUp(const std::uint8_t *__restrict in, const std::uint8_t *__restrict prev, std::uint8_t *__restrict out,
                std::size_t n)
{
    std::size_t i = 0;
#if defined(__SSE2__)
    for (; i + 16 <= n; i += 16) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i *>(in + i));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i *>(prev + i));
        _mm_storeu_si128(reinterpret_cast<__m128i *>(out + i), _mm_add_epi8(a, b));
    }
#endif
    for (; i < n; ++i)
        out[i] = static_cast<std::uint8_t>(in[i] + prev[i]);
}

void unfilterAverage(const std::uint8_t *in, const std::uint8_t *prev, std::uint8_t *out, std::size_t n)
{
    for (std::size_t i = 0; i < n && i < kPixelBytes; ++i)
        out[i] = static_cast<std::uint8_t>(in[i] + (prev[i] >> 1));
    for (std::size_t i = kPixelBytes; i < n; ++i)
        out[i] = static_cast<std::uint8_t>(in[i] + ((out[i - kPixelBytes] + prev[i]) >> 1));
}

std::uint8_t paethPredictor(int a, int b, int c)
{
    const int p = a + b - c;
    const int pa = std::abs(p - a);
    const int pb = std::abs(p - b);
    const int pc = std::abs(p - c);
    if (pa <= pb && pa <= pc)
        return static_cast<std::uint8_t>(a);
    if (pb <= pc)
        return static_cast<std::uint8_t>(b);
    return static_cast<std::uint8_t>(c);
}

void unfilterPaeth(const std::uint8_t *in, const std::uint8_t *prev, std::uint8_t *out, std::size_t n)
{
    // On the first pixel left and upper-left are zero: the predictor is the byte above.
    for (std::size_t i = 0; i < n && i < kPixelBytes; ++i)
        out[i] = static_cast<std::uint8_t>(in[i] + prev[i]);
    for (std::size_t i = kPixelBytes; i < n; ++i)
        out[i]
            = static_cast<std::uint8_t>(in[i] + paethPredictor(out[i - kPixelBytes], prev[i], prev[i - kPixelBytes]));
}

} // namespace

bool unfilterRgbRow(int filterType, const std::uint8_t *filtered, const std::uint8_t *previous, std::uint8_t *out,
                    std::size_t rowBytes)
{
    switch (filterType) {
    case 0:
        std::memcpy(out, filtered, rowBytes);
        return true;
    case 1:
        unfilterSub(filtered, out, rowBytes);
        return true;
    case 2:
        unfilterUp(filtered, previous, out, rowBytes);
        return true;
    case 3:
        unfilterAverage(filtered, previous, out, rowBytes);
        return true;
    case 4:
        unfilterPaeth(filtered, previous, out, rowBytes);
        return true;
    default:
        return false;
    }
}

bool unfilterRgbRowReference(int filterType, const std::uint8_t *filtered, const std::uint8_t *previous,
                             std::uint8_t *out, std::size_t rowBytes)
{
    if (filterType < 0 || filterType > 4)
        return false;
    for (std::size_t i = 0; i < rowBytes; ++i) {
        const int a = i >= kPixelBytes ? out[i - kPixelBytes] : 0;
        const int b = previous[i];
        const int c = i >= kPixelBytes ? previous[i - kPixelBytes] : 0;
        int predicted = 0;
        switch (filterType) {
        case 1:
            predicted = a;
            break;
        case 2:
            predicted = b;
            break;
        case 3:
            predicted = (a + b) / 2;
            break;
        case 4: {
            const int p = a + b - c;
            const int pa = p > a ? p - a : a - p;
            const int pb = p > b ? p - b : b - p;
            const int pc = p > c ? p - c : c - p;
            predicted = (pa <= pb && pa <= pc) ? a : (pb <= pc ? b : c);
            break;
        }
        default:
            break;
        }
        out[i] = static_cast<std::uint8_t>((filtered[i] + predicted) & 0xff);
    }
    return true;
}

void checkPngBounds(std::string_view text, const std::string &name)
{
    const auto *bytes = reinterpret_cast<const unsigned char *>(text.data());
    const std::size_t size = text.size();
    if (size < sizeof kSignature || std::memcmp(bytes, kSignature, sizeof kSignature) != 0)
        throw FileError("Il file \"" + printable(name) + "\" non è un'immagine PNG.");
    std::size_t pos = sizeof kSignature;
    const Header header = readHeader(readChunk(bytes, size, pos, name), name);
    std::uint64_t imageData = 0;
    for (;;) {
        if (pos == size)
            throw damaged(name, "manca il blocco finale IEND");
        const Chunk chunk = readChunk(bytes, size, pos, name);
        if (chunk.type == "IDAT")
            imageData += chunk.length;
        if (chunk.type == "IEND")
            break;
    }
    if (imageData == 0)
        throw damaged(name, "mancano i dati dell'immagine");
    // The pixel bytes alone, without filter bytes or interlacing: a lower bound
    // of what the data must inflate to, whatever the layout.
    const std::uint64_t rowBits = std::uint64_t {header.width} * samplesPerPixel(header.colourType) * header.bitDepth;
    checkInflatable(header.height * ((rowBits + 7) / 8), imageData, name);
}

std::optional<RgbImage> decodeRgbPngFast(std::string_view text, const std::string &name)
{
    const auto *bytes = reinterpret_cast<const unsigned char *>(text.data());
    const std::size_t size = text.size();
    if (size < sizeof kSignature || std::memcmp(bytes, kSignature, sizeof kSignature) != 0)
        throw FileError("Il file \"" + printable(name) + "\" non è un'immagine PNG.");
    std::size_t pos = sizeof kSignature;
    const Header header = readHeader(readChunk(bytes, size, pos, name), name);
    if (!header.mine)
        return std::nullopt;

    ThreadBuffers &buffers = threadBuffers();
    const BufferTrim trim {buffers};
    const auto [data, dataLength] = gatherImageData(bytes, size, pos, buffers, name);
    const std::size_t rowBytes = std::size_t {header.width} * kPixelBytes;
    const std::size_t stride = rowBytes + 1;
    inflateImageData(buffers, data, dataLength, stride * header.height, name);

    if (buffers.zeros.size() < rowBytes)
        buffers.zeros.resize(rowBytes, 0);
    RgbImage image(static_cast<int>(header.width), static_cast<int>(header.height));
    const std::uint8_t *previous = buffers.zeros.data();
    for (int y = 0; y < image.height; ++y) {
        const std::uint8_t *filtered = buffers.inflated.data() + static_cast<std::size_t>(y) * stride;
        if (!unfilterRgbRow(filtered[0], filtered + 1, previous, image.row(y), rowBytes))
            throw damaged(name, "filtro di riga sconosciuto (" + std::to_string(filtered[0]) + ")");
        previous = image.row(y);
    }
    return image;
}

} // namespace kalvor
