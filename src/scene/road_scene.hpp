// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A synthetic fixed-camera road scene with known vehicles, for tests,
// benchmarks and the demo job.
//
// Geometry (kept simple on purpose so that every consumer can rely on it):
// - No perspective. One isotropic scale: metresPerPixel = 32 m / width
//   (0.05 m per pixel at 640 x 480). Pixel column c is at metric x = c * s,
//   pixel row r at metric y = r * s (origin at the top-left corner, like the
//   reading direction "origin at (0, 0)").
// - The road is a horizontal band parallel to the image rows, centred
//   vertically: two lanes of 3.5 m, one per half, with a dashed road axis on
//   row axisRow. At 640 x 480: road rows 170..310, axis row 240, lane centres
//   on rows 205 (upper) and 275 (lower), 70 px (3.5 m) apart.
// - Upper half ("sup", rows above the axis): traffic moves toward smaller x
//   (right to left). Lower half ("inf"): toward larger x (left to right).
// - referencePoints: four points on a diagonal, with the real distance
//   between consecutive points in referenceDistances (s times the pixel
//   distance; exactly 10 m each at 640 x 480: (100,100) (260,220) (420,340)
//   (580,460) as column,row). Fed to the pixel-to-metric transformation with
//   the origin at (0, 0) they give a grid close to x = c * s, y = r * s.
// - examinationArea: the four points of the examination area in the order
//   of the program's PuntiRiferimento list: the two ends of the axis (on
//   axisRow, 8 px from the picture's sides), then two points on the road's
//   first and last rows (band height = road height).
//
// Frames are a pure function of (options, frame index): frame(i) can be
// asked in any order and is identical on every run and machine. Noise is a
// counter-based hash of seed, frame and pixel; no global random state.
//
// Time: frame i is shown at i / fps seconds. A vehicle's entryTime is when
// its front edge reaches the edge of the picture it enters from; it moves at
// constant speed; it may pull into the other half for a while (overtaking).
//
// Harder scenes (SceneOptions, all off by default; the default frames stay
// byte for byte what they always were): moving shadows, a slow drift of the
// light, a vehicle that stops for a while, perspective, and traffic in pairs
// side by side across the axis. With perspective the camera looks along the
// road toward the left: the road plane maps to the picture by a homography
// that keeps the axis on axisRow, with scales that vary linearly along the
// columns (metricAt and metricGrid give the exact metres of every pixel;
// metricX/metricY are the plain scale only without perspective). Compression
// is not a property of the frames: see CompressedScene.

#include "common/rgb_image.hpp"
#include "common/text_list.hpp"
#include "state/griglia_metrica.hpp"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace kalvor::scene {

enum class Half { Sup, Inf };
// "sup" or "inf", as in vehicle records.
const char *halfText(Half h);

struct PixelPoint
{
    int column = 0;
    int row = 0;
    bool operator==(const PixelPoint &) const = default;
};

struct SceneGeometry
{
    int width = 640;
    int height = 480;
    double metresPerPixel = 0.05;
    int roadTop = 170; // first asphalt row
    int roadBottom = 310; // last asphalt row
    int axisRow = 240; // road axis; rows above belong to "sup"
    double laneCentreRow[2] = {205.0, 275.0}; // index 0 = sup, 1 = inf
    std::vector<PixelPoint> referencePoints;
    std::vector<double> referenceDistances; // metres, point i to point i+1
    std::array<PixelPoint, 4> examinationArea {};

    // Perspective: the picture's scale at column u relative to the centre
    // column is 1 - depthSlope * (u - width / 2); 0 without perspective.
    double depthSlope = 0.0;

    double metricX(double column) const { return column * metresPerPixel; }
    double metricY(double row) const { return row * metresPerPixel; }
    double columnOf(double xMetres) const { return xMetres / metresPerPixel; }
    double rowOf(double yMetres) const { return yMetres / metresPerPixel; }

    bool hasPerspective() const { return depthSlope != 0.0; }
    // Pixels per metre at column u (both along and across the road at the
    // centre column; along the road the scale shrinks with its square).
    double scaleAt(double column) const;
    // Metres of a point of the picture (continuous pixel coordinates, the
    // same convention as metricX/metricY), and back.
    struct Metres
    {
        double x = 0.0, y = 0.0;
    };
    Metres metricAt(double column, double row) const;
    double columnAt(double xMetres) const;
    double rowAt(double column, double yMetres) const;
    // The grid of every pixel (row, column) of the picture.
    MetricGrid metricGrid() const;

    // The examination area as the eight lines of PuntiRiferimento (row, then column).
    TextList puntiRiferimento() const;
    // Reference points as the lists of the reference-point screen: columns, rows,
    // and the distances in fixed-point text of the current number format.
    TextList referenceColumns() const;
    TextList referenceRows() const;
    TextList referenceDistanceTexts() const;
};

struct VehicleSpec
{
    int id = 0;
    Half half = Half::Inf; // the half it travels in (sets its direction)
    double lengthM = 4.5;
    double widthM = 1.8;
    std::array<std::uint8_t, 3> colour {200, 30, 30};
    double speedKmh = 50.0;
    double entryTime = 0.0; // s, front edge at the entry edge of the picture
    double laneOffsetM = 0.0; // across the road, + = down the picture
    // Overtaking: from overtakeFrom to overtakeTo (s) the vehicle is in the
    // other half's lane, with a 1 s lateral move at each end. Off when equal.
    double overtakeFrom = 0.0;
    double overtakeTo = 0.0;
    // Stopping: the front stands still stopSeconds at stopAtM metres from the
    // entry edge, braking before and pulling away after at brakingMs2. Off
    // when stopSeconds is 0. stopAtM must be at least the braking distance.
    double stopAtM = 0.0;
    double stopSeconds = 0.0;
    double brakingMs2 = 3.0;
};

