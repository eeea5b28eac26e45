// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// `run --overlay DIR`: one picture per processed frame with the job's setup
// and the records found, so that a setup is checked by looking at a few.

#include "detection/elaborazione_automatica.hpp"
#include "state/stato_lavoro.hpp"

#include <string>
#include <vector>

namespace kalvor::cli {

class RunOverlay
{
public:
    // Creates the folder (FileError when it cannot).
    explicit RunOverlay(std::string folder);

    // Writes "controllo<n>.png" for processed frame n, from the calibration
    // state of the run.
    void frame(const StatoLavoro &stato, const FotogrammaElaborato &fe);

    const std::string &folder() const { return m_folder; }
    int written() const { return m_written; }

private:
    std::string m_folder;
    int m_written = 0;
};

} // namespace kalvor::cli
