// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A job file looked at without running anything: its numbers, then the job
// as the reader leaves it, confirmed as the screens would confirm it. No
// frame is read but the reference frame (for its size), no background is
// computed.

#include "project/job_confirmation.hpp"
#include "state/stato_lavoro.hpp"

#include <string>
#include <vector>

namespace kalvor {

struct JobFileCheck
{
    std::vector<JobProblem> problems;
    int frameWidth = 0; // of the reference frame, 0 when it cannot be read
    int frameHeight = 0;
    bool read = false; // the job was read into the state (its numbers convert)
};

// Reads the file into `stato` (Estrattore.Cartella its folder) and lists
// every problem: values that do not convert (by line, item and text; then
// nothing else is looked at), a reading that stops, and confirmJob's.
// FileError when the file cannot be read.
JobFileCheck checkJobFile(const std::string &path, StatoLavoro &stato);

} // namespace kalvor
