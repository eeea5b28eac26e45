// SPDX-License-Identifier: GPL-3.0-or-later
#include "extraction/batch_extraction.hpp"

#include "common/errors.hpp"
#include "common/files.hpp"
#include "common/numbers.hpp"
#include "extraction/caption.hpp"
#include "extraction/frame_file.hpp"
#include "extraction/png_io.hpp"
#include "extraction/video_decoder.hpp"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <deque>
#include <exception>
#include <limits>
#include <mutex>
#include <thread>

namespace kalvor {

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point t0)
{
    return std::chrono::duration<double>(Clock::now() - t0).count();
}

// Frame times and targets closer than this are equal (times come from
// integer timestamps; targets from sums of decimal steps).
constexpr double kEps = 1e-6;
constexpr double kMinStep = 0.001;

// Decides frame by frame which decoded frames are written.
class FramePicker
{
public:
    enum class Decision { Skip, Take, Done };

    FramePicker(double from, double step, double to)
        : m_from(from)
        , m_step(step)
        , m_to(to)
    {
    }

    Decision offer(double t)
    {
        const double target = m_from + static_cast<double>(m_k) * m_step;
        if (m_to >= 0 && (target > m_to + kEps || t > m_to + kEps))
            return Decision::Done;
        if (t < target - kEps)
            return Decision::Skip;
        // The next target lies after this frame: a gap may swallow several.
        const long long next = static_cast<long long>(std::floor((t + kEps - m_from) / m_step)) + 1;
        m_k = std::max(m_k + 1, next);
        return Decision::Take;
    }

private:
    double m_from;
    double m_step;
    double m_to;
    long long m_k = 0;
};

void checkRequest(const BatchRequest &r)
{
    if (!(r.step > 0) || !std::isfinite(r.step))
        throw RefusalError("Il passo di estrazione deve essere maggiore di zero.");
    // As on the extractor screen: one millisecond at least, so that frame
    // counts stay far inside 64 bits for any video length.
    if (r.step < kMinStep)
        throw RefusalError("Il passo di estrazione deve essere di almeno " + fixedText(kMinStep) + " secondi.");
    if (!(r.from >= 0) || !std::isfinite(r.from))
        throw RefusalError("L'istante iniziale non può essere negativo.");
    if (r.to >= 0 && r.to < r.from)
        throw RefusalError("L'istante finale precede quello iniziale.");
    if (r.firstNumber < 0)
        throw RefusalError("Il numero del primo fotogramma non può essere negativo.");
    if (!r.nativeSize && (r.size.width != 0 || r.size.height != 0)
        && (r.size.width < 16 || r.size.height < 16 || r.size.width > 8192 || r.size.height > 8192))
        throw RefusalError("Dimensione dei fotogrammi non valida: da 16 a 8192 pixel per lato.");
}

struct Item
{
    ExtractedFrame frame;
    RgbImage image;
};

// Decoding side: picks, converts and captions the frames to write.
class FrameSource
{
public:
    explicit FrameSource(const BatchRequest &r)
        : m_decoder(r.video)
        , m_picker(r.from, r.step, r.to)
        , m_next(r.firstNumber)
    {
        FrameSize native {m_decoder.width(), m_decoder.height()};
        m_size = r.nativeSize ? native : (r.size.width > 0 && r.size.height > 0) ? r.size : fittedFrameSize(m_decoder);
        if (!(m_size == native))
            m_decoder.setOutputSize(m_size.width, m_size.height);
        m_duration = m_decoder.duration();
        checkNumbersSuffice(r);
        if (r.from > 0)
            m_decoder.seek(r.from - 1e-3);
    }

    FrameSize size() const { return m_size; }
    double duration() const { return m_duration; }
    double lastTime() const { return m_lastTime; }

    // The next frame to write, or false at the end.
    bool produce(Item &out)
    {
        while (auto t = m_decoder.peekTime()) {
            m_lastTime = *t;
            const auto d = m_picker.offer(*t);
            if (d == FramePicker::Decision::Done)
                return false;
            if (d == FramePicker::Decision::Skip) {
                m_decoder.skip();
                continue;
            }
            if (m_next > std::numeric_limits<int>::max())
                throw RefusalError("Il fotogramma dopo il numero " + intText(m_next - 1)
                                   + " non può essere numerato: i numeri arrivano fino a 2147483647.");
            auto f = m_decoder.next();
            out.frame = ExtractedFrame {static_cast<int>(m_next++), f->time};
            out.image = std::move(f->image);
            drawCaption(out.image, captionText(out.frame.number, out.frame.time));
            return true;
        }
        return false;
    }

private:
    // Refuses up front a first number whose frames would run past the largest
    // frame number, when the video tells its length.
    void checkNumbersSuffice(const BatchRequest &r) const
    {
        const double end = r.to >= 0 && (m_duration <= 0 || r.to < m_duration) ? r.to : m_duration;
        if (end <= 0)
            return;
        const double frames = std::floor((end - r.from) / r.step + kEps) + 1;
        if (static_cast<double>(r.firstNumber) + frames - 1 > std::numeric_limits<int>::max())
            throw RefusalError("Numerati da " + intText(r.firstNumber) + ", i " + fixedText(frames)
                               + " fotogrammi supererebbero il numero massimo 2147483647.");
    }

    VideoDecoder m_decoder;
    FramePicker m_picker;
    std::int64_t m_next;
    FrameSize m_size {};
    double m_duration = 0.0; // read once: the decoder belongs to the decoding thread
    double m_lastTime = 0.0;
};

void writeItem(const std::string &folder, const Item &item)
{
    writeFileAtomically(frameFileName(folder, item.frame.number), encodePng(item.image, extractedFramePngSettings()));
}