// Where one vehicle is in one frame.
struct VehicleTruth
{
    int id = 0;
    Half travelHalf = Half::Inf; // its direction of travel
    Half half = Half::Inf; // the half holding the centre of its box now
    // Rendered pixels, inclusive, clipped to the picture.
    int left = 0, top = 0, right = 0, bottom = 0;
    bool clipped = false; // partly outside the picture
    // Unclipped extents in metres along the road (rear and front are by
    // direction of travel) and the centre of the body in metres.
    double rearM = 0.0, frontM = 0.0;
    double xM = 0.0, yM = 0.0;
    double speedMs = 0.0; // signed along x: negative for "sup" traffic (now: 0 while stopped)
    double speedKmh = 0.0; // magnitude
    double lengthM = 0.0, widthM = 0.0;
};

struct FrameTruth
{
    int index = 0;
    double time = 0.0;
    std::vector<VehicleTruth> vehicles; // those with at least one pixel in the picture, by id
};

struct SceneOptions
{
    int width = 640;
    int height = 480;
    int fps = 25;
    double duration = 10.0; // s; frameCount = round(duration * fps)
    std::uint64_t seed = 1;
    double noiseSigma = 2.5; // grey levels of per-frame sensor noise (0: none)
    double lightingAmplitude = 0.03; // relative brightness swing
    double lightingPeriod = 40.0; // s
    // Empty: standardTraffic(duration, seed), or the pairs of sideBySide,
    // then the options below that change the traffic.
    std::vector<VehicleSpec> vehicles;

    // Each vehicle casts a shadow on the ground: its body moved by
    // (shadowOffsetXM, shadowOffsetYM) metres, where the ground keeps
    // 1 - shadowDepth of its light (same hue). 0: no shadows.
    double shadowDepth = 0.0;
    double shadowOffsetXM = -1.0;
    double shadowOffsetYM = 1.2;
    // Brightness drifts linearly from 1 at the start to 1 + lightDrift at
    // the end of the scene (-0.25: a quarter darker), on top of the swing.
    double lightDrift = 0.0;
    // Generated traffic only: one car of the lower half stops with its
    // centre at mid-picture for this many seconds; followers wait behind
    // the picture's edge and come in once the lane is free.
    double stopSeconds = 0.0;
    // Generated traffic only: vehicles in pairs, one per half, whose centres
    // pass mid-picture at the same moment, each pulled 0.4 m toward the axis.
    bool sideBySide = false;
    // Size of a thing at the picture's right edge over its size at the left
    // edge (vertical scale). 1: no perspective.
    double perspective = 1.0;
};

// Pairs of vehicles meeting side by side at mid-picture (see sideBySide);
// fieldM is the length of road in view.
std::vector<VehicleSpec> pairedTraffic(double duration, std::uint64_t seed, double fieldM);

// A mixed traffic of cars, vans and lorries in both halves with speeds of
// 35 to 75 km/h, never two in one lane overlapping, at times one in each
// half at once, and one overtaking vehicle from 6 s on (when duration >= 12).
std::vector<VehicleSpec> standardTraffic(double duration, std::uint64_t seed);

SceneGeometry sceneGeometry(int width, int height, double perspective = 1.0);

class RoadScene
{
public:
    explicit RoadScene(SceneOptions options = {});

    const SceneOptions &options() const { return m_options; }
    const SceneGeometry &geometry() const { return m_geometry; }
    const std::vector<VehicleSpec> &vehicles() const { return m_vehicles; }
    int frameCount() const { return m_frameCount; }
    double frameTime(int index) const { return static_cast<double>(index) / m_options.fps; }

    // The picture at frame index (any index >= 0, also past the end).
    RgbImage frame(int index) const;
    // The empty road at that frame's lighting, without noise: what a
    // background model should converge to.
    RgbImage emptyRoad(int index) const;
    FrameTruth truth(int index) const;
    // Whole-picture brightness factor at a time.
    double lighting(double time) const;
    // Metres of road in view along the axis, edge to edge.
    double fieldLength() const;

    // Metres the front has travelled from the entry edge at a time, and the
    // speed then (m/s, >= 0).
    static double travelled(const VehicleSpec &v, double time, double *speed = nullptr);

private:
    void drawVehicles(RgbImage &image, double time, double light) const;
    void drawVehiclesInPerspective(RgbImage &image, double time, double light) const;
    void drawShadows(RgbImage &image, double time) const;
    VehicleTruth place(const VehicleSpec &v, double time) const;
    VehicleTruth placeInPerspective(const VehicleSpec &v, double time) const;
    struct Body
    {
        double x0, x1, y0, y1; // metres, x0 < x1, y0 < y1
    };
    Body body(const VehicleSpec &v, double time) const;
    void renderBase();
    void renderBaseInPerspective();
    void hardenTraffic();

    SceneOptions m_options;
    SceneGeometry m_geometry;
    std::vector<VehicleSpec> m_vehicles;
    int m_frameCount = 0;
    RgbImage m_base; // empty road at full lighting, texture included
};

// Frames first..first+count-1 as "<dir><n>.png" numbered from number.
void writeScenePngs(const RoadScene &scene, const std::string &dir, int first, int count, int number = 0);

// Ground truth as CSV: frame,time,id,travel,half,left,top,right,bottom,clipped,
// rear_m,front_m,x_m,y_m,speed_ms,speed_kmh (one row per vehicle per frame).
std::string truthCsv(const RoadScene &scene);

} // namespace kalvor::scene
