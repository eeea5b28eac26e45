// SPDX-License-Identifier: GPL-3.0-or-later
// The assembly of project files: the input is split at each NUL byte into
// up to eight files, read as the program reads a project file.
#include "common/errors.hpp"
#include "common/text_codec.hpp"
#include "common/text_list.hpp"
#include "project/assembly.hpp"

#include <cstdint>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string all(reinterpret_cast<const char *>(data), size);
    std::vector<kalvor::TextList> files;
    std::size_t start = 0;
    while (files.size() < 8) {
        const std::size_t end = all.find('\0', start);
        kalvor::TextList file;
        file.setText(kalvor::decodeFileText(all.substr(start, end == std::string::npos ? end : end - start)));
        files.push_back(std::move(file));
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    try {
        kalvor::assembleProjects(files);
    } catch (const kalvor::Error &) {
    }
    return 0;
}
