// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/text_list.hpp"

#include "common/errors.hpp"
#include "common/files.hpp"
#include "common/text_codec.hpp"

namespace kalvor {

namespace {

[[noreturn]] void throwIndex(int i)
{
    throw ListIndexError("Indice di lista fuori dai limiti (" + std::to_string(i) + ").");
}

} // namespace

std::vector<std::string> splitLines(std::string_view text)
{
    std::vector<std::string> out;
    std::size_t start = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            out.emplace_back(text.substr(start, i - start));
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            start = i + 1;
        }
        ++i;
    }
    if (start < text.size())
        out.emplace_back(text.substr(start));
    return out;
}

const std::string &TextList::line(int i) const
{
    if (i < 0 || i >= count())
        throwIndex(i);
    return m_lines[static_cast<std::size_t>(i)];
}

void TextList::setLine(int i, std::string text)
{
    if (i < 0 || i >= count())
        throwIndex(i);
    m_lines[static_cast<std::size_t>(i)] = std::move(text);
}

std::string TextList::text() const
{
    std::size_t size = 0;
    for (const auto &l : m_lines)
        size += l.size() + 2;
    std::string out;
    out.reserve(size);
    for (const auto &l : m_lines) {
        out += l;
        out += "\r\n";
    }
    return out;
}

void TextList::setText(std::string_view text)
{
    m_lines = splitLines(text);
}

void TextList::loadFromFile(const std::string &path)
{
    const std::string bytes = readFileBytes(path);
    m_lines = splitLines(decodeFileText(bytes));
}

void TextList::saveToFile(const std::string &path) const
{
    writeFileAtomically(path, encodeWindows1252(text(), path));
}

} // namespace kalvor
