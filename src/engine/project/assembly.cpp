// SPDX-License-Identifier: GPL-3.0-or-later
#include "project/assembly.hpp"

#include "common/numbers.hpp"
#include "project/project_labels.hpp"

#include <algorithm>
#include <cstdint>

namespace kalvor {

namespace {

using namespace project;

constexpr int kAmpiezzaIntervallo = 10;

// The profile section: its header and the four lines after it.
constexpr std::size_t kRigheProfili = 5;

// Returns how many lines of the first file it took.
std::size_t appendHead(const TextList &first, TextList &out)
{
    const auto &lines = first.lines();
    const auto stop = std::find(lines.begin(), lines.end(), kVeicoliAttuali.label);
    out.lines().insert(out.lines().end(), lines.begin(), stop);
    out.append(kVeicoliAttuali.label);
    out.append(kVeicoliAttuali.end);
    out.append(kVeicoliPrecedenti.label);
    out.append(kVeicoliPrecedenti.end);
    out.append(kVeicoliTotali.label);
    return static_cast<std::size_t>(stop - lines.begin());
}

// The first file's detection profiles go with its detection sections; the
// section follows the vehicle blocks, so the head above did not take it.
void appendProfiles(const TextList &first, std::size_t taken, TextList &out)
{
    const auto &lines = first.lines();
    for (std::size_t i = taken; i < lines.size(); ++i) {
        if (lines[i] != kProfiloRilevamento)
            continue;
        const std::size_t end = std::min(lines.size(), i + kRigheProfili);
        out.lines().insert(out.lines().end(), lines.begin() + static_cast<std::ptrdiff_t>(i),
                           lines.begin() + static_cast<std::ptrdiff_t>(end));
        return;
    }
}

void appendTotalRecords(const TextList &file, TextList &out)
{
    const auto &lines = file.lines();
    const std::size_t c = lines.size();
    for (std::size_t i = 0; i < c; ++i) {
        if (lines[i] != kVeicoliTotali.label)
            continue;
        for (std::size_t j = i + 1; j < c && lines[j] != kVeicoliTotali.end; ++j)
            out.append(lines[j]);
    }
}

// Both detection sections get the range F .. F + 10.
void resetFrameRanges(TextList &out)
{
    auto &lines = out.lines();
    const std::size_t c = lines.size();
    std::int64_t f = 0;
    for (std::size_t i = 0; i + 1 < c; ++i) {
        if (lines[i] == kImmagineIniziale) {
            f = toInt(lines[i + 1]);
            break;
        }
    }
    for (std::size_t i = 0; i + 1 < c; ++i) {
        if (lines[i] == kImmagineIniziale)
            lines[i + 1] = intText(f);
        else if (lines[i] == kImmagineFinale)
            lines[i + 1] = intText(f + kAmpiezzaIntervallo);
    }
}

} // namespace

TextList assembleProjects(const std::vector<TextList> &files)
{
    TextList out;
    std::size_t total = 16;
    for (const auto &f : files)
        total += static_cast<std::size_t>(f.count());
    out.lines().reserve(total);
    std::size_t taken = 0;
    if (!files.empty())
        taken = appendHead(files.front(), out);
    for (const auto &f : files)
        appendTotalRecords(f, out);
    out.append(kVeicoliTotali.end);
    if (!files.empty())
        appendProfiles(files.front(), taken, out);
    resetFrameRanges(out);
    return out;
}

void assembleProjectFiles(const std::vector<std::string> &inputs, const std::string &output)
{
    std::vector<TextList> files(inputs.size());
    for (std::size_t i = 0; i < inputs.size(); ++i)
        files[i].loadFromFile(inputs[i]);
    assembleProjects(files).saveToFile(output);
}

} // namespace kalvor
