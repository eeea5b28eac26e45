// SPDX-License-Identifier: GPL-3.0-or-later
// The screens' painter against the engine's raster of the same primitives:
// every pixel of lines and rectangles must agree.
#include "common/raster.hpp"
#include "gui/platform/frame_image.hpp"
#include "gui/platform/paint_drawing.hpp"

#include <QPainter>
#include <QtTest>

#include <random>

using namespace kalvor;
using namespace kalvor::gui;

namespace {

constexpr int W = 64;
constexpr int H = 48;

// The first pixel where the painted image and the raster differ, as text; empty when none.
QString firstDifference(const Drawing &drawing)
{
    RgbImage raster(W, H);
    std::fill(raster.pixels.begin(), raster.pixels.end(), std::uint8_t(255));
    rasterizeDrawing(raster, drawing);
    const QImage expected = toQImage(raster);

    QImage painted(W, H, QImage::Format_RGB32);
    painted.fill(Qt::white);
    QPainter p(&painted);
    paintDrawing(p, drawing);
    p.end();

    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x)
            if (painted.pixel(x, y) != expected.pixel(x, y))
                return QStringLiteral("(%1, %2): painted %3, raster %4")
                    .arg(x)
                    .arg(y)
                    .arg(painted.pixelColor(x, y).name(), expected.pixelColor(x, y).name());
    return {};
}

} // namespace

class TestPaintDrawing : public QObject
{
    Q_OBJECT
private slots:
    void linePixelsWorkedExample()
    {
        // Five steps along x, two up in y: the end pixel (5, 2) is not drawn.
        const std::vector<PixelPoint> expected {{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 2}};
        QVERIFY(linePixels(0, 0, 5, 2) == expected);
        QVERIFY(linePixels(3, 3, 3, 3).empty());
        const std::vector<PixelPoint> up {{2, 4}, {2, 3}};
        QVERIFY(linePixels(2, 4, 2, 2) == up);
    }

    void primitivesAgreeWithTheRaster_data()
    {
        QTest::addColumn<int>("shape");
        QTest::addColumn<QList<int>>("box");
        QTest::addColumn<bool>("filled");
        const auto row = [](const char *name, Shape shape, QList<int> box, bool filled = false) {
            QTest::newRow(name) << int(shape) << box << filled;
        };
        row("horizontal line", Shape::Line, {5, 10, 40, 10});
        row("horizontal line leftwards", Shape::Line, {40, 10, 5, 10});
        row("vertical line", Shape::Line, {7, 3, 7, 40});
        row("vertical line upwards", Shape::Line, {7, 40, 7, 3});
        row("diagonal", Shape::Line, {2, 2, 30, 30});
        row("anti-diagonal", Shape::Line, {30, 2, 2, 30});
        row("one-pixel line", Shape::Line, {9, 9, 10, 9});
        row("empty line", Shape::Line, {9, 9, 9, 9});
        row("line leaving the image", Shape::Line, {50, 20, 90, 20});
        row("line from outside", Shape::Line, {-10, 5, 20, 5});
        row("rectangle", Shape::Rectangle, {4, 6, 20, 30});
        row("rectangle from its lower right corner", Shape::Rectangle, {20, 30, 4, 6});
        row("filled rectangle", Shape::Rectangle, {10, 10, 30, 25}, true);
        row("rectangle two pixels wide", Shape::Rectangle, {10, 10, 12, 25}, true);
        row("rectangle across the border", Shape::Rectangle, {50, 40, 80, 60}, true);
    }

    void primitivesAgreeWithTheRaster()
    {
        QFETCH(int, shape);
        QFETCH(QList<int>, box);
        QFETCH(bool, filled);
        DrawPrimitive d = DrawPrimitive::line(box[0], box[1], box[2], box[3], colors::red);
        d.shape = Shape(shape);
        d.filled = filled;
        d.fill = colors::yellow;
        const QString difference = firstDifference({d});
        QVERIFY2(difference.isEmpty(), qPrintable(difference));
    }

    void randomLinesAgreeWithTheRaster()
    {
        std::mt19937 random(11);
        std::uniform_int_distribution<int> x(-8, W + 8);
        std::uniform_int_distribution<int> y(-8, H + 8);
        for (int i = 0; i < 400; ++i) {
            const Drawing drawing {DrawPrimitive::line(x(random), y(random), x(random), y(random), colors::blue)};
            const QString difference = firstDifference(drawing);
            QVERIFY2(difference.isEmpty(),
                     qPrintable(QStringLiteral("line (%1, %2)-(%3, %4): %5")
                                    .arg(drawing[0].x1)
                                    .arg(drawing[0].y1)
                                    .arg(drawing[0].x2)
                                    .arg(drawing[0].y2)
                                    .arg(difference)));
        }
    }

    void laterPrimitivesCoverEarlierOnes()
    {
        const Drawing drawing {DrawPrimitive::filledRectangle(5, 5, 40, 30, colors::green, colors::yellow),
                               DrawPrimitive::line(0, 17, 60, 17, colors::blue),
                               DrawPrimitive::rectangle(20, 2, 25, 45, colors::red)};
        const QString difference = firstDifference(drawing);
        QVERIFY2(difference.isEmpty(), qPrintable(difference));
    }

    void whiteErasesOnATransparentOverlay()
    {
        QImage overlay(W, H, QImage::Format_ARGB32_Premultiplied);
        overlay.fill(Qt::transparent);
        QPainter p(&overlay);
        paintDrawing(p,
                     {DrawPrimitive::filledRectangle(0, 0, 20, 20, colors::red, colors::red),
                      DrawPrimitive::line(0, 10, 15, 10, colors::white)},
                     WhiteMeans::Transparent);
        p.end();
        QCOMPARE(overlay.pixelColor(5, 5), QColor(Qt::red));
        QCOMPARE(overlay.pixelColor(5, 10).alpha(), 0); // erased, not painted white
        QCOMPARE(overlay.pixelColor(14, 10).alpha(), 0);
        QCOMPARE(overlay.pixelColor(15, 10), QColor(Qt::red)); // the end pixel stays
        QCOMPARE(overlay.pixelColor(30, 30).alpha(), 0);
    }

    void rgbImageBecomesTheSameQtImage()
    {
        RgbImage image(3, 2);
        for (std::size_t i = 0; i < image.pixels.size(); ++i)
            image.pixels[i] = std::uint8_t(i * 10);
        const QImage q = toQImage(image);
        QCOMPARE(q.size(), QSize(3, 2));
        QCOMPARE(q.pixel(0, 0), qRgb(0, 10, 20));
        QCOMPARE(q.pixel(2, 1), qRgb(150, 160, 170));
        QVERIFY(toQImage(RgbImage()).isNull());
    }
};

QTEST_MAIN(TestPaintDrawing)
#include "test_paint_drawing.moc"
