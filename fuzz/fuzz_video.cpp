// SPDX-License-Identifier: GPL-3.0-or-later
// The video decoder on a damaged container: opened from a file as the
// program opens one, its first frames read, a seek and a position asked.
#include "common/errors.hpp"
#include "extraction/video_decoder.hpp"

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

std::string scratchFile()
{
    static const std::string path = [] {
        char pattern[] = "/tmp/kalvor-fuzz-video-XXXXXX";
        const int fd = ::mkstemp(pattern);
        if (fd < 0)
            std::abort();
        ::close(fd);
        return std::string(pattern);
    }();
    return path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string path = scratchFile();
    // A plain write: the atomic one syncs the disk, a hundred times slower here.
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char *>(data), static_cast<std::streamsize>(size));
    try {
        kalvor::VideoDecoder decoder(path);
        if (decoder.width() > 4096 || decoder.height() > 4096)
            return 0; // large pictures only cost time here
        for (int i = 0; i < 4 && decoder.next(); ++i) { }
        decoder.seek(0.5);
        decoder.frameAt(0.1);
    } catch (const kalvor::Error &) {
    }
    return 0;
}
