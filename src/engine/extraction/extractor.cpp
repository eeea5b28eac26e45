// SPDX-License-Identifier: GPL-3.0-or-later
#include "extraction/extractor.hpp"

#include "common/errors.hpp"
#include "common/files.hpp"
#include "common/numbers.hpp"
#include "common/printable.hpp"
#include "extraction/caption.hpp"
#include "extraction/frame_file.hpp"
#include "extraction/png_io.hpp"

#include <algorithm>
#include <cmath>
#include <limits>

namespace kalvor {

PngSettings extractedFramePngSettings()
{
    return PngSettings {1, true, false};
}

FrameSize fittedFrameSize(int width, int height, int sarNum, int sarDen)
{
    if (sarNum > 0 && sarDen > 0 && sarNum != sarDen) {
        const long long shown = (static_cast<long long>(width) * sarNum + sarDen / 2) / sarDen;
        width = static_cast<int>(std::clamp<long long>(shown, 1, 1 << 24));
    }
    constexpr int maxW = 640;
    constexpr int maxH = 480;
    if (width <= maxW && height <= maxH)
        return {width, height};
    // Compare the two ratios exactly: w/h against 640/480.
    if (static_cast<long long>(width) * maxH >= static_cast<long long>(height) * maxW) {
        const long long h = (static_cast<long long>(height) * maxW + width / 2) / width;
        return {maxW, static_cast<int>(std::clamp<long long>(h, 1, maxH))};
    }
    const long long w = (static_cast<long long>(width) * maxH + height / 2) / height;
    return {static_cast<int>(std::clamp<long long>(w, 1, maxW)), maxH};
}

FrameSize fittedFrameSize(const VideoDecoder &video)
{
    const VideoDecoder::PixelShape shape = video.sampleAspectRatio();
    return fittedFrameSize(video.width(), video.height(), shape.num, shape.den);
}

std::string folderFromDialogName(const std::string &fileName)
{
    return folderOf(fileName);
}

int extractionIntervalMs(const std::string &stepText)
{
    const Fixed4 units = toFixed4(stepText); // 1/10000 s
    const Fixed4 ms = units / 10; // truncation toward zero
    if (ms <= 0)
        throw RefusalError("L'intervallo di estrazione \"" + printable(stepText)
                           + "\" è troppo breve: deve essere di almeno " + fixedText(0.001) + " secondi.");
    if (ms > 2147483647)
        throw RefusalError("L'intervallo di estrazione \"" + printable(stepText) + "\" è troppo lungo.");
    return static_cast<int>(ms);
}

int startExtraction(StatoLavoro &state)
{
    const int first = toInt(state.Estrattore.ImmagineIniziale);
    const int ms = extractionIntervalMs(state.Estrattore.step);
    state.NumeroFotogrammaEstratto = first;
    return ms;
}

void grabFrame(StatoLavoro &state, RgbImage picture, double positionSeconds)
{
    const int n = state.NumeroFotogrammaEstratto;
    if (n == std::numeric_limits<int>::max())
        throw RefusalError("Il numero di fotogramma 2147483647 è oltre il massimo consentito (2147483646).");
    drawCaption(picture, captionText(n, positionSeconds));
    writePng(frameFileName(state.Estrattore.Cartella, n), picture, extractedFramePngSettings());
    state.Estrattore.ListaFotogrammi.append(intText(n));
    state.Estrattore.ListaTempi.append(fixedText(positionSeconds));
    state.NumeroFotogrammaEstratto = n + 1;
}

void confirmExtraction(StatoLavoro &state)
{
    const TextList &numbers = state.Estrattore.ListaFotogrammi;
    const TextList &times = state.Estrattore.ListaTempi;
    const int n = numbers.count();
    state.NumeroFotogrammiEstratti = n;
    state.TabellaTempiFotogrammi.assign(static_cast<std::size_t>(n), RigaTempi {0.0, 0.0});
    for (int j = 0; j < n; ++j) {
        auto &row = state.TabellaTempiFotogrammi[static_cast<std::size_t>(j)];
        row[0] = toInt(numbers.line(j));
        row[1] = toDecimal(j < times.count() ? times.line(j) : std::string());
    }
}

} // namespace kalvor
