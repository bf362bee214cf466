#include "chart/raster_line.h"
#include "chart_reading.h"

#include <QTest>
#include <algorithm>
#include <cmath>
#include <limits>

using Pixels = std::vector<QPoint>;
Q_DECLARE_METATYPE(Pixels)

namespace {

const QSize Picture(549, 325);

Pixels sorted(Pixels pixels)
{
    std::sort(pixels.begin(), pixels.end(),
              [](QPoint a, QPoint b) { return std::pair(a.x(), a.y()) < std::pair(b.x(), b.y()); });
    return pixels;
}

} // namespace

class TestRasterLine : public QObject {
    Q_OBJECT

private slots:
    void pixels_data()
    {
        QTest::addColumn<QPointF>("from");
        QTest::addColumn<QPointF>("to");
        QTest::addColumn<Pixels>("expected");

        const double nan = std::numeric_limits<double>::quiet_NaN();
        QTest::newRow("single point") << QPointF(3, 4) << QPointF(3, 4) << Pixels{{3, 4}};
        QTest::newRow("halves round up")
            << QPointF(0.5, 1.49) << QPointF(2.5, 1.5) << Pixels{{1, 1}, {2, 2}, {3, 2}};
        QTest::newRow("negative half rounds up")
            << QPointF(-0.5, 0) << QPointF(-0.51, 0) << Pixels{{0, 0}};
        QTest::newRow("shallow tie rounds up")
            << QPointF(0, 0) << QPointF(4, 1) << Pixels{{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 1}};
        QTest::newRow("steep tie rounds up")
            << QPointF(0, 0) << QPointF(1, 4) << Pixels{{0, 0}, {0, 1}, {1, 2}, {1, 3}, {1, 4}};
        QTest::newRow("cut at the left edge")
            << QPointF(-10, 5) << QPointF(2, 5) << Pixels{{0, 5}, {1, 5}, {2, 5}};
        QTest::newRow("cut at the bottom corner")
            << QPointF(540, 320) << QPointF(560, 330)
            << Pixels{{540, 320}, {541, 321}, {542, 321}, {543, 322}, {544, 322},
                      {545, 323}, {546, 323}, {547, 324}, {548, 324}};
        QTest::newRow("wholly outside") << QPointF(-5, -5) << QPointF(-1, 200) << Pixels{};
        QTest::newRow("huge far end")
            << QPointF(50, -2.8e30) << QPointF(58, 287) << column<Pixels>(58, 0, 287);
        QTest::newRow("huge both ends")
            << QPointF(65, 2.8e30) << QPointF(72, -1.4e30) << column<Pixels>(70, 0, 324);
        QTest::newRow("not a number") << QPointF(nan, 0) << QPointF(5, 5) << Pixels{};
    }

    void pixels()
    {
        QFETCH(QPointF, from);
        QFETCH(QPointF, to);
        QFETCH(Pixels, expected);
        QCOMPARE(sorted(rasterLine(from, to, Picture)), sorted(expected));
        QCOMPARE(sorted(rasterLine(to, from, Picture)), sorted(expected));
    }

    // The visible part of a long line is lit exactly as the whole line would light it.
    void cutLinesMatchWholeLines_data()
    {
        QTest::addColumn<QPointF>("from");
        QTest::addColumn<QPointF>("to");

        QTest::newRow("steep, far below") << QPointF(300, 100) << QPointF(307, 9000);
        QTest::newRow("shallow, far right") << QPointF(100, 10) << QPointF(7777, 321);
        QTest::newRow("through the picture") << QPointF(1000, 0) << QPointF(0, 700);
        QTest::newRow("odd slope") << QPointF(3, 7) << QPointF(3337, 1003);
    }

    void cutLinesMatchWholeLines()
    {
        QFETCH(QPointF, from);
        QFETCH(QPointF, to);
        Pixels whole = rasterLine(from, to, QSize(10000, 10000));
        std::erase_if(
            whole, [](QPoint p) { return p.x() >= Picture.width() || p.y() >= Picture.height(); });
        QVERIFY(!whole.empty());
        QCOMPARE(sorted(rasterLine(from, to, Picture)), sorted(whole));
    }
};

QTEST_APPLESS_MAIN(TestRasterLine)
#include "tst_raster_line.moc"
