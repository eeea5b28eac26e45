// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The numbers of a project file, checked before the job is opened: each
// value that does not convert is named by its line, its item and its text,
// and a file written with the other decimal separator is recognised as such,
// so that the user learns how to open it instead of meeting the first
// conversion error somewhere down the chain.

#include "common/numbers.hpp"
#include "common/text_list.hpp"
#include "project/job_confirmation.hpp"

#include <vector>

namespace kalvor {

// Every number the reader stores and the chain converts (the vehicle records
// aside), and the words of the detection profiles, looked up as the reader
// looks them up. Items read as
// "riga 12 (Estrattore.step)", lines counted from 1. When decimals fail and
// the file uses only the other separator, one more problem of item "file"
// says so and how to run with the matching LC_NUMERIC.
std::vector<JobProblem> checkProjectNumbers(const TextList &testo, const NumberFormat &format = currentNumberFormat());

} // namespace kalvor
