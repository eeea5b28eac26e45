// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The progress line of long commands, on stderr and only when stderr is a
// terminal: percentage, frames per second and time left, rewritten in place
// at most four times a second; decimals with the locale's separator.

#include <chrono>
#include <string>

namespace kalvor::cli {

// "  42,5%  120 fotogrammi  31,2 fotog./s  mancano 1:05" for 42.5 % done
// after `seconds`; the time left is estimated from the pace so far and left
// out while nothing is done yet.
// `unit` names what is counted, "fotogrammi" unless said otherwise.
std::string progressText(double fraction, int frames, double seconds, const std::string &unit = "fotogrammi");

class ProgressLine
{
public:
    // `unit` names what update() counts: "fotogrammi" or "file".
    explicit ProgressLine(std::string unit = "fotogrammi");
    ~ProgressLine();
    ProgressLine(const ProgressLine &) = delete;
    ProgressLine &operator=(const ProgressLine &) = delete;

    bool shown() const { return m_tty; }
    // fraction in 0..1 of the work, frames done so far; `now` redraws even
    // within a quarter of a second of the last drawing.
    void update(double fraction, int frames, bool now = false);
    // Erases the line before something else is written to the terminal.
    void clear();
    // Ends the line, so that what follows starts on a line of its own.
    void finish();

private:
    bool m_tty = false;
    bool m_open = false;
    std::string m_unit;
    std::chrono::steady_clock::time_point m_start;
    std::chrono::steady_clock::time_point m_last;
};

} // namespace kalvor::cli
