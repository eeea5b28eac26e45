// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A job run without a display gets what the screens' confirmations give it:
// the extractor's table of times, the transformation, the examination area
// confirmed (P1 and P2 swapped when the axis was given right to left), and the
// two detection intervals and parameters checked against the frames
// extracted. Nothing runs on a job that a screen would have refused.

#include "state/stato_lavoro.hpp"

#include <string>
#include <vector>

namespace kalvor {

struct JobProblem
{
    std::string item; // the screen or the item at fault: "AreaCaptazione"
    std::string message; // Italian, names the value
    bool operator==(const JobProblem &) const = default;
};

// Applies, in the order of the work chain, the confirmations of the
// extractor, the reference-point transformation (for a frame of width x
// height pixels), the examination area, and checks each detection screen's
// interval (every frame of it listed by the extractor and its file present in
// Estrattore.Cartella) and parameters. Each step that fails adds one problem
// and the next steps still run, so that one call lists every inconsistency.
// Steps that succeed leave their normalisations in the job.
std::vector<JobProblem> confirmJob(StatoLavoro &stato, int frameWidth, int frameHeight);

// One line per problem: "item: message".
std::string problemsText(const std::vector<JobProblem> &problems);

// One message for a refused job: its problems, one per line.
std::string refusedJobText(const std::vector<JobProblem> &problems);

// confirmJob, then RefusalError listing every problem when there is one.
void requireConfirmedJob(StatoLavoro &stato, int frameWidth, int frameHeight);

} // namespace kalvor
