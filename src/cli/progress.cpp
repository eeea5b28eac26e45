// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/progress.hpp"

#include "cli/options.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <unistd.h>

namespace kalvor::cli {

namespace {

std::string clockText(double seconds)
{
    const long long s = std::llround(std::max(0.0, seconds));
    char buffer[32];
    if (s >= 3600)
        std::snprintf(buffer, sizeof buffer, "%lld:%02lld:%02lld", s / 3600, s / 60 % 60, s % 60);
    else
        std::snprintf(buffer, sizeof buffer, "%lld:%02lld", s / 60, s % 60);
    return buffer;
}

} // namespace

std::string progressText(double fraction, int frames, double seconds, const std::string &unit)
{
    fraction = std::clamp(fraction, 0.0, 1.0);
    std::string s = localeDecimal(100.0 * fraction, 1) + "%  " + std::to_string(frames) + " " + unit;
    if (seconds > 0)
        s += "  " + localeDecimal(frames / seconds, 1) + (unit == "fotogrammi" ? " fotog./s" : " " + unit + "/s");
    if (fraction > 0 && seconds > 0)
        s += "  mancano " + clockText(seconds * (1.0 - fraction) / fraction);
    return s;
}

ProgressLine::ProgressLine(std::string unit)
    : m_tty(isatty(fileno(stderr)) != 0)
    , m_unit(std::move(unit))
    , m_start(std::chrono::steady_clock::now())
    , m_last(m_start - std::chrono::seconds(1))
{
}

ProgressLine::~ProgressLine()
{
    finish();
}

void ProgressLine::update(double fraction, int frames, bool redraw)
{
    if (!m_tty)
        return;
    const auto now = std::chrono::steady_clock::now();
    if (!redraw && now - m_last < std::chrono::milliseconds(250))
        return;
    m_last = now;
    const double seconds = std::chrono::duration<double>(now - m_start).count();
    std::fprintf(stderr, "\r%-72s", progressText(fraction, frames, seconds, m_unit).c_str());
    std::fflush(stderr);
    m_open = true;
}

void ProgressLine::clear()
{
    if (!m_open)
        return;
    std::fputs("\r\033[K", stderr);
    std::fflush(stderr);
    m_open = false;
}

void ProgressLine::finish()
{
    if (m_open)
        std::fputc('\n', stderr);
    m_open = false;
}

} // namespace kalvor::cli
