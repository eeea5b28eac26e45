// SPDX-License-Identifier: GPL-3.0-or-later
#include "extraction/video_decoder.hpp"

#include "common/errors.hpp"
#include "common/printable.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <mutex>
#include <vector>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/imgutils.h>
#include <libswscale/swscale.h>
}

namespace kalvor {

namespace {

// Half a microsecond: positions and times closer than this are equal.
constexpr double kEps = 5e-7;

// Why FFmpeg could not open a file, in the user's words, FFmpeg's own after.
std::string avError(int code)
{
    char buf[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, buf, sizeof buf);
    const std::string ffmpeg = std::string(" (FFmpeg: ") + buf + ")";
    if (code == AVERROR(ENOENT))
        return "il file non esiste";
    if (code == AVERROR(EACCES) || code == AVERROR(EPERM))
        return "permesso negato";
    if (code == AVERROR(EISDIR))
        return "è una cartella";
    if (code == AVERROR_INVALIDDATA)
        return "il file non è un filmato o è danneggiato" + ffmpeg;
    return "formato non riconosciuto" + ffmpeg;
}

struct FormatCloser
{
    void operator()(AVFormatContext *f) const { avformat_close_input(&f); }
};
struct CodecFreer
{
    void operator()(AVCodecContext *c) const { avcodec_free_context(&c); }
};
struct FrameFreer
{
    void operator()(AVFrame *f) const { av_frame_free(&f); }
};
struct PacketFreer
{
    void operator()(AVPacket *p) const { av_packet_free(&p); }
};
struct SwsFreer
{
    void operator()(SwsContext *s) const { sws_freeContext(s); }
};

} // namespace

struct VideoDecoder::Impl
{
    std::string path;
    std::unique_ptr<AVFormatContext, FormatCloser> fmt;
    std::unique_ptr<AVCodecContext, CodecFreer> dec;
    std::unique_ptr<AVPacket, PacketFreer> packet {av_packet_alloc()};
    std::unique_ptr<AVFrame, FrameFreer> pending {av_frame_alloc()}; // decoded, not yet handed out
    std::unique_ptr<AVFrame, FrameFreer> candidate {av_frame_alloc()}; // frameAt's best so far
    std::unique_ptr<SwsContext, SwsFreer> sws;
    // swscale writes whole vector blocks past the end of short rows: it
    // converts into rows padded to 64 bytes, with a spare row, copied after.
    std::vector<std::uint8_t> padded;
    int stream = -1;
    AVRational timeBase {1, 1};
    std::int64_t startPts = 0;
    double nominalRate = 0.0;
    double lastTime = 0.0; // time of the last frame decoded
    bool havePending = false;
    bool inputEnded = false; // demuxer gave its last packet (or failed)
    bool flushSent = false;
    double discardBefore = -std::numeric_limits<double>::infinity();
    double firstFrameTime = 0.0;
    std::optional<DecodedFrame> current; // frameAt's last answer
    int outWidth = 0;
    int outHeight = 0;

    FileError error(const std::string &what) const
    {
        return FileError("Impossibile " + what + " il filmato \"" + printable(path) + "\".");
    }

    double timeOf(const AVFrame *f)
    {
        std::int64_t ts = f->best_effort_timestamp;
        if (ts == AV_NOPTS_VALUE)
            ts = f->pts;
        if (ts == AV_NOPTS_VALUE)
            return lastTime + (nominalRate > 0 ? 1.0 / nominalRate : 0.04);
        return static_cast<double>(ts - startPts) * av_q2d(timeBase);
    }

    // Decodes the next frame into dst. False at the end of the video; data
    // the decoder rejects is skipped, a demuxer failure ends the video there.
    bool decodeInto(AVFrame *dst)
    {
        for (;;) {
            const int r = avcodec_receive_frame(dec.get(), dst);
            if (r == 0) {
                lastTime = timeOf(dst);
                return true;
            }
            if (r == AVERROR_EOF)
                return false;
            if (r != AVERROR(EAGAIN))
                return false; // the decoder cannot go on: the good data ends here
            if (inputEnded) {
                if (flushSent)
                    return false;
                flushSent = true;
                avcodec_send_packet(dec.get(), nullptr);
                continue;
            }
            if (av_read_frame(fmt.get(), packet.get()) < 0) {
                inputEnded = true;
                continue;
            }
            if (packet->stream_index == stream)
                avcodec_send_packet(dec.get(), packet.get()); // a damaged packet is dropped
            av_packet_unref(packet.get());
        }
    }

    bool fillPending()
    {
        if (!havePending)
            havePending = decodeInto(pending.get());
        return havePending;
    }

