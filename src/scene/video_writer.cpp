// SPDX-License-Identifier: GPL-3.0-or-later
#include "scene/video_writer.hpp"

#include "scene/road_scene.hpp"

#include <algorithm>
#include <stdexcept>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/opt.h>
#include <libswscale/swscale.h>
}

namespace kalvor::scene {

struct VideoWriter::Impl
{
    std::string path;
    AVFormatContext *fmt = nullptr;
    AVCodecContext *enc = nullptr;
    AVStream *stream = nullptr;
    AVFrame *frame = nullptr;
    AVPacket *packet = nullptr;
    SwsContext *sws = nullptr;
    bool finished = false;
    bool headerWritten = false;

    ~Impl()
    {
        sws_freeContext(sws);
        av_packet_free(&packet);
        av_frame_free(&frame);
        avcodec_free_context(&enc);
        if (fmt != nullptr) {
            if (!(fmt->oformat->flags & AVFMT_NOFILE))
                avio_closep(&fmt->pb);
            avformat_free_context(fmt);
        }
    }

    [[noreturn]] void fail(const std::string &what) const
    {
        throw std::runtime_error("video writer: " + what + " (" + path + ")");
    }

    void drain(bool flushing)
    {
        avcodec_send_frame(enc, flushing ? nullptr : frame);
        for (;;) {
            const int r = avcodec_receive_packet(enc, packet);
            if (r == AVERROR(EAGAIN) || r == AVERROR_EOF)
                return;
            if (r < 0)
                fail("encoding failed");
            // Containers that store durations (MP4) would otherwise drop the last frame.
            if (packet->duration == 0)
                packet->duration = 1;
            av_packet_rescale_ts(packet, enc->time_base, stream->time_base);
            packet->stream_index = stream->index;
            if (av_interleaved_write_frame(fmt, packet) < 0)
                fail("writing failed");
        }
    }
};

VideoWriter::VideoWriter(const std::string &path, int width, int height, const VideoSettings &settings)
    : m(std::make_unique<Impl>())
{
    m->path = path;
    av_log_set_level(AV_LOG_ERROR);
    if (avformat_alloc_output_context2(&m->fmt, nullptr, nullptr, path.c_str()) < 0 || m->fmt == nullptr)
        m->fail("unknown container");
    const std::string container = m->fmt->oformat->name;
    const AVCodec *codec = nullptr;
    AVPixelFormat pix = AV_PIX_FMT_YUV420P;
    switch (settings.codec) {
    case VideoCodec::Lossless:
        if (container == "mp4") {
            codec = avcodec_find_encoder_by_name("libx264rgb");
            pix = AV_PIX_FMT_BGR24;
        } else {
            codec = avcodec_find_encoder(AV_CODEC_ID_FFV1);
            pix = AV_PIX_FMT_BGR0;
        }
        break;
    case VideoCodec::Mpeg4:
        codec = avcodec_find_encoder(AV_CODEC_ID_MPEG4);
        break;
    case VideoCodec::H264:
        codec = avcodec_find_encoder_by_name("libx264");
        break;
    }
    if (codec == nullptr)
        m->fail("encoder not available");
    m->stream = avformat_new_stream(m->fmt, nullptr);
    m->enc = avcodec_alloc_context3(codec);
    if (m->stream == nullptr || m->enc == nullptr)
        m->fail("out of memory");
    m->enc->width = width;
    m->enc->height = height;
    m->enc->pix_fmt = pix;
    m->enc->time_base = AVRational {1, settings.fps};
    m->enc->framerate = AVRational {settings.fps, 1};
    m->enc->thread_count = settings.threads;
    m->enc->gop_size = settings.fps * 2;
    m->enc->sample_aspect_ratio = AVRational {settings.pixelWidth, settings.pixelHeight};
    if (settings.codec == VideoCodec::Mpeg4) {
        m->enc->flags |= AV_CODEC_FLAG_QSCALE;
        m->enc->global_quality = FF_QP2LAMBDA * std::clamp(settings.quality, 2, 31);
        m->enc->max_b_frames = 2;
    }
    if (m->fmt->oformat->flags & AVFMT_GLOBALHEADER)
        m->enc->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    AVDictionary *opts = nullptr;
    if (settings.codec == VideoCodec::H264) {
        av_dict_set(&opts, "preset", "veryfast", 0);
        av_dict_set(&opts, "crf", std::to_string(settings.quality).c_str(), 0);
    } else if (settings.codec == VideoCodec::Lossless && container == "mp4") {
        av_dict_set(&opts, "preset", "ultrafast", 0);
        av_dict_set(&opts, "qp", "0", 0);
    }
    const int opened = avcodec_open2(m->enc, codec, &opts);
    av_dict_free(&opts);
    if (opened < 0)
        m->fail("cannot open encoder");
    if (avcodec_parameters_from_context(m->stream->codecpar, m->enc) < 0)
        m->fail("codec parameters");
    m->stream->time_base = m->enc->time_base;
    m->stream->sample_aspect_ratio = m->enc->sample_aspect_ratio;
    if (!(m->fmt->oformat->flags & AVFMT_NOFILE) && avio_open(&m->fmt->pb, path.c_str(), AVIO_FLAG_WRITE) < 0)
        m->fail("cannot create file");
    if (avformat_write_header(m->fmt, nullptr) < 0)
        m->fail("cannot write header");
    m->headerWritten = true;
    m->frame = av_frame_alloc();
    m->packet = av_packet_alloc();
    m->frame->format = pix;
    m->frame->width = width;
    m->frame->height = height;
    if (av_frame_get_buffer(m->frame, 0) < 0)
        m->fail("out of memory");
    m->sws
        = sws_getContext(width, height, AV_PIX_FMT_RGB24, width, height, pix, SWS_BILINEAR, nullptr, nullptr, nullptr);
    if (m->sws == nullptr)
        m->fail("no conversion");
}

VideoWriter::~VideoWriter()
{
    try {
        finish();
    } catch (...) {
        // A destructor must not throw; an explicit finish() reports the failure.
    }
}

void VideoWriter::write(const RgbImage &image, long long slot)
{
    if (image.width != m->enc->width || image.height != m->enc->height)
        m->fail("picture size differs");
    if (av_frame_make_writable(m->frame) < 0)
        m->fail("frame not writable");
    const std::uint8_t *src[4] = {image.pixels.data(), nullptr, nullptr, nullptr};
    const int stride[4] = {image.rowBytes(), 0, 0, 0};
    sws_scale(m->sws, src, stride, 0, image.height, m->frame->data, m->frame->linesize);
    m->frame->pts = slot;
    m->drain(false);
}

void VideoWriter::finish()
{
    if (m->finished || !m->headerWritten)
        return;
    m->finished = true;
    m->drain(true);
    if (av_write_trailer(m->fmt) < 0)
        m->fail("cannot write trailer");
}

void encodeScene(const RoadScene &scene, const std::string &path, const VideoSettings &settings, int first, int count,
                 const std::vector<int> &skip)
{
    if (count < 0)
        count = scene.frameCount() - first;
    VideoSettings s = settings;
    s.fps = scene.options().fps;
    VideoWriter w(path, scene.geometry().width, scene.geometry().height, s);
    for (int i = first; i < first + count; ++i)
        if (std::find(skip.begin(), skip.end(), i) == skip.end())
            w.write(scene.frame(i), i - first);
    w.finish();
}

} // namespace kalvor::scene
