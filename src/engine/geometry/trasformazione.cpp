// SPDX-License-Identifier: GPL-3.0-or-later
#include "geometry/trasformazione.hpp"

#include "common/errors.hpp"
#include "common/numbers.hpp"

#include <algorithm>
#include <cmath>
#include <string>

namespace kalvor {

namespace {

std::string pointText(int x, int y)
{
    return "(" + intText(x) + ", " + intText(y) + ")";
}

// The division the program defines as failing on a zero divisor.
double divideOrFail(double dividend, double divisor, const std::string &message)
{
    if (divisor == 0.0)
        throw ArithmeticError(message);
    return dividend / divisor;
}

double ratioOrSentinel(double span, double pixels)
{
    return pixels == 0.0 ? kMissingRatio : span / pixels;
}

void copyReversedSkippingEmpty(const TextList &from, TextList &to)
{
    to.clear();
    const auto &lines = from.lines();
    for (auto it = lines.rbegin(); it != lines.rend(); ++it)
        if (!it->empty())
            to.append(*it);
}

void checkListSizes(const StatoProspettiva &p, bool gps)
{
    const int n = p.coordinataXPixelD.count();
    if (n == 0)
        throw RefusalError("Nessun punto di riferimento: indicare i punti sul fotogramma prima della trasformazione.");
    if (p.coordinataYPixelD.count() != n)
        throw RefusalError("Le coordinate X (" + intText(n) + " righe) e Y (" + intText(p.coordinataYPixelD.count())
                           + " righe) dei punti non hanno la stessa lunghezza.");
    if (gps) {
        if (n < 2)
            throw RefusalError("Con le coordinate GPS servono almeno due punti di riferimento.");
        if (p.coordinataX_GPSd.count() != n || p.coordinataY_GPSd.count() != n)
            throw RefusalError("Le coordinate GPS (" + intText(p.coordinataX_GPSd.count()) + " e "
                               + intText(p.coordinataY_GPSd.count()) + " righe) non corrispondono ai " + intText(n)
                               + " punti.");
        return;
    }
    // N points have N - 1 distances; a single point still needs one to scale its two end segments.
    const int wanted = std::max(n - 1, 1);
    if (p.DistanzeRealiD.count() != wanted)
        throw RefusalError("Per " + intText(n) + (n == 1 ? " punto" : " punti") + " servono " + intText(wanted)
                           + (wanted == 1 ? " distanza" : " distanze") + ": la lista ne ha "
                           + intText(p.DistanzeRealiD.count()) + ".");
}

} // namespace

bool isUsableRatio(double ratio)
{
    return ratio >= 0.0 && ratio != kMissingRatio;
}

void normaliseReferenceLists(StatoProspettiva &p, bool reversed, bool gps)
{
    p.coordinataXPixelD.clear();
    p.coordinataYPixelD.clear();
    p.DistanzeRealiD.clear();
    if (reversed) {
        copyReversedSkippingEmpty(p.coordinataXPixelP, p.coordinataXPixelD);
        copyReversedSkippingEmpty(p.coordinataYPixelP, p.coordinataYPixelD);
        copyReversedSkippingEmpty(p.DistanzeRealiP, p.DistanzeRealiD);
        if (gps) {
            copyReversedSkippingEmpty(p.coordinataX_GPSp, p.coordinataX_GPSd);
            copyReversedSkippingEmpty(p.coordinataY_GPSp, p.coordinataY_GPSd);
        }
        return;
    }
    p.coordinataXPixelD.setText(p.coordinataXPixelP.text());
    p.coordinataYPixelD.setText(p.coordinataYPixelP.text());
    p.DistanzeRealiD.setText(p.DistanzeRealiP.text());
    if (gps) {
        p.coordinataX_GPSd.setText(p.coordinataX_GPSp.text());
        p.coordinataY_GPSd.setText(p.coordinataY_GPSp.text());
    }
}

std::vector<RigaRiferimenti> buildReferenceTable(const StatoProspettiva &p, ReadingDirection direction, bool gps,
                                                 int width, int height, std::vector<RigaRiferimenti> t)
{
    if (width <= 0 || height <= 0)
        throw RefusalError("Nessun fotogramma caricato: caricare un fotogramma prima della trasformazione.");
    checkListSizes(p, gps);

    const bool bottom = isBottomOrigin(direction);
    const int n = p.coordinataXPixelD.count();
    const double w1 = width - 1;
    const double h1 = height - 1;
    const double originRow = bottom ? h1 : 0.0;
    // Metric y of the origin corner: 0, or H-1 for the bottom-origin directions.
    const double originMetricY = bottom ? h1 : 0.0;

    // N + 1 rows, existing cells kept, new ones 0.
    t.resize(static_cast<std::size_t>(n) + 1);

    // The points' pixel positions (and GPS positions), each checked to lie in the frame.
    std::vector<double> gpsX;
    std::vector<double> gpsY;
    for (int k = 0; k < n; ++k) {
        const int x = toInt(p.coordinataXPixelD.line(k));
        const int y = toInt(p.coordinataYPixelD.line(k));
        if (x < 0 || y < 0 || x >= width || y >= height)
            throw RefusalError("Il punto " + pointText(x, y) + " è fuori dal fotogramma (" + intText(width) + " × "
                               + intText(height) + " pixel).");
        t[k][rif::X] = x;
        t[k][rif::Y] = y;
        if (gps) {
            gpsX.push_back(toInt(p.coordinataX_GPSd.line(k)));
            gpsY.push_back(toInt(p.coordinataY_GPSd.line(k)));
            t[k][rif::MetricX] = gpsX.back();
            t[k][rif::MetricY] = gpsY.back();
        }
    }
    // The distances are the last texts converted.
    std::vector<double> distances;
    if (!gps)
        for (const std::string &line : p.DistanzeRealiD.lines())
            distances.push_back(toDecimal(line));

    // The last row: the far corner.
    t[n][rif::X] = w1;
    t[n][rif::Y] = bottom ? 0.0 : h1;

    // Pixel lengths. Every one of them divides when the angles are taken.
    t[0][rif::PixelLen]
        = std::sqrt(t[0][rif::X] * t[0][rif::X] + (t[0][rif::Y] - originRow) * (t[0][rif::Y] - originRow));
    for (int k = 1; k <= n; ++k) {
        const double dx = t[k][rif::X] - t[k - 1][rif::X];
        const double dy = t[k][rif::Y] - t[k - 1][rif::Y];
        t[k][rif::PixelLen] = std::sqrt(dx * dx + dy * dy);
    }
    if (t[0][rif::PixelLen] == 0.0)
        throw ArithmeticError("Il primo punto coincide con l'angolo di origine "
                              + pointText(0, static_cast<int>(originRow)) + ": spostarlo.");
    for (int k = 1; k < n; ++k)
        if (t[k][rif::PixelLen] == 0.0)
            throw ArithmeticError("Due punti consecutivi coincidono in "
                                  + pointText(static_cast<int>(t[k][rif::X]), static_cast<int>(t[k][rif::Y]))
                                  + ": togliere uno dei due.");
    if (t[n][rif::PixelLen] == 0.0)
        throw ArithmeticError("L'ultimo punto coincide con l'angolo opposto "
                              + pointText(static_cast<int>(t[n][rif::X]), static_cast<int>(t[n][rif::Y]))
                              + ": spostarlo.");

    // Real lengths, then the two end segments scaled like their neighbours.
    double firstLength = 0.0;
    double lastLength = 0.0;
    if (gps) {
        for (int k = 1; k < n; ++k) {
            const double dx = gpsX[k] - gpsX[k - 1];
            const double dy = gpsY[k] - gpsY[k - 1];
            t[k][rif::RealLen] = std::sqrt(dx * dx + dy * dy);
        }
        firstLength = t[1][rif::RealLen];
        lastLength = t[n - 1][rif::RealLen];
    } else {
        for (int k = 1; k < n; ++k)
            t[k][rif::RealLen] = distances[k - 1];
        firstLength = distances.front();
        lastLength = distances.back();
    }
    t[0][rif::RealLen] = firstLength / t[1][rif::PixelLen] * t[0][rif::PixelLen];
    t[n][rif::RealLen] = lastLength / t[n - 1][rif::PixelLen] * t[n][rif::PixelLen];

    // Rise and angle of each segment.
    t[0][rif::Rise] = t[0][rif::Y] - originRow;
    for (int k = 1; k <= n; ++k)
        t[k][rif::Rise] = t[k][rif::Y] - t[k - 1][rif::Y];
    for (int k = 0; k <= n; ++k)
        t[k][rif::Angle] = std::asin(t[k][rif::Rise] / t[k][rif::PixelLen]);

    // Metric positions. Row 0 is placed from the origin corner; in GPS
    // mode the other points keep their GPS offsets from the first one, so every
    // difference between rows is a difference in the GPS frame.
    t[0][rif::MetricX] = std::cos(t[0][rif::Angle]) * t[0][rif::RealLen];
    t[0][rif::MetricY] = std::sin(t[0][rif::Angle]) * t[0][rif::RealLen] + originMetricY;
    const int extendedFrom = gps ? n : 1;
    if (gps)
        for (int k = 1; k < n; ++k) {
            t[k][rif::MetricX] = t[0][rif::MetricX] + (gpsX[k] - gpsX[0]);
            t[k][rif::MetricY] = t[0][rif::MetricY] + (gpsY[k] - gpsY[0]);
        }
    for (int k = extendedFrom; k <= n; ++k) {
        t[k][rif::MetricX] = std::cos(t[k][rif::Angle]) * t[k][rif::RealLen] + t[k - 1][rif::MetricX];
        t[k][rif::MetricY] = std::sin(t[k][rif::Angle]) * t[k][rif::RealLen] + t[k - 1][rif::MetricY];
    }

    // Metres per pixel column (x ratios); the first band's span is two short of its column.
    t[0][rif::ColSpan] = t[0][rif::X] - 2;
    t[0][rif::XSpan] = t[0][rif::MetricX];
    t[0][rif::XRatio] = divideOrFail(t[0][rif::XSpan], t[0][rif::ColSpan],
                                     "Il primo punto non può stare nella colonna 2: spostarlo di un pixel.");
    for (int k = 1; k <= n; ++k) {
        t[k][rif::ColSpan] = t[k][rif::X] - t[k - 1][rif::X] - 1;
        t[k][rif::XSpan] = t[k][rif::MetricX] - t[k - 1][rif::MetricX];
        t[k][rif::XRatio] = ratioOrSentinel(t[k][rif::XSpan], t[k][rif::ColSpan]);
    }

    // Metres per pixel row (y ratios).
    if (!bottom) {
        t[0][rif::RowSpan] = t[0][rif::Y] - 2;
        t[0][rif::YSpan] = t[0][rif::MetricY];
        t[0][rif::YRatio] = divideOrFail(t[0][rif::YSpan], t[0][rif::RowSpan],
                                         "Il primo punto non può stare nella riga 2: spostarlo di un pixel.");
        for (int k = 1; k <= n; ++k) {
            t[k][rif::RowSpan] = t[k][rif::Y] - t[k - 1][rif::Y] - 1;
            t[k][rif::YSpan] = t[k][rif::MetricY] - t[k - 1][rif::MetricY];
            t[k][rif::YRatio] = ratioOrSentinel(t[k][rif::YSpan], t[k][rif::RowSpan]);
        }
    } else {
        // Counted upwards: rows climbed and metres of y lost over the segment,
        // so a climbing segment has a positive ratio and the bands join exactly.
        t[0][rif::RowSpan] = originRow - t[0][rif::Y];
        t[0][rif::YSpan] = originMetricY - t[0][rif::MetricY];
        t[0][rif::YRatio] = ratioOrSentinel(t[0][rif::YSpan], t[0][rif::RowSpan]);
        for (int k = 1; k <= n; ++k) {
            t[k][rif::RowSpan] = t[k - 1][rif::Y] - t[k][rif::Y];
            t[k][rif::YSpan] = t[k - 1][rif::MetricY] - t[k][rif::MetricY];
            t[k][rif::YRatio] = ratioOrSentinel(t[k][rif::YSpan], t[k][rif::RowSpan]);
        }
    }

    for (const RigaRiferimenti &row : t)
        for (double v : row)
            if (!std::isfinite(v))
                throw ArithmeticError("La trasformazione ha prodotto un valore non finito: controllare le distanze.");
    return t;
}

void resizeKeepingCells(MetricGrid &grid, int height, int width)
{
    if (grid.rows == height && grid.cols == width)
        return;
    MetricGrid resized;
    resized.resize(height, width);
    const int rows = std::min(height, grid.rows);
    const int cols = std::min(width, grid.cols);
    for (int r = 0; r < rows; ++r)
        std::copy_n(&grid.at(r, 0, 0), static_cast<std::size_t>(cols) * 2, &resized.at(r, 0, 0));
    grid = std::move(resized);
}

namespace {

// One value per column (or row), and whether the rules wrote it.
struct Profile
{
    std::vector<double> value;
    std::vector<char> written;
    explicit Profile(int size)
        : value(static_cast<std::size_t>(size), 0.0)
        , written(static_cast<std::size_t>(size), 0)
    {
    }
    void set(int i, double v)
    {
        value[static_cast<std::size_t>(i)] = v;
        written[static_cast<std::size_t>(i)] = 1;
    }
};

// The metric profile along the columns (and along the rows, with rows for columns): the first band from the
// origin, then for each later position the segment of the first row ending there.
Profile forwardProfile(const std::vector<RigaRiferimenti> &t, int size, int pixelCol, int metricCol, int ratioCol)
{
    Profile out(size);
    const int n = static_cast<int>(t.size()) - 1;
    const int p0 = static_cast<int>(t[0][pixelCol]);
    out.set(0, 0.0);
    for (int c = 1; c <= p0; ++c)
        out.set(c, isUsableRatio(t[0][ratioCol]) ? c * t[0][ratioCol] : t[0][metricCol]);
    // First row k >= 1 ending at each position.
    std::vector<int> firstEnding(static_cast<std::size_t>(size), -1);
    for (int k = n; k >= 1; --k)
        firstEnding[static_cast<std::size_t>(t[k][pixelCol])] = k;
    for (int c = p0 + 1; c < size; ++c) {
        const int k = firstEnding[static_cast<std::size_t>(c)];
        if (k < 0)
            continue;
        const int start = static_cast<int>(t[k - 1][pixelCol]);
        if (c < start + 1)
            continue;
        const double ratio = t[k][ratioCol];
        const bool usable = isUsableRatio(ratio);
        for (int j = start + 1; j <= c; ++j)
            out.set(j, usable ? t[k - 1][metricCol] + (j - start) * ratio : t[k][metricCol]);
    }
    return out;
}

// The y rule of the bottom-origin directions: the same walk counted upwards
// from the origin row H-1, interpolating exactly between the points.
Profile upwardProfile(const std::vector<RigaRiferimenti> &t, int height)
{
    Profile out(height);
    const int n = static_cast<int>(t.size()) - 1;
    const int h1 = height - 1;
    const int y0 = static_cast<int>(t[0][rif::Y]);
    const double originY = h1;
    out.set(h1, originY);
    for (int r = h1 - 1; r >= y0; --r)
        out.set(r, isUsableRatio(t[0][rif::YRatio]) ? originY - (h1 - r) * t[0][rif::YRatio] : t[0][rif::MetricY]);
    std::vector<int> firstEnding(static_cast<std::size_t>(height), -1);
    for (int k = n; k >= 1; --k)
        firstEnding[static_cast<std::size_t>(t[k][rif::Y])] = k;
    for (int r = y0 - 1; r >= 0; --r) {
        const int k = firstEnding[static_cast<std::size_t>(r)];
        if (k < 0)
            continue;
        const int start = static_cast<int>(t[k - 1][rif::Y]);
        if (r > start - 1)
            continue;
        const double ratio = t[k][rif::YRatio];
        const bool usable = isUsableRatio(ratio);
        for (int i = start - 1; i >= r; --i)
            out.set(i, usable ? t[k - 1][rif::MetricY] - (start - i) * ratio : t[k][rif::MetricY]);
    }
    return out;
}

} // namespace

void fillMetricGrid(MetricGrid &grid, const std::vector<RigaRiferimenti> &table, ReadingDirection direction)
{
    const Profile xs = forwardProfile(table, grid.cols, rif::X, rif::MetricX, rif::XRatio);
    const Profile ys = isBottomOrigin(direction) ? upwardProfile(table, grid.rows)
                                                 : forwardProfile(table, grid.rows, rif::Y, rif::MetricY, rif::YRatio);
    const std::size_t w = static_cast<std::size_t>(grid.cols);
    for (int r = 0; r < grid.rows; ++r) {
        double *cell = &grid.data[static_cast<std::size_t>(r) * w * 2];
        const bool rowWritten = ys.written[static_cast<std::size_t>(r)] != 0;
        const double y = ys.value[static_cast<std::size_t>(r)];
        for (std::size_t c = 0; c < w; ++c, cell += 2) {
            if (xs.written[c])
                cell[0] = xs.value[c];
            if (rowWritten)
                cell[1] = y;
        }
    }
}

void runTransformation(StatoLavoro &stato, int width, int height)
{
    const ReadingDirection direction = readingDirection(stato.SceltaVersoLetture);
    const bool gps = stato.SceltaVersoLetture.usoGPS;
    normaliseReferenceLists(stato.Prospettiva, isReversed(direction), gps);
    std::vector<RigaRiferimenti> table
        = buildReferenceTable(stato.Prospettiva, direction, gps, width, height, stato.TabellaRiferimenti);
    stato.TabellaRiferimenti = std::move(table);
    resizeKeepingCells(stato.GrigliaMetrica, height, width);
    fillMetricGrid(stato.GrigliaMetrica, stato.TabellaRiferimenti, direction);
}

} // namespace kalvor
