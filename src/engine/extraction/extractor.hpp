// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The rules of the frame extractor screen, computed on the job state so that
// the screen only moves its widgets and its timer.
//
// Invariant kept by grabFrame: line i of ListaTempi belongs to line i of
// ListaFotogrammi, and a line is added only for a frame file that was written.

#include "common/rgb_image.hpp"
#include "extraction/png_io.hpp"
#include "extraction/video_decoder.hpp"
#include "state/stato_lavoro.hpp"

#include <string>

namespace kalvor {

struct FrameSize
{
    int width = 0;
    int height = 0;
    bool operator==(const FrameSize &) const = default;
};

// How extracted frames are compressed, chosen for speed: level 1, SUB
// filter, run-length strategy, about 8 times faster than zlib's defaults. On
// frames decoded from a camera's H.264 the files come out about 40% larger
// than at zlib's defaults; zlib's default strategy at level 1 would keep them
// within a few percent but take half as long again (bench_extraction).
PngSettings extractedFramePngSettings();

// The size frames are written at, in square pixels: the picture's shape is
// that of the coded size with each pixel sarNum:sarDen wide (a 720 x 576
// picture of 16:15 pixels is 768 x 576); a shape larger than 640 x 480 is
// scaled down to fit inside it keeping its proportions, a smaller one is kept.
FrameSize fittedFrameSize(int width, int height, int sarNum = 1, int sarDen = 1);

// The same for an open video: its coded size and its pixel shape. What the
// extraction writes and what the player shows.
FrameSize fittedFrameSize(const VideoDecoder &video);

// The frames folder from the name chosen in the save dialog: up to and
// including its last path separator, or "" when it holds none.
std::string folderFromDialogName(const std::string &fileName);

// Timer interval of an extraction: Trunc(step x 1000) ms of the step text
// read as a four-decimal value. RefusalError when that gives 0 ms or less (a
// timer that would never grab); ConversionError for a text that is no number.
int extractionIntervalMs(const std::string &stepText);

// The start of an extraction: NumeroFotogrammaEstratto := ImmagineIniziale,
// and the interval of the timer (both checked before anything changes).
int startExtraction(StatoLavoro &state);

// One grab: the picture (already at the frame size) gets its caption with
// the player's position, is written as the frame file of
// NumeroFotogrammaEstratto in Cartella (replacing one of that name), the
// number and the position (fixed-point text) are appended to the lists, and
// the counter moves on. A write failure throws FileError and changes nothing.
void grabFrame(StatoLavoro &state, RgbImage picture, double positionSeconds);

// The confirmation: NumeroFotogrammiEstratti and TabellaTempiFotogrammi from
// the two lists, row j = (line j of ListaFotogrammi, line j of ListaTempi).
// A line that is not a number (a missing time line reads as "") stops it
// with a ConversionError; the rows before stay filled.
void confirmExtraction(StatoLavoro &state);

} // namespace kalvor
