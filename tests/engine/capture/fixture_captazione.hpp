// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A small capture job on frame files: a 160 x 120 road, axis at row 60 from
// pixel column 5 to 150, band 30 (half band 15), 0.2 m per pixel. Frames
// 0..12: frames 0 and 1 empty; from frame 2 a 30 x 10 vehicle in the lower
// arc driving right 6 pixels a frame; from frame 4 a 25 x 9 vehicle in the
// upper arc driving left 5 pixels a frame; frame 8 empty again. Frame 6 has
// no time (the others n / 2 s); frame 100 is 20 x 20 pixels. The background
// is frame 0.

#include "capture/sessione_captazione.hpp"
#include "common/numbers.hpp"
#include "state/stato_lavoro.hpp"
#include "support/scoped_number_format.hpp"
#include "support/temp_dir.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kalvor::testing {

class CaptazioneTest : public ::testing::Test
{
protected:
    void SetUp() override;

    // "Calc. Media" on frames 0..12, then the empty road as background.
    void avvia();
    // The numbers of a list's records, in order.
    static std::vector<std::string> numeri(const TextList &l);
    // The frames of a list's records, in order.
    static std::vector<std::string> fotogrammi(const TextList &l);
    void riscriviFotogramma(int n, int spostamento);

    ScopedNumberFormat comma {NumberFormat::comma()};
    TempDir dir;
    StatoLavoro stato {NumberFormat::comma()};
    SessioneCaptazione sessione;
};

} // namespace kalvor::testing
