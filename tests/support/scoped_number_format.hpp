// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/numbers.hpp"

namespace kalvor::testing {

// Sets the program-wide number format for one test and restores it after.
class ScopedNumberFormat
{
public:
    explicit ScopedNumberFormat(const NumberFormat &format)
        : m_saved(currentNumberFormat())
    {
        setCurrentNumberFormat(format);
    }
    ~ScopedNumberFormat() { setCurrentNumberFormat(m_saved); }
    ScopedNumberFormat(const ScopedNumberFormat &) = delete;
    ScopedNumberFormat &operator=(const ScopedNumberFormat &) = delete;

private:
    NumberFormat m_saved;
};

} // namespace kalvor::testing
