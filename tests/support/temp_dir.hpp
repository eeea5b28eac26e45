// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace kalvor::testing {

// A fresh folder under the system's temporary folder, removed with its
// content when the object goes. path() ends with '/'.
class TempDir
{
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir &) = delete;
    TempDir &operator=(const TempDir &) = delete;

    const std::string &path() const { return m_path; }
    std::string file(const std::string &name) const { return m_path + name; }

private:
    std::string m_path;
};

} // namespace kalvor::testing
