// SPDX-License-Identifier: GPL-3.0-or-later
#include "detection/sfondo.hpp"

#include "common/errors.hpp"
#include "common/frame_interval.hpp"
#include "common/numbers.hpp"
#include "detection/geometria_area.hpp"
#include "detection/sfondo_robusto.hpp"
#include "extraction/frame_file.hpp"
#include "extraction/ordered_frame_reader.hpp"
#include "extraction/png_io.hpp"

#include <limits>
#include <string>

namespace kalvor {

namespace {

void verificaDimensione(const RgbImage &img, int altezza, int byteRiga, const std::string &nome)
{
    if (img.height != altezza || img.rowBytes() != byteRiga)
        throw RefusalError("Il fotogramma " + nome + " ha una dimensione diversa dal primo ("
                           + std::to_string(byteRiga / 3) + " x " + std::to_string(altezza) + ").");
}

// The sums are 32-bit: at most this many frames of 255 fit in one.
constexpr std::int64_t kMaxFotogrammiMedia = std::numeric_limits<std::int32_t>::max() / 255;

FrameInterval verificaIntervallo(int a, int b)
{
    const FrameInterval intervallo {a, b};
    if (intervallo.empty())
        throw RefusalError("Il fotogramma finale " + std::to_string(b) + " precede il fotogramma iniziale "
                           + std::to_string(a) + ".");
    if (intervallo.count() > kMaxFotogrammiMedia)
        throw RefusalError("L'intervallo da " + std::to_string(a) + " a " + std::to_string(b) + " conta "
                           + std::to_string(intervallo.count()) + " fotogrammi: la media ne ammette al massimo "
                           + std::to_string(kMaxFotogrammiMedia) + ".");
    return intervallo;
}

void somma(std::vector<std::int32_t> &acc, const std::vector<std::uint8_t> &pixels)
{
    std::int32_t *d = acc.data();
    const std::uint8_t *p = pixels.data();
    const std::size_t n = acc.size();
    for (std::size_t i = 0; i < n; ++i)
        d[i] += p[i];
}

void dividi(std::vector<std::int32_t> &acc, int n)
{
    for (auto &v : acc)
        v /= n;
}

// The first frame gives the sizes; the screen's fields and area are read with it.
void leggiPrimoFotogramma(StatoRilevamento &det, const CampiRilevamento &campi, const TextList &punti,
                          const RgbImage &primo)
{
    det.AltezzaImmagine = primo.height;
    det.LarghezzaRiga = primo.rowBytes();
    readDetectionParameters(campi, det);
    readAreaGeometry(punti, det);
}

void installaSfondo(StatoRilevamento &det, MatriceInteri sfondo)
{
    det.MatriceDifferenza.resize(det.AltezzaImmagine, det.LarghezzaRiga);
    det.MediaSfondo = std::move(sfondo);
    ++det.GenerazioneSfondo;
}

// No background, rather than a half-computed one.
void scartaSfondo(StatoRilevamento &det)
{
    det.MediaSfondo = MatriceInteri {};
    det.MatriceDifferenza = MatriceInteri {};
    ++det.GenerazioneSfondo;
}

// The median of the sampled frames; the first read as typed, the others on
// two decoding threads, the progress called for each in order.
void computeRobustBackground(StatoRilevamento &det, const CampiRilevamento &campi, const TextList &punti,
                             const std::string &cartella, const BackgroundProgress &progresso)
{
    const int a = toInt(campi.ImmagineIniziale);
    const int b = toInt(campi.ImmagineFinale);
    try {
        std::vector<RgbImage> campioni;
        campioni.push_back(readPng(frameFileNameAsTyped(cartella, campi.ImmagineIniziale)));
        const RgbImage &primo = campioni.front();
        leggiPrimoFotogramma(det, campi, punti, primo);
        if (progresso)
            progresso(a, primo);
        const int n
            = backgroundSampleCount(FrameInterval {a, b}.count(), static_cast<std::int64_t>(primo.pixels.size()));
        det.NumeroFotogrammiMedia = n;
        if (n > 1) {
            OrderedFrameReader fotogrammi(
                [&](int i) { return readPng(frameFileName(cartella, backgroundSampleFrame(a, b, n, i))); },
                FrameInterval {1, n - 1}, 2);
            for (int i = 1; i < n; ++i) {
                const int numero = backgroundSampleFrame(a, b, n, i);
                campioni.push_back(fotogrammi.next());
                verificaDimensione(campioni.back(), det.AltezzaImmagine, det.LarghezzaRiga,
                                   frameFileName(cartella, numero));
                if (progresso)
                    progresso(numero, campioni.back());
            }
        }
        MatriceInteri sfondo = leveledMedianOfFrames(campioni);
        installaSfondo(det, std::move(sfondo));
    } catch (...) {
        scartaSfondo(det);
        throw;
    }
}

} // namespace

void computeBackground(StatoRilevamento &det, const CampiRilevamento &campi, const TextList &punti,
                       const std::string &cartella, BackgroundFor gemello, const BackgroundProgress &progresso)
{
    const int a = toInt(campi.ImmagineIniziale);
    const int b = toInt(campi.ImmagineFinale);
    const FrameInterval intervallo = verificaIntervallo(a, b);
    det.NumeroFotogrammiMedia = static_cast<int>(intervallo.count());
    if (gemello == BackgroundFor::Calibrazione) {
        det.PrimoFotogramma = a;
        det.UltimoFotogramma = b;
    }
    // From here a failure must not leave a half-summed background behind.
    scartaSfondo(det);
    if (campi.Profilo == ProfiloRilevamento::Robusto) {
        computeRobustBackground(det, campi, punti, cartella, progresso);
        return;
    }
    try {
        // Two long-lived decoding threads keep their buffers from frame to frame.
        OrderedFrameReader fotogrammi(
            [&](int n) {
                return readPng(n == a ? frameFileNameAsTyped(cartella, campi.ImmagineIniziale)
                                      : frameFileName(cartella, n));
            },
            intervallo, 2);
        const RgbImage primo = fotogrammi.next();
        leggiPrimoFotogramma(det, campi, punti, primo);
        MatriceInteri sfondo;
        sfondo.resize(det.AltezzaImmagine, det.LarghezzaRiga);
        sfondo.data.assign(primo.pixels.begin(), primo.pixels.end());
        if (progresso)
            progresso(a, primo);
        for (std::int64_t i = 1; i < intervallo.count(); ++i) {
            const int n = intervallo.at(i);
            const RgbImage img = fotogrammi.next();
            verificaDimensione(img, det.AltezzaImmagine, det.LarghezzaRiga, frameFileName(cartella, n));
            somma(sfondo.data, img.pixels);
            if (progresso)
                progresso(n, img);
        }
        dividi(sfondo.data, det.NumeroFotogrammiMedia);
        installaSfondo(det, std::move(sfondo));
    } catch (...) {
        scartaSfondo(det);
        throw;
    }
}

MatriceInteri referenceBackgroundMean(const std::string &cartella, const std::string &primo, int a, int b)
{
    const FrameInterval intervallo = verificaIntervallo(a, b);
    const RgbImage img0 = readPng(frameFileNameAsTyped(cartella, primo));
    MatriceInteri m;
    m.resize(img0.height, img0.rowBytes());
    for (int r = 0; r < img0.height; ++r)
        for (int c = 0; c < img0.rowBytes(); ++c)
            m.at(r, c) = img0.row(r)[c];
    for (std::int64_t i = 1; i < intervallo.count(); ++i) {
        const int n = intervallo.at(i);
        const RgbImage img = readPng(frameFileName(cartella, n));
        verificaDimensione(img, img0.height, img0.rowBytes(), frameFileName(cartella, n));
        for (int r = 0; r < img.height; ++r)
            for (int c = 0; c < img.rowBytes(); ++c)
                m.at(r, c) += img.row(r)[c];
    }
    const auto n = static_cast<int>(intervallo.count());
    for (auto &v : m.data)
        v /= n;
    return m;
}

} // namespace kalvor
