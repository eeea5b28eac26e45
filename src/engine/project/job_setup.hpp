// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A new job described by values instead of clicks: what `kalvor-cli job`
// builds before the screens' confirmations check it and the project file
// stores it.

#include "geometry/verso_letture.hpp"
#include "state/stato_lavoro.hpp"

#include <string>
#include <vector>

namespace kalvor {

struct PixelPoint
{
    int x = 0; // column
    int y = 0; // row
};

struct JobSetup
{
    std::string luogo;
    std::string elaboratore;
    std::string dataelaborazione;
    double step = 0.2; // seconds between frames
    std::vector<int> frames; // numbers of the frames extracted, in order
    std::vector<double> times; // seconds, one per frame
    ReadingDirection direction = ReadingDirection::Origine00;
    bool gps = false;
    std::vector<PixelPoint> points; // reference points in measuring order
    std::vector<double> distances; // metres from each point to the next
    std::vector<PixelPoint> gpsPoints; // whole metres X, Y of each point
    int referenceFrame = 0;
    int areaFrame = 0;
    std::vector<PixelPoint> area; // P1, P2 (axis ends), P3, P4 (band)
    CampiRilevamento calibration;
    CampiRilevamento capture = StatoCaptazione();
};

// The job's items as the screens would hold them after the same input:
// numbers written in the current number format, area points as row then
// column. Nothing is checked here (confirmJob does).
StatoLavoro jobState(const JobSetup &setup);

} // namespace kalvor
