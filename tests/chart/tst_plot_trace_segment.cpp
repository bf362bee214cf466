#include "chart/chart_plot.h"
#include "chart/picture_box.h"
#include "chart_reading.h"

#include <QTest>
#include <limits>

Q_DECLARE_METATYPE(Trace)

namespace {

const QRgb Red = qRgb(255, 0, 0);
const QRgb Blue = qRgb(0, 0, 255);

// The pixels lit on a picture that was blank before, by position.
QList<QPoint> lit(const PictureBox &picture)
{
    const QRgb background = picture.palette().color(QPalette::Base).rgb();
    QList<QPoint> pixels;
    for (int x = 0; x < picture.image().width(); ++x) {
        for (int y = 0; y < picture.image().height(); ++y) {
            if (picture.image().pixel(x, y) != background)
                pixels.append(QPoint(x, y));
        }
    }
    return pixels;
}

} // namespace

class TestPlotTraceSegment : public QObject {
    Q_OBJECT

private slots:
    // The first sample of a run is a stub from one unit right of the point to the point.
    void firstSampleStub_data()
    {
        QTest::addColumn<Trace>("trace");
        QTest::addColumn<float>("value");
        QTest::addColumn<int>("y");
        QTest::addColumn<QRgb>("colour");

        QTest::newRow("-10 on the bottom edge") << Trace::Temperature << -10.0f << 315 << Red;
        QTest::newRow("0 just above its grid line") << Trace::Temperature << 0.0f << 287 << Red;
        QTest::newRow("100 on the top edge") << Trace::Temperature << 100.0f << 10 << Red;
        QTest::newRow("humidity 50") << Trace::Humidity << 50.0f << 149 << Blue;
        QTest::newRow("humidity 0") << Trace::Humidity << 0.0f << 287 << Blue;
        QTest::newRow("below the scale") << Trace::Temperature << -11.0f << 318 << Red;
    }

    void firstSampleStub()
    {
        QFETCH(Trace, trace);
        QFETCH(float, value);
        QFETCH(int, y);
        QFETCH(QRgb, colour);
        PictureBox picture;
        PlotTraceSegment(picture, trace, value, 55, 0, 7.5f);
        QCOMPARE(lit(picture), QList<QPoint>({{50, y}, {51, y}}));
        QCOMPARE(picture.image().pixel(50, y), colour);
    }

    void segmentFromThePreviousSample()
    {
        PictureBox picture;
        PlotTraceSegment(picture, Trace::Humidity, 100, 100, 3, 7.5f);
        QList<QPoint> expected;
        for (int x = 65; x <= 73; ++x)
            expected.append(QPoint(x, 10));
        QCOMPARE(lit(picture), expected);
    }

    // Far-off readings draw only what falls inside the picture; unrepresentable ones nothing.
    void extremeReadings_data()
    {
        QTest::addColumn<float>("value");
        QTest::addColumn<float>("previous");
        QTest::addColumn<std::int32_t>("sampleCount");
        QTest::addColumn<QList<QPoint>>("expected");

        const float max = std::numeric_limits<float>::max();
        const float nan = std::numeric_limits<float>::quiet_NaN();
        QTest::newRow("1e30 from 0") << 1e30f << 0.0f << 3 << column(65, 0, 287);
        QTest::newRow("-1e30 from 0") << -1e30f << 0.0f << 3 << column(65, 287, 324);
        QTest::newRow("1e30 to -1e30") << -1e30f << 1e30f << 3 << column(69, 0, 324);
        QTest::newRow("first sample 1e30") << 1e30f << 0.0f << 0 << QList<QPoint>();
        QTest::newRow("beyond float range") << max << 0.0f << 3 << QList<QPoint>();
        QTest::newRow("not a number") << nan << 0.0f << 3 << QList<QPoint>();
        QTest::newRow("far right")
            << 50.0f << 50.0f << std::numeric_limits<std::int32_t>::max() << QList<QPoint>();
    }

    void extremeReadings()
    {
        QFETCH(float, value);
        QFETCH(float, previous);
        QFETCH(std::int32_t, sampleCount);
        QFETCH(QList<QPoint>, expected);
        PictureBox picture;
        PlotTraceSegment(picture, Trace::Temperature, value, previous, sampleCount, 7.5f);
        QCOMPARE(lit(picture), expected);
    }
};

QTEST_MAIN(TestPlotTraceSegment)
#include "tst_plot_trace_segment.moc"
