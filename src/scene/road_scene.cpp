// SPDX-License-Identifier: GPL-3.0-or-later
#include "scene/road_scene.hpp"

#include "common/numbers.hpp"
#include "extraction/frame_file.hpp"
#include "extraction/png_io.hpp"

#include <algorithm>
#include <cmath>
#include <random>
#include <sstream>
#include <stdexcept>

namespace kalvor::scene {

namespace {

constexpr double kPi = 3.14159265358979323846;

std::uint64_t splitmix(std::uint64_t x)
{
    x += 0x9E3779B97F4A7C15ULL;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ULL;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBULL;
    return x ^ (x >> 31);
}

std::uint8_t clampByte(double v)
{
    return static_cast<std::uint8_t>(std::clamp(std::lround(v), 0L, 255L));
}

// First and one-past-last pixel whose centre lies in [a, b).
void coverage(double a, double b, int &first, int &end)
{
    first = static_cast<int>(std::ceil(a - 0.5));
    end = static_cast<int>(std::ceil(b - 0.5));
}

// Uniform double in [0, 1) from a standard engine (std distributions differ
// between libraries, this does not).
double uniform(std::mt19937_64 &rng)
{
    return static_cast<double>(rng() >> 11) * 0x1.0p-53;
}

double between(std::mt19937_64 &rng, double lo, double hi)
{
    return lo + (hi - lo) * uniform(rng);
}

const std::array<std::array<std::uint8_t, 3>, 8> kPalette {{{200, 30, 30},
                                                            {30, 60, 190},
                                                            {235, 235, 230},
                                                            {20, 20, 25},
                                                            {230, 200, 40},
                                                            {40, 150, 70},
                                                            {175, 175, 185},
                                                            {150, 60, 150}}};

// One pixel of a vehicle's body; u runs from 0 at the front to 1 at the rear.
void paintBody(std::uint8_t *px, const VehicleSpec &v, double u, bool outline, double light)
{
    const bool lorry = v.lengthM > 7.0;
    double k = 1.0;
    std::array<double, 3> col {double(v.colour[0]), double(v.colour[1]), double(v.colour[2])};
    const bool windscreen = lorry ? (u > 0.04 && u < 0.12) : (u > 0.22 && u < 0.38);
    const bool rearWindow = !lorry && u > 0.8 && u < 0.9;
    const bool cabGap = lorry && u > 0.2 && u < 0.23;
    if (windscreen || rearWindow)
        col = {40, 48, 58};
    else if (cabGap)
        col = {30, 30, 30};
    if (outline)
        k = 0.6;
    for (int ch = 0; ch < 3; ++ch)
        px[ch] = clampByte(col[ch] * k * light);
}

} // namespace

const char *halfText(Half h)
{
    return h == Half::Sup ? "sup" : "inf";
}

SceneGeometry sceneGeometry(int width, int height, double perspective)
{
    if (width < 64 || height < 48)
        throw std::invalid_argument("road scene too small");
    if (!(perspective > 0.0))
        throw std::invalid_argument("road scene: perspective must be positive");
    SceneGeometry g;
    g.width = width;
    g.height = height;
    g.metresPerPixel = 32.0 / width;
    const int lane = static_cast<int>(std::lround(3.5 / g.metresPerPixel));
    g.axisRow = height / 2;
    g.roadTop = g.axisRow - lane;
    g.roadBottom = g.axisRow + lane;
    g.laneCentreRow[0] = g.axisRow - lane / 2.0;
    g.laneCentreRow[1] = g.axisRow + lane / 2.0;
    if (perspective != 1.0) {
        // Relative scale 1 - a at the right edge and 1 + a at the left one.
        const double a = (1.0 - perspective) / (1.0 + perspective);
        g.depthSlope = a / (width / 2.0);
        // The road's outer rows where it is nearest (widest).
        const double nearest = std::max(g.scaleAt(0), g.scaleAt(width));
        const int half = static_cast<int>(std::ceil(3.5 * nearest));
        g.roadTop = g.axisRow - half;
        g.roadBottom = g.axisRow + half;
        if (g.roadTop < 4 || g.roadBottom > height - 5)
            throw std::invalid_argument("road scene: perspective too strong for the picture");
    }
    const auto sx = [&](int c) { return static_cast<int>(std::lround(c * width / 640.0)); };
    const auto sy = [&](int r) { return static_cast<int>(std::lround(r * height / 480.0)); };
    g.referencePoints = {{sx(100), sy(100)}, {sx(260), sy(220)}, {sx(420), sy(340)}, {sx(580), sy(460)}};
    for (std::size_t i = 1; i < g.referencePoints.size(); ++i) {
        const PixelPoint p = g.referencePoints[i - 1];
        const PixelPoint q = g.referencePoints[i];
        if (g.hasPerspective()) {
            const auto mp = g.metricAt(p.column, p.row);
            const auto mq = g.metricAt(q.column, q.row);
            g.referenceDistances.push_back(std::hypot(mq.x - mp.x, mq.y - mp.y));
            continue;
        }
        const double dc = q.column - p.column;
        const double dr = q.row - p.row;
        g.referenceDistances.push_back(g.metresPerPixel * std::sqrt(dc * dc + dr * dr));
    }
    const int margin = 8;
    g.examinationArea = {PixelPoint {margin, g.axisRow}, PixelPoint {width - 1 - margin, g.axisRow},
                         PixelPoint {width / 2, g.roadTop}, PixelPoint {width / 2, g.roadBottom}};
    return g;
}

double SceneGeometry::scaleAt(double column) const
{
    return (1.0 - depthSlope * (column - width / 2.0)) / metresPerPixel;
}

SceneGeometry::Metres SceneGeometry::metricAt(double column, double row) const
{
    if (!hasPerspective())
        return {metricX(column), metricY(row)};
    const double k = scaleAt(column);
    return {width / 2.0 * metresPerPixel + (column - width / 2.0) / k, axisRow * metresPerPixel + (row - axisRow) / k};
}

double SceneGeometry::columnAt(double xMetres) const
{
    if (!hasPerspective())
        return columnOf(xMetres);
    // Inverse of metricAt along the axis: the scale is linear in the column.
    const double e = xMetres - width / 2.0 * metresPerPixel;
    const double d = 1.0 + depthSlope / metresPerPixel * e;
    return width / 2.0 + e / (metresPerPixel * d);
}

double SceneGeometry::rowAt(double column, double yMetres) const
{
    if (!hasPerspective())
        return rowOf(yMetres);
    return axisRow + (yMetres - axisRow * metresPerPixel) * scaleAt(column);
}

MetricGrid SceneGeometry::metricGrid() const
{
    MetricGrid grid;
    grid.resize(height, width);
    for (int r = 0; r < height; ++r)
        for (int c = 0; c < width; ++c) {
            const Metres m = metricAt(c, r);
            grid.at(r, c, 0) = m.x;
            grid.at(r, c, 1) = m.y;
        }
    return grid;
}

TextList SceneGeometry::puntiRiferimento() const
{
    TextList l;
    for (const auto &p : examinationArea) {
        l.append(intText(p.row));
        l.append(intText(p.column));
    }
    return l;
}

TextList SceneGeometry::referenceColumns() const
{
    TextList l;
    for (const auto &p : referencePoints)
        l.append(intText(p.column));
    return l;
}

TextList SceneGeometry::referenceRows() const
{
    TextList l;
    for (const auto &p : referencePoints)
        l.append(intText(p.row));
    return l;
}

TextList SceneGeometry::referenceDistanceTexts() const
{
    TextList l;
    for (double d : referenceDistances)
        l.append(fixedText(d));
    return l;
}

namespace {

// A traffic mix: the shares of cars and vans (the rest are lorries and
// buses), and per kind the ranges of length, width and speed.
struct VehicleMix
{
    double cars, carsAndVans;
    std::array<std::array<double, 2>, 3> lengthM, widthM, speedKmh; // car, van, lorry
};

constexpr VehicleMix kStandardMix {0.6,
                                   0.85,
                                   {{{3.8, 4.8}, {5.0, 6.5}, {8.0, 12.0}}},
                                   {{{1.7, 1.9}, {2.0, 2.2}, {2.4, 2.5}}},
                                   {{{40.0, 75.0}, {40.0, 65.0}, {35.0, 55.0}}}};
// Pairs side by side: slower, fewer long vehicles.
constexpr VehicleMix kPairedMix {0.6,
                                 0.9,
                                 {{{3.8, 4.8}, {5.0, 6.5}, {8.0, 11.0}}},
                                 {{{1.7, 1.9}, {2.0, 2.2}, {2.4, 2.5}}},
                                 {{{40.0, 65.0}, {40.0, 60.0}, {35.0, 50.0}}}};

// The kind, size, speed and colour of one vehicle, drawn in this order.
void drawBody(std::mt19937_64 &rng, const VehicleMix &mix, VehicleSpec &v)
{
    const double kind = uniform(rng);
    const std::size_t k = kind < mix.cars ? 0 : kind < mix.carsAndVans ? 1 : 2;
    v.lengthM = between(rng, mix.lengthM[k][0], mix.lengthM[k][1]);
    v.widthM = between(rng, mix.widthM[k][0], mix.widthM[k][1]);
    v.speedKmh = between(rng, mix.speedKmh[k][0], mix.speedKmh[k][1]);
    v.colour = kPalette[rng() % kPalette.size()];
}

} // namespace

std::vector<VehicleSpec> standardTraffic(double duration, std::uint64_t seed)
{
    std::mt19937_64 rng(seed);
    const double fieldM = 32.0;
    const double gapM = 3.0;
    std::vector<VehicleSpec> out;
    int nextId = 1;

    const auto randomVehicle = [&](Half half) {
        VehicleSpec v;
        v.half = half;
        drawBody(rng, kStandardMix, v);
        v.laneOffsetM = between(rng, -0.3, 0.3);
        return v;
    };
    // Earliest entry that keeps a follower gapM behind a leader while both are in view.
    const auto earliestBehind = [&](const VehicleSpec &leader, const VehicleSpec &f, double wanted) {
        const double vl = leader.speedKmh / 3.6;
        const double vf = f.speedKmh / 3.6;
        const double exitL = leader.entryTime + (fieldM + leader.lengthM) / vl;
        return std::max({wanted, leader.entryTime + (leader.lengthM + gapM) / vl, exitL - (fieldM - gapM) / vf});
    };

    for (Half half : {Half::Inf, Half::Sup}) {
        std::vector<VehicleSpec> lane;
        double t = half == Half::Inf ? 0.3 : 1.1;
        bool scripted = false;
        while (t < duration) {
            if (half == Half::Inf && !scripted && duration >= 12.0 && t >= 4.0) {
                // A slow lorry and a fast car that pulls into the upper half to pass it.
                scripted = true;
                VehicleSpec lorry;
                lorry.half = Half::Inf;
                lorry.lengthM = 10.0;
                lorry.widthM = 2.5;
                lorry.speedKmh = 35.0;
                lorry.colour = {230, 200, 40};
                lorry.entryTime = t;
                for (const auto &l : lane)
                    lorry.entryTime = earliestBehind(l, lorry, lorry.entryTime);
                lorry.id = nextId++;
                lane.push_back(lorry);
                VehicleSpec car;
                car.half = Half::Inf;
                car.lengthM = 4.5;
                car.widthM = 1.8;
                car.speedKmh = 75.0;
                car.colour = {30, 60, 190};
                car.entryTime = lorry.entryTime + 1.5;
                car.overtakeFrom = car.entryTime - 2.0;
                car.overtakeTo = car.entryTime + 2.5;
                car.id = nextId++;
                lane.push_back(car);
                t = car.entryTime + between(rng, 1.0, 3.0);
                continue;
            }
            VehicleSpec v = randomVehicle(half);
            v.entryTime = t;
            for (const auto &l : lane)
                if (l.overtakeFrom == l.overtakeTo)
                    v.entryTime = earliestBehind(l, v, v.entryTime);
            if (v.entryTime >= duration)
                break;
            v.id = nextId++;
            lane.push_back(v);
            t = v.entryTime + between(rng, 1.0, 5.0);
        }
        out.insert(out.end(), lane.begin(), lane.end());
    }

    // Drop upper-half vehicles that would meet the overtaking car in its lane.
    const auto overtaker
        = std::find_if(out.begin(), out.end(), [](const VehicleSpec &v) { return v.overtakeFrom != v.overtakeTo; });
    if (overtaker != out.end()) {
        const VehicleSpec o = *overtaker;
        const double vo = o.speedKmh / 3.6;
        std::erase_if(out, [&](const VehicleSpec &s) {
            if (s.half != Half::Sup)
                return false;
            const double vs = s.speedKmh / 3.6;
            for (double t = o.overtakeFrom; t <= o.overtakeTo; t += 0.02) {
                // Both along the inf direction: metres from the left edge.
                const double oFront = vo * (t - o.entryTime);
                const double oRear = oFront - o.lengthM;
                const double sFront = fieldM - vs * (t - s.entryTime);
                const double sRear = sFront + s.lengthM;
                if (oFront + gapM > sFront && sRear + gapM > oRear)
                    return true;
            }
            return false;
        });
    }
    std::sort(out.begin(), out.end(), [](const VehicleSpec &a, const VehicleSpec &b) { return a.id < b.id; });
    return out;
}

std::vector<VehicleSpec> pairedTraffic(double duration, std::uint64_t seed, double fieldM)
{
    std::mt19937_64 rng(seed ^ 0x5EC0ULL);
    std::vector<VehicleSpec> out;
    int nextId = 1;
    double meet = 3.0;
    while (true) {
        std::array<VehicleSpec, 2> pair;
        for (int k = 0; k < 2; ++k) {
            VehicleSpec &v = pair[k];
            v.half = k == 0 ? Half::Inf : Half::Sup;
            drawBody(rng, kPairedMix, v);
            // Both pulled toward the axis: the gap between them is a few pixels.
            v.laneOffsetM = v.half == Half::Inf ? -0.4 : 0.4;
        }
        // Time from the entry to the centre passing mid-picture.
        const auto toMiddle = [&](const VehicleSpec &v) { return (fieldM / 2 + v.lengthM / 2) / (v.speedKmh / 3.6); };
        meet = std::max({meet, 0.2 + toMiddle(pair[0]), 0.2 + toMiddle(pair[1])});
        if (meet >= duration)
            break;
        for (VehicleSpec &v : pair) {
            v.entryTime = meet - toMiddle(v);
            v.id = nextId++;
            out.push_back(v);
        }
        meet += between(rng, 3.0, 5.0);
    }
    return out;
}

RoadScene::RoadScene(SceneOptions options)
    : m_options(std::move(options))
    , m_geometry(sceneGeometry(m_options.width, m_options.height, m_options.perspective))
{
    if (m_options.fps <= 0 || m_options.duration < 0)
        throw std::invalid_argument("road scene: bad fps or duration");
    if (m_options.shadowDepth < 0.0 || m_options.shadowDepth > 1.0 || m_options.lightDrift <= -1.0
        || m_options.stopSeconds < 0.0)
        throw std::invalid_argument("road scene: bad shadow, light or stop option");
    m_frameCount = static_cast<int>(std::lround(m_options.duration * m_options.fps));
    if (!m_options.vehicles.empty())
        m_vehicles = m_options.vehicles;
    else if (m_options.sideBySide)
        m_vehicles = pairedTraffic(m_options.duration, m_options.seed, fieldLength());
    else
        m_vehicles = standardTraffic(m_options.duration, m_options.seed);
    if (m_options.vehicles.empty())
        hardenTraffic();
    if (m_geometry.hasPerspective()) {
        renderBaseInPerspective();
        return;
    }
    renderBase();
}

void RoadScene::renderBase()
{
    const SceneGeometry &g = m_geometry;
    const double s = g.metresPerPixel;
    const int shoulder = std::max(1, static_cast<int>(std::lround(0.5 / s)));
    const int line = std::max(1, static_cast<int>(std::lround(0.15 / s)));
    const int dash = static_cast<int>(std::lround(3.0 / s));
    const int period = static_cast<int>(std::lround(7.5 / s));
    m_base = RgbImage(g.width, g.height);
    for (int r = 0; r < g.height; ++r) {
        std::uint8_t *row = m_base.row(r);
        for (int c = 0; c < g.width; ++c) {
            const std::uint64_t h
                = splitmix(m_options.seed * 0x100000001B3ULL ^ static_cast<std::uint64_t>(r * g.width + c));
            const std::uint64_t blot = splitmix(m_options.seed ^ static_cast<std::uint64_t>((r / 16) * 4096 + c / 16));
            const double fine = static_cast<double>(h & 0xFF) / 255.0 - 0.5; // -0.5..0.5
            const double coarse = static_cast<double>(blot & 0xFF) / 255.0 - 0.5;
            double rgb[3];
            if (r >= g.roadTop && r <= g.roadBottom) {
                const double v = 92 + 18 * fine + 8 * coarse;
                rgb[0] = v;
                rgb[1] = v;
                rgb[2] = v + 4;
                const bool edge = (r >= g.roadTop + 2 && r < g.roadTop + 2 + line)
                    || (r <= g.roadBottom - 2 && r > g.roadBottom - 2 - line);
                const bool axis = std::abs(r - g.axisRow) <= line / 2 && (c % period) < dash;
                if (edge || axis) {
                    rgb[0] = rgb[1] = 222 + 10 * fine;
                    rgb[2] = 215 + 10 * fine;
                }
            } else if (r >= g.roadTop - shoulder && r <= g.roadBottom + shoulder) {
                const double v = 150 + 14 * fine;
                rgb[0] = v;
                rgb[1] = v;
                rgb[2] = v - 5;
            } else {
                rgb[0] = 72 + 24 * fine + 20 * coarse;
                rgb[1] = 104 + 30 * fine + 24 * coarse;
                rgb[2] = 52 + 16 * fine + 10 * coarse;
            }
            for (int k = 0; k < 3; ++k)
                row[3 * c + k] = clampByte(rgb[k]);
        }
    }
}

void RoadScene::renderBaseInPerspective()
{
    // The same ground as renderBase, laid out in metres on the road plane.
    const SceneGeometry &g = m_geometry;
    const double axisM = g.axisRow * g.metresPerPixel;
    m_base = RgbImage(g.width, g.height);
    for (int r = 0; r < g.height; ++r) {
        std::uint8_t *row = m_base.row(r);
        for (int c = 0; c < g.width; ++c) {
            const std::uint64_t h
                = splitmix(m_options.seed * 0x100000001B3ULL ^ static_cast<std::uint64_t>(r * g.width + c));
            const std::uint64_t blot = splitmix(m_options.seed ^ static_cast<std::uint64_t>((r / 16) * 4096 + c / 16));
            const double fine = static_cast<double>(h & 0xFF) / 255.0 - 0.5;
            const double coarse = static_cast<double>(blot & 0xFF) / 255.0 - 0.5;
            const SceneGeometry::Metres m = g.metricAt(c, r);
            const double across = std::abs(m.y - axisM);
            const double along = m.x - 7.5 * std::floor(m.x / 7.5);
            double rgb[3];
            if (across <= 3.5) {
                const double v = 92 + 18 * fine + 8 * coarse;
                rgb[0] = v;
                rgb[1] = v;
                rgb[2] = v + 4;
                const bool edge = across > 3.25 && across <= 3.4;
                const bool axis = across <= 0.075 && along < 3.0;
                if (edge || axis) {
                    rgb[0] = rgb[1] = 222 + 10 * fine;
                    rgb[2] = 215 + 10 * fine;
                }
            } else if (across <= 4.0) {
                const double v = 150 + 14 * fine;
                rgb[0] = v;
                rgb[1] = v;
                rgb[2] = v - 5;
            } else {
                rgb[0] = 72 + 24 * fine + 20 * coarse;
                rgb[1] = 104 + 30 * fine + 24 * coarse;
                rgb[2] = 52 + 16 * fine + 10 * coarse;
            }
            for (int k = 0; k < 3; ++k)
                row[3 * c + k] = clampByte(rgb[k]);
        }
    }
}

double RoadScene::fieldLength() const
{
    return m_geometry.metricAt(m_geometry.width, m_geometry.axisRow).x - m_geometry.metricAt(0, m_geometry.axisRow).x;
}

double RoadScene::lighting(double time) const
{
    double light = 1.0;
    if (m_options.lightingPeriod > 0)
        light = 1.0 + m_options.lightingAmplitude * std::sin(2 * kPi * time / m_options.lightingPeriod);
    if (m_options.lightDrift != 0.0 && m_options.duration > 0)
        light *= 1.0 + m_options.lightDrift * time / m_options.duration;
    return light;
}

double RoadScene::travelled(const VehicleSpec &v, double time, double *speed)
{
    const double cruise = v.speedKmh / 3.6;
    const double tau = time - v.entryTime;
    double d = cruise * tau;
    double now = cruise;
    if (v.stopSeconds > 0) {
        const double a = v.brakingMs2;
        const double brakeM = cruise * cruise / (2 * a);
        const double brakeS = cruise / a;
        const double t1 = (v.stopAtM - brakeM) / cruise; // braking starts
        const double t2 = t1 + brakeS; // stands
        const double t3 = t2 + v.stopSeconds; // pulls away
        if (tau >= t1 && tau < t2) {
            const double u = tau - t1;
            now = cruise - a * u;
            d = v.stopAtM - brakeM + cruise * u - a * u * u / 2;
        } else if (tau >= t2 && tau < t3) {
            now = 0.0;
            d = v.stopAtM;
        } else if (tau >= t3 && tau < t3 + brakeS) {
            const double u = tau - t3;
            now = a * u;
            d = v.stopAtM + a * u * u / 2;
        } else if (tau >= t3 + brakeS) {
            d = v.stopAtM + brakeM + cruise * (tau - t3 - brakeS);
        }
    }
    if (speed)
        *speed = now;
    return d;
}

RoadScene::Body RoadScene::body(const VehicleSpec &v, double time) const
{
    const SceneGeometry &g = m_geometry;
    const double d = travelled(v, time);
    Body b {};
    if (v.half == Half::Inf) {
        b.x1 = g.metricAt(0, g.axisRow).x + d;
        b.x0 = b.x1 - v.lengthM;
    } else {
        b.x0 = g.metricAt(g.width, g.axisRow).x - d;
        b.x1 = b.x0 + v.lengthM;
    }
    double shift = 0;
    const double laneGap = (g.laneCentreRow[1] - g.laneCentreRow[0]) * g.metresPerPixel;
    if (v.overtakeTo > v.overtakeFrom) {
        const double ramp
            = std::min(std::clamp(time - v.overtakeFrom, 0.0, 1.0), std::clamp(v.overtakeTo - time, 0.0, 1.0));
        shift = (v.half == Half::Inf ? -laneGap : laneGap) * ramp;
    }
    const double cy = g.laneCentreRow[v.half == Half::Sup ? 0 : 1] * g.metresPerPixel + v.laneOffsetM + shift;
    b.y0 = cy - v.widthM / 2;
    b.y1 = cy + v.widthM / 2;
    return b;
}

void RoadScene::hardenTraffic()
{
    const bool stop = m_options.stopSeconds > 0;
    if (!stop && !m_options.sideBySide && !m_geometry.hasPerspective())
        return;
    const double fieldM = fieldLength();
    if (stop) {
        const auto car = std::find_if(m_vehicles.begin(), m_vehicles.end(), [](const VehicleSpec &v) {
            return v.half == Half::Inf && v.entryTime >= 1.0 && v.overtakeFrom == v.overtakeTo && v.lengthM < 7.0;
        });
        if (car != m_vehicles.end()) {
            car->stopSeconds = m_options.stopSeconds;
            car->stopAtM = fieldM / 2 + car->lengthM / 2;
            // Slow enough to brake within the picture.
            const double fastest = std::sqrt(2 * car->brakingMs2 * car->stopAtM) * 3.6;
            car->speedKmh = std::min(car->speedKmh, 0.9 * fastest);
        }
    }
    // Followers that would run into a slower or standing vehicle wait behind
    // the picture's edge, and the lane's later vehicles with them; so do
    // vehicles of a longer (perspective) view.
    std::stable_sort(m_vehicles.begin(), m_vehicles.end(),
                     [](const VehicleSpec &a, const VehicleSpec &b) { return a.entryTime < b.entryTime; });
    const auto inView = [&](const VehicleSpec &v) {
        const double slowest = v.stopSeconds > 0 ? v.stopSeconds + 2 * v.speedKmh / 3.6 / v.brakingMs2 : 0.0;
        return v.entryTime + (fieldM + v.lengthM) / (v.speedKmh / 3.6) + slowest;
    };
    const double step = 1.0 / m_options.fps;
    const auto meet = [&](const VehicleSpec &a, const VehicleSpec &b) {
        const double from = std::max(a.entryTime, b.entryTime);
        const double to = std::min(inView(a), inView(b));
        for (double t = from; t <= to; t += step) {
            const Body p = body(a, t);
            const Body q = body(b, t);
            const double gap = 3.0; // as between vehicles of standard traffic
            if (p.x0 < q.x1 + gap && q.x0 < p.x1 + gap && p.y0 < q.y1 && q.y0 < p.y1)
                return true;
        }
        return false;
    };
    std::vector<VehicleSpec> kept;
    double laneDelay[2] = {0.0, 0.0}; // a wait passes on to the lane's later vehicles: headways stay
    for (VehicleSpec v : m_vehicles) {
        double &delay = laneDelay[v.half == Half::Sup ? 0 : 1];
        v.entryTime += delay;
        if (v.overtakeTo > v.overtakeFrom) {
            v.overtakeFrom += delay;
            v.overtakeTo += delay;
        }
        const double planned = v.entryTime;
        while (v.entryTime < m_options.duration && std::any_of(kept.begin(), kept.end(), [&](const VehicleSpec &k) {
                   // Nobody queues behind a standing vehicle: its lane stays empty until it has gone.
                   const bool behindStop = k.stopSeconds > 0 && k.half == v.half && v.entryTime < inView(k);
                   return behindStop || meet(k, v);
               })) {
            v.entryTime += 0.2;
            if (v.overtakeTo > v.overtakeFrom) {
                v.overtakeFrom += 0.2;
                v.overtakeTo += 0.2;
            }
        }
        delay += v.entryTime - planned;
        if (v.entryTime < m_options.duration)
            kept.push_back(v);
    }
    std::sort(kept.begin(), kept.end(), [](const VehicleSpec &a, const VehicleSpec &b) { return a.id < b.id; });
    m_vehicles = kept;
}

VehicleTruth RoadScene::place(const VehicleSpec &v, double time) const
{
    if (m_geometry.hasPerspective())
        return placeInPerspective(v, time);
    const SceneGeometry &g = m_geometry;
    const double s = g.metresPerPixel;
    const double vpx = v.speedKmh / 3.6 / s;
    const double lpx = v.lengthM / s;
    const double wpx = v.widthM / s;
    VehicleTruth t;
    t.id = v.id;
    t.travelHalf = v.half;
    t.lengthM = v.lengthM;
    t.widthM = v.widthM;
    t.speedKmh = v.speedKmh;
    double a = 0; // left edge, pixels
    double b = 0; // right edge
    double now = 0; // m/s while stopping
    const double moved = v.stopSeconds > 0 ? travelled(v, time, &now) / s : vpx * (time - v.entryTime);
    if (v.half == Half::Inf) {
        b = moved;
        a = b - lpx;
        t.frontM = b * s;
        t.rearM = a * s;
        t.speedMs = v.speedKmh / 3.6;
    } else {
        a = g.width - moved;
        b = a + lpx;
        t.frontM = a * s;
        t.rearM = b * s;
        t.speedMs = -v.speedKmh / 3.6;
    }
    if (v.stopSeconds > 0) {
        t.speedMs = v.half == Half::Inf ? now : -now;
        t.speedKmh = now * 3.6;
    }
    double shift = 0;
    if (v.overtakeTo > v.overtakeFrom) {
        const double ramp
            = std::min(std::clamp(time - v.overtakeFrom, 0.0, 1.0), std::clamp(v.overtakeTo - time, 0.0, 1.0));
        const double laneGap = g.laneCentreRow[1] - g.laneCentreRow[0];
        shift = (v.half == Half::Inf ? -laneGap : laneGap) * ramp;
    }
    const double cy = g.laneCentreRow[v.half == Half::Sup ? 0 : 1] + v.laneOffsetM / s + shift;
    t.xM = (a + b) / 2 * s;
    t.yM = cy * s;
    t.half = cy < g.axisRow ? Half::Sup : Half::Inf;
    int c0, c1, r0, r1;
    coverage(a, b, c0, c1);
    coverage(cy - wpx / 2, cy + wpx / 2, r0, r1);
    t.clipped = c0 < 0 || r0 < 0 || c1 > g.width || r1 > g.height;
    t.left = std::max(c0, 0);
    t.right = std::min(c1, g.width) - 1;
    t.top = std::max(r0, 0);
    t.bottom = std::min(r1, g.height) - 1;
    return t;
}

VehicleTruth RoadScene::placeInPerspective(const VehicleSpec &v, double time) const
{
    const SceneGeometry &g = m_geometry;
    VehicleTruth t;
    t.id = v.id;
    t.travelHalf = v.half;
    t.lengthM = v.lengthM;
    t.widthM = v.widthM;
    double now = 0;
    travelled(v, time, &now);
    const Body b = body(v, time);
    t.frontM = v.half == Half::Inf ? b.x1 : b.x0;
    t.rearM = v.half == Half::Inf ? b.x0 : b.x1;
    t.speedMs = v.half == Half::Inf ? now : -now;
    t.speedKmh = v.stopSeconds > 0 ? now * 3.6 : v.speedKmh;
    t.xM = (b.x0 + b.x1) / 2;
    t.yM = (b.y0 + b.y1) / 2;
    t.half = t.yM < g.axisRow * g.metresPerPixel ? Half::Sup : Half::Inf;
    int c0, c1;
    coverage(g.columnAt(b.x0), g.columnAt(b.x1), c0, c1);
    t.clipped = c0 < 0 || c1 > g.width;
    t.left = std::max(c0, 0);
    t.right = std::min(c1, g.width) - 1;
    t.top = g.height;
    t.bottom = -1;
    for (int c = t.left; c <= t.right; ++c) {
        int r0, r1;
        coverage(g.rowAt(c + 0.5, b.y0), g.rowAt(c + 0.5, b.y1), r0, r1);
        t.clipped = t.clipped || r0 < 0 || r1 > g.height;
        t.top = std::min(t.top, std::max(r0, 0));
        t.bottom = std::max(t.bottom, std::min(r1, g.height) - 1);
    }
    if (t.left > t.right) {
        t.top = 0;
        t.bottom = -1;
    }
    return t;
}

FrameTruth RoadScene::truth(int index) const
{
    FrameTruth f;
    f.index = index;
    f.time = frameTime(index);
    for (const auto &v : m_vehicles) {
        VehicleTruth t = place(v, f.time);
        if (t.left <= t.right && t.top <= t.bottom)
            f.vehicles.push_back(t);
    }
    std::sort(f.vehicles.begin(), f.vehicles.end(), [](const auto &a, const auto &b) { return a.id < b.id; });
    return f;
}

void RoadScene::drawVehicles(RgbImage &image, double time, double light) const
{
    if (m_geometry.hasPerspective()) {
        drawVehiclesInPerspective(image, time, light);
        return;
    }
    for (const auto &v : m_vehicles) {
        const VehicleTruth t = place(v, time);
        if (t.left > t.right || t.top > t.bottom)
            continue;
        const double s = m_geometry.metresPerPixel;
        const double lpx = v.lengthM / s;
        const double frontPx = t.frontM / s;
        for (int r = t.top; r <= t.bottom; ++r) {
            std::uint8_t *row = image.row(r);
            // Unclipped rows of the body for the outline test.
            const double cy = t.yM / s;
            const bool sideEdge = std::abs(r + 0.5 - cy) > v.widthM / s / 2 - 1.0;
            for (int c = t.left; c <= t.right; ++c) {
                // 0 at the front edge, 1 at the rear.
                const double u = std::abs(c + 0.5 - frontPx) / lpx;
                paintBody(row + 3 * c, v, u, sideEdge || u < 1.0 / lpx || u > 1.0 - 1.0 / lpx, light);
            }
        }
    }
}

void RoadScene::drawVehiclesInPerspective(RgbImage &image, double time, double light) const
{
    const SceneGeometry &g = m_geometry;
    for (const auto &v : m_vehicles) {
        const Body b = body(v, time);
        int c0, c1;
        coverage(g.columnAt(b.x0), g.columnAt(b.x1), c0, c1);
        const double front = v.half == Half::Inf ? b.x1 : b.x0;
        for (int c = std::max(c0, 0); c < std::min(c1, g.width); ++c) {
            const double u = std::abs(g.metricAt(c + 0.5, g.axisRow).x - front) / v.lengthM;
            int r0, r1;
            coverage(g.rowAt(c + 0.5, b.y0), g.rowAt(c + 0.5, b.y1), r0, r1);
            for (int r = std::max(r0, 0); r < std::min(r1, g.height); ++r) {
                const bool outline = c == c0 || c == c1 - 1 || r == r0 || r == r1 - 1;
                paintBody(image.row(r) + 3 * c, v, u, outline, light);
            }
        }
    }
}

void RoadScene::drawShadows(RgbImage &image, double time) const
{
    const SceneGeometry &g = m_geometry;
    // A mask first, so that overlapping shadows darken the ground once.
    std::vector<std::uint8_t> shade(static_cast<std::size_t>(g.width) * static_cast<std::size_t>(g.height), 0);
    bool any = false;
    for (const auto &v : m_vehicles) {
        Body b = body(v, time);
        b.x0 += m_options.shadowOffsetXM;
        b.x1 += m_options.shadowOffsetXM;
        b.y0 += m_options.shadowOffsetYM;
        b.y1 += m_options.shadowOffsetYM;
        int c0, c1;
        coverage(g.columnAt(b.x0), g.columnAt(b.x1), c0, c1);
        for (int c = std::max(c0, 0); c < std::min(c1, g.width); ++c) {
            int r0, r1;
            coverage(g.rowAt(c + 0.5, b.y0), g.rowAt(c + 0.5, b.y1), r0, r1);
            for (int r = std::max(r0, 0); r < std::min(r1, g.height); ++r) {
                shade[static_cast<std::size_t>(r) * static_cast<std::size_t>(g.width) + static_cast<std::size_t>(c)]
                    = 1;
                any = true;
            }
        }
    }
    if (!any)
        return;
    const double keep = 1.0 - m_options.shadowDepth;
    for (int r = 0; r < g.height; ++r) {
        std::uint8_t *row = image.row(r);
        const std::uint8_t *mask = shade.data() + static_cast<std::size_t>(r) * static_cast<std::size_t>(g.width);
        for (int c = 0; c < g.width; ++c)
            if (mask[c])
                for (int ch = 0; ch < 3; ++ch)
                    row[3 * c + ch] = clampByte(row[3 * c + ch] * keep);
    }
}

RgbImage RoadScene::emptyRoad(int index) const
{
    const double light = lighting(frameTime(index));
    std::array<std::uint8_t, 256> lut {};
    for (int i = 0; i < 256; ++i)
        lut[i] = clampByte(i * light);
    RgbImage img = m_base;
    for (auto &b : img.pixels)
        b = lut[b];
    return img;
}

RgbImage RoadScene::frame(int index) const
{
    const double time = frameTime(index);
    RgbImage img = emptyRoad(index);
    if (m_options.shadowDepth > 0)
        drawShadows(img, time);
    drawVehicles(img, time, lighting(time));
    if (m_options.noiseSigma > 0) {
        // Triangular noise from two uniform bytes: sum of two uniforms has a
        // standard deviation of about 104.2 grey levels before scaling.
        static thread_local std::vector<std::int16_t> table;
        static thread_local double tableSigma = -1;
        if (tableSigma != m_options.noiseSigma) {
            table.resize(65536);
            for (int i = 0; i < 65536; ++i)
                table[i] = static_cast<std::int16_t>(
                    std::lround(((i & 0xFF) + (i >> 8) - 255) * m_options.noiseSigma / 104.2));
            tableSigma = m_options.noiseSigma;
        }
        std::uint64_t state = splitmix(m_options.seed ^ (0xA5A5ULL << 32) ^ static_cast<std::uint64_t>(index));
        std::uint64_t bits = 0;
        int left = 0;
        for (auto &b : img.pixels) {
            if (left == 0) {
                state += 0x9E3779B97F4A7C15ULL;
                bits = splitmix(state);
                left = 4;
            }
            const int n = table[bits & 0xFFFF];
            bits >>= 16;
            --left;
            b = static_cast<std::uint8_t>(std::clamp(b + n, 0, 255));
        }
    }
    return img;
}

void writeScenePngs(const RoadScene &scene, const std::string &dir, int first, int count, int number)
{
    for (int i = 0; i < count; ++i)
        writePng(frameFileName(dir, number + i), scene.frame(first + i));
}

std::string truthCsv(const RoadScene &scene)
{
    std::ostringstream out;
    out.precision(10);
    out << "frame,time,id,travel,half,left,top,right,bottom,clipped,rear_m,front_m,x_m,y_m,speed_ms,speed_kmh\n";
    for (int i = 0; i < scene.frameCount(); ++i) {
        const FrameTruth f = scene.truth(i);
        for (const auto &v : f.vehicles)
            out << f.index << ',' << f.time << ',' << v.id << ',' << halfText(v.travelHalf) << ',' << halfText(v.half)
                << ',' << v.left << ',' << v.top << ',' << v.right << ',' << v.bottom << ',' << (v.clipped ? 1 : 0)
                << ',' << v.rearM << ',' << v.frontM << ',' << v.xM << ',' << v.yM << ',' << v.speedMs << ','
                << v.speedKmh << '\n';
    }
    return out.str();
}

} // namespace kalvor::scene