    // Positions the demuxer at the key frame at or before seconds and decodes
    // the first frame there into pending. Steps further back when the
    // container lands after the position.
    void resetDecoding()
    {
        avcodec_flush_buffers(dec.get());
        av_frame_unref(pending.get());
        havePending = false;
        inputEnded = false;
        flushSent = false;
        current.reset();
    }

    // Positions the demuxer at the key frame at or before seconds and decodes
    // the first frame there into pending. Steps further back when the
    // container lands after the position or where no key frame follows.
    void seekRaw(double seconds)
    {
        double back = 0.0;
        for (int attempt = 0; attempt < 8; ++attempt) {
            const double target = std::max(seconds - back, firstFrameTime);
            const bool atStart = target <= firstFrameTime + kEps || attempt == 7;
            const auto ts = atStart ? startPts : startPts + ticksOf(target);
            const int r = av_seek_frame(fmt.get(), stream, ts, AVSEEK_FLAG_BACKWARD);
            resetDecoding();
            const bool landed
                = r >= 0 && fillPending() && timeOf(pending.get()) <= std::max(seconds, firstFrameTime) + kEps;
            if (landed)
                return;
            if (atStart) {
                // Timestamps of the first packets may be out of order (B-frames
                // in transport streams): the very start by byte position.
                if (!(fmt->iformat->flags & AVFMT_NO_BYTE_SEEK)
                    && av_seek_frame(fmt.get(), -1, 0, AVSEEK_FLAG_BYTE) >= 0) {
                    resetDecoding();
                    fillPending();
                }
                return;
            }
            back = back == 0.0 ? 1.0 : back * 2;
        }
    }

    // Seconds in stream ticks, kept far inside 64 bits however far the position.
    std::int64_t ticksOf(double seconds) const
    {
        const double ticks = std::floor(seconds / av_q2d(timeBase));
        constexpr double kMaxTicks = 4.0e18;
        return static_cast<std::int64_t>(std::clamp(ticks, -kMaxTicks, kMaxTicks));
    }