// Calls progress at most four times a second.
class ProgressTicker
{
public:
    explicit ProgressTicker(const std::function<void(const BatchProgress &)> &fn)
        : m_fn(fn)
    {
    }
    void tick(const BatchProgress &p, bool force = false)
    {
        if (!m_fn)
            return;
        if (force || secondsSince(m_last) >= 0.25) {
            m_last = Clock::now();
            m_fn(p);
        }
    }

private:
    const std::function<void(const BatchProgress &)> &m_fn;
    Clock::time_point m_last = Clock::now();
};

BatchResult runPlain(const BatchRequest &r, const std::function<void(const BatchProgress &)> &progress,
                     const std::atomic<bool> *stop)
{
    const auto t0 = Clock::now();
    BatchResult result;
    FrameSource source(r);
    result.size = source.size();
    ProgressTicker ticker(progress);
    Item item;
    for (;;) {
        if (stop && stop->load()) {
            result.stopped = true;
            break;
        }
        const auto d0 = Clock::now();
        if (!source.produce(item))
            break;
        result.decodeSeconds += secondsSince(d0);
        const auto e0 = Clock::now();
        writeItem(r.folder, item);
        result.encodeSeconds += secondsSince(e0);
        result.frames.push_back(item.frame);
        ticker.tick({static_cast<int>(result.frames.size()), source.lastTime(), source.duration()});
    }
    ticker.tick({static_cast<int>(result.frames.size()), source.lastTime(), source.duration()}, true);
    result.wallSeconds = secondsSince(t0);
    return result;
}

// The decoder on its own thread; PNG encoding on the calling thread and, on
// a machine with more than one core, on helpers that take the frames the
// calling thread has no time for. Files are the same as runPlain's.
BatchResult runPipelined(const BatchRequest &r, const std::function<void(const BatchProgress &)> &progress,
                         const std::atomic<bool> *stop)
{
    const auto t0 = Clock::now();
    BatchResult result;
    FrameSource source(r);
    result.size = source.size();

    std::mutex mutex;
    std::condition_variable changed;
    std::deque<Item> queue;
    constexpr std::size_t capacity = 8;
    bool producerDone = false;
    bool abandon = false;
    std::exception_ptr failure; // the first failure of any thread
    double decodeSeconds = 0.0;
    double encodeSeconds = 0.0;
    std::atomic<double> lastTime {0.0};
    std::atomic<int> written {0};

    const auto fail = [&](std::exception_ptr e) {
        std::lock_guard lock(mutex);
        if (!failure)
            failure = e;
        abandon = true;
        changed.notify_all();
    };

    std::thread producer([&] {
        try {
            Item item;
            for (;;) {
                const auto d0 = Clock::now();
                const bool more = source.produce(item);
                decodeSeconds += secondsSince(d0);
                lastTime.store(source.lastTime());
                if (!more)
                    break;
                std::unique_lock lock(mutex);
                changed.wait(lock, [&] { return queue.size() < capacity || abandon; });
                if (abandon)
                    break;
                queue.push_back(std::move(item));
                changed.notify_all();
            }
        } catch (...) {
            fail(std::current_exception());
        }
        std::lock_guard lock(mutex);
        producerDone = true;
        changed.notify_all();
    });

    // Takes frames until the queue is drained or the run abandoned.
    const auto consume = [&](bool reportsProgress) {
        ProgressTicker ticker(progress);
        try {
            for (;;) {
                Item item;
                {
                    std::unique_lock lock(mutex);
                    changed.wait(lock, [&] { return !queue.empty() || producerDone || abandon; });
                    // Every encoding thread looks at the stop request before taking a frame.
                    if (stop && stop->load() && !abandon) {
                        result.stopped = true;
                        abandon = true;
                        changed.notify_all();
                    }
                    if (abandon || queue.empty())
                        break;
                    item = std::move(queue.front());
                    queue.pop_front();
                    changed.notify_all();
                }
                const auto e0 = Clock::now();
                writeItem(r.folder, item);
                const double spent = secondsSince(e0);
                {
                    std::lock_guard lock(mutex);
                    encodeSeconds += spent;
                    result.frames.push_back(item.frame);
                }
                ++written;
                if (reportsProgress)
                    ticker.tick({written.load(), lastTime.load(), source.duration()});
            }
        } catch (...) {
            fail(std::current_exception());
        }
    };

    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    std::vector<std::thread> helpers;
    for (unsigned i = 1; i < cores; ++i)
        helpers.emplace_back(consume, false);
    consume(true);
    for (auto &h : helpers)
        h.join();
    // Once the helpers are done: a helper may still be writing the last frame
    // when the calling thread finds the queue empty.
    if (progress)
        progress({written.load(), lastTime.load(), source.duration()});
    {
        std::lock_guard lock(mutex);
        abandon = true;
        changed.notify_all();
    }
    producer.join();
    if (failure)
        std::rethrow_exception(failure);
    // Helpers finish out of order; numbers grow in extraction order.
    std::sort(result.frames.begin(), result.frames.end(),
              [](const ExtractedFrame &a, const ExtractedFrame &b) { return a.number < b.number; });
    result.decodeSeconds = decodeSeconds;
    result.encodeSeconds = encodeSeconds;
    result.wallSeconds = secondsSince(t0);
    return result;
}

} // namespace

BatchResult extractFrames(const BatchRequest &request, const std::function<void(const BatchProgress &)> &progress,
                          const std::atomic<bool> *stop)
{
    checkRequest(request);
    return request.pipelined ? runPipelined(request, progress, stop) : runPlain(request, progress, stop);
}

TextList frameListText(const std::vector<ExtractedFrame> &frames)
{
    TextList list;
    for (const auto &f : frames)
        list.append(intText(f.number) + "\t" + fixedText(f.time));
    return list;
}

} // namespace kalvor
