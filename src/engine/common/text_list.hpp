// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// An ordered list of text lines indexed from 0: the program's way of carrying
// data between screens. A line never holds CR or LF once it came through
// setText or loadFromFile; append and setLine store what they are given.

#include <string>
#include <string_view>
#include <vector>

namespace kalvor {

class TextList
{
public:
    TextList() = default;
    TextList(std::initializer_list<std::string> lines)
        : m_lines(lines)
    {
    }

    void clear() { m_lines.clear(); }
    void append(std::string line) { m_lines.push_back(std::move(line)); }
    // ListIndexError when i is outside 0..count()-1.
    const std::string &line(int i) const;
    void setLine(int i, std::string text);
    int count() const { return static_cast<int>(m_lines.size()); }
    bool empty() const { return m_lines.empty(); }

    // Every line followed by CR LF, the last included; "" for an empty list.
    std::string text() const;
    // Splits at CR, LF and CR LF; a final line break adds no empty line.
    void setText(std::string_view text);

    // Encoding by byte-order mark, otherwise Windows-1252 (see text_codec).
    void loadFromFile(const std::string &path);
    // Windows-1252 without BOM, CR LF after every line; written whole or not at all.
    void saveToFile(const std::string &path) const;

    const std::vector<std::string> &lines() const { return m_lines; }
    std::vector<std::string> &lines() { return m_lines; }

    bool operator==(const TextList &) const = default;

private:
    std::vector<std::string> m_lines;
};

// Splits text at CR, LF and CR LF; a final line break adds no empty line.
std::vector<std::string> splitLines(std::string_view text);

} // namespace kalvor