    RgbImage convert(const AVFrame *f)
    {
        const int w = outWidth > 0 ? outWidth : f->width;
        const int h = outHeight > 0 ? outHeight : f->height;
        const int flags = (w < f->width || h < f->height) ? SWS_AREA : SWS_BILINEAR;
        sws.reset(sws_getCachedContext(sws.release(), f->width, f->height, static_cast<AVPixelFormat>(f->format), w, h,
                                       AV_PIX_FMT_RGB24, flags, nullptr, nullptr, nullptr));
        if (!sws)
            throw error("convertire le immagini del");
        RgbImage img(w, h);
        const std::size_t rowBytes = static_cast<std::size_t>(img.rowBytes());
        const std::size_t paddedRow = (rowBytes + 64 + 63) / 64 * 64;
        padded.resize(paddedRow * (static_cast<std::size_t>(h) + 1));
        std::uint8_t *dst[4] = {padded.data(), nullptr, nullptr, nullptr};
        int stride[4] = {static_cast<int>(paddedRow), 0, 0, 0};
        sws_scale(sws.get(), f->data, f->linesize, 0, f->height, dst, stride);
        for (int y = 0; y < h; ++y)
            std::memcpy(img.row(y), padded.data() + static_cast<std::size_t>(y) * paddedRow, rowBytes);
        return img;
    }
};

VideoDecoder::VideoDecoder(const std::string &path, int threads)
    : m(std::make_unique<Impl>())
{
    m->path = path;
    // Damaged files are normal input here: the program reports what matters itself.
    static std::once_flag quiet;
    std::call_once(quiet, [] { av_log_set_level(AV_LOG_FATAL); });
    AVFormatContext *raw = nullptr;
    const int r = avformat_open_input(&raw, path.c_str(), nullptr, nullptr);
    if (r < 0)
        throw FileError("Impossibile aprire il filmato \"" + printable(path) + "\": " + avError(r) + ".");
    m->fmt.reset(raw);
    if (avformat_find_stream_info(raw, nullptr) < 0)
        throw m->error("leggere");
    const AVCodec *codec = nullptr;
    m->stream = av_find_best_stream(raw, AVMEDIA_TYPE_VIDEO, -1, -1, &codec, 0);
    if (m->stream < 0 || codec == nullptr)
        throw FileError("Il file \"" + printable(path) + "\" non contiene un filmato leggibile.");
    AVStream *st = raw->streams[m->stream];
    m->dec.reset(avcodec_alloc_context3(codec));
    if (!m->dec || avcodec_parameters_to_context(m->dec.get(), st->codecpar) < 0)
        throw m->error("decodificare");
    m->dec->thread_count = threads;
    if (avcodec_open2(m->dec.get(), codec, nullptr) < 0)
        throw m->error("decodificare");
    // Other streams (sound) are never decoded: let the demuxer skip them.
    for (unsigned i = 0; i < raw->nb_streams; ++i)
        if (static_cast<int>(i) != m->stream)
            raw->streams[i]->discard = AVDISCARD_ALL;
    m->timeBase = st->time_base;
    m->startPts = st->start_time != AV_NOPTS_VALUE ? st->start_time : 0;
    const AVRational rate = av_guess_frame_rate(raw, st, nullptr);
    m->nominalRate = rate.num > 0 && rate.den > 0 ? av_q2d(rate) : 0.0;
    if (!m->fillPending())
        throw FileError("Il filmato \"" + printable(path) + "\" non contiene fotogrammi leggibili.");
    m->firstFrameTime = m->timeOf(m->pending.get());
}

VideoDecoder::~VideoDecoder() = default;

const std::string &VideoDecoder::path() const
{
    return m->path;
}

double VideoDecoder::duration() const
{
    const AVStream *st = m->fmt->streams[m->stream];
    if (st->duration != AV_NOPTS_VALUE && st->duration > 0)
        return static_cast<double>(st->duration) * av_q2d(st->time_base);
    if (m->fmt->duration != AV_NOPTS_VALUE && m->fmt->duration > 0)
        return static_cast<double>(m->fmt->duration) / AV_TIME_BASE;
    return 0.0;
}

double VideoDecoder::frameRate() const
{
    return m->nominalRate;
}

int VideoDecoder::width() const
{
    return m->dec->width;
}

int VideoDecoder::height() const
{
    return m->dec->height;
}

VideoDecoder::PixelShape VideoDecoder::sampleAspectRatio() const
{
    AVRational sar = av_guess_sample_aspect_ratio(m->fmt.get(), m->fmt->streams[m->stream], nullptr);
    av_reduce(&sar.num, &sar.den, sar.num, sar.den, 1 << 20);
    if (sar.num <= 0 || sar.den <= 0)
        return {};
    return {sar.num, sar.den};
}

void VideoDecoder::setOutputSize(int width, int height)
{
    m->outWidth = width;
    m->outHeight = height;
    m->current.reset();
}

std::optional<DecodedFrame> VideoDecoder::next()
{
    while (m->fillPending()) {
        m->havePending = false;
        const double t = m->timeOf(m->pending.get());
        if (t < m->discardBefore - kEps) {
            av_frame_unref(m->pending.get());
            continue;
        }
        m->discardBefore = -std::numeric_limits<double>::infinity();
        DecodedFrame f {m->convert(m->pending.get()), t};
        av_frame_unref(m->pending.get());
        m->current = f;
        return f;
    }
    return std::nullopt;
}

std::optional<double> VideoDecoder::peekTime()
{
    while (m->fillPending()) {
        const double t = m->timeOf(m->pending.get());
        if (t >= m->discardBefore - kEps) {
            m->discardBefore = -std::numeric_limits<double>::infinity();
            return t;
        }
        av_frame_unref(m->pending.get());
        m->havePending = false;
    }
    return std::nullopt;
}

void VideoDecoder::skip()
{
    if (peekTime()) {
        av_frame_unref(m->pending.get());
        m->havePending = false;
    }
}

void VideoDecoder::seek(double seconds)
{
    m->seekRaw(seconds);
    m->discardBefore = seconds;
}

std::optional<DecodedFrame> VideoDecoder::frameAt(double seconds)
{
    m->discardBefore = -std::numeric_limits<double>::infinity();
    const bool forward = m->current && m->current->time <= seconds + kEps && seconds - m->current->time < 3.0;
    if (!forward)
        m->seekRaw(seconds);
    bool found = false;
    while (m->fillPending()) {
        if (m->timeOf(m->pending.get()) > seconds + kEps) {
            if (!found && !m->current) {
                // Before the first frame: show the first one.
                av_frame_move_ref(m->candidate.get(), m->pending.get());
                m->havePending = false;
                found = true;
            }
            break;
        }
        av_frame_unref(m->candidate.get());
        av_frame_move_ref(m->candidate.get(), m->pending.get());
        m->havePending = false;
        found = true;
    }
    if (found) {
        m->current = DecodedFrame {m->convert(m->candidate.get()), m->timeOf(m->candidate.get())};
        av_frame_unref(m->candidate.get());
    }
    return m->current;
}

std::string positionText(double seconds)
{
    const long long whole = seconds > 0 ? static_cast<long long>(std::floor(seconds)) : 0;
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02lld:%02lld", whole / 60, whole % 60);
    return buf;
}

} // namespace kalvor
