#include "desk.h"
#include "emulator/wire_encoding.h"
#include "figures/dew_point.h"
#include "figures/live_figures.h"
#include "reading_pairs.h"
#include "wait.h"

#include <QTest>
#include <algorithm>

namespace {

// The figures of one quantity worked out from the values the test sent, in sample order.
struct Expected {
    std::int32_t count = 0;
    double minimum = 0, maximum = 0, mean = 0;
    qsizetype minimumAt = -1, maximumAt = -1; // sample positions, the first of equals
};

Expected expected(const QList<std::optional<double>> &values)
{
    Expected e;
    double sum = 0;
    for (qsizetype i = 0; i < values.size(); ++i) {
        if (!values[i])
            continue;
        const double v = *values[i];
        if (e.count == 0 || v < e.minimum)
            e.minimum = v, e.minimumAt = i;
        if (e.count == 0 || v > e.maximum)
            e.maximum = v, e.maximumAt = i;
        sum += v;
        ++e.count;
    }
    e.mean = e.count ? sum / e.count : 0;
    return e;
}

// Each value as the window decoded it: a float.
QList<std::optional<double>> decoded(const QList<ReadingPair> &pairs, bool humidity)
{
    QList<std::optional<double>> values;
    for (const ReadingPair &pair : pairs) {
        const std::optional<double> v = humidity ? pair.humidity : pair.temperature;
        values << (v ? std::optional<double>(float(*v)) : std::nullopt);
    }
    return values;
}

QList<std::optional<double>> dewPoints(const QList<ReadingPair> &pairs)
{
    QList<std::optional<double>> values;
    for (const ReadingPair &pair : pairs)
        values << (pair.humidity ? figures::dewPoint(float(pair.temperature), float(*pair.humidity))
                                 : std::nullopt);
    return values;
}

void compare(const figures::QuantityFigures &got, const Expected &want,
             const std::vector<Sample> &samples)
{
    QCOMPARE(got.count, want.count);
    QCOMPARE(got.minimum.value, want.minimum);
    QCOMPARE(got.maximum.value, want.maximum);
    QVERIFY(std::abs(got.mean() - want.mean) < 1e-9);
    QCOMPARE(got.minimum.time, samples.at(std::size_t(want.minimumAt)).time);
    QCOMPARE(got.maximum.time, samples.at(std::size_t(want.maximumAt)).time);
}

void compare(const figures::RunFigures &got, const QList<ReadingPair> &pairs,
             const std::vector<Sample> &samples)
{
    compare(got.temperature, expected(decoded(pairs, false)), samples);
    compare(got.humidity, expected(decoded(pairs, true)), samples);
    compare(got.dewPoint, expected(dewPoints(pairs)), samples);
    QCOMPARE(got.first, samples.front().time);
    QCOMPARE(got.last, samples.back().time);
}

} // namespace

class TestFigures : public QObject {
    Q_OBJECT

private slots:
    // Tables of the dew point over water, and where it has no value.
    void dewPoint_data()
    {
        QTest::addColumn<double>("temperature");
        QTest::addColumn<double>("humidity");
        QTest::addColumn<double>("dewPoint"); // NaN: none
        QTest::newRow("25 ℃, 60 %") << 25.0 << 60.0 << 16.7;
        QTest::newRow("20 ℃, 50 %") << 20.0 << 50.0 << 9.3;
        QTest::newRow("30 ℃, 80 %") << 30.0 << 80.0 << 26.2;
        QTest::newRow("0 ℃, 50 %") << 0.0 << 50.0 << -9.2;
        QTest::newRow("saturated") << 10.0 << 100.0 << 10.0;
        QTest::newRow("dry") << 25.0 << 0.0 << qQNaN();
    }

    void dewPoint()
    {
        QFETCH(double, temperature);
        QFETCH(double, humidity);
        QFETCH(double, dewPoint);
        const std::optional<double> got = figures::dewPoint(temperature, humidity);
        QCOMPARE(got.has_value(), !qIsNaN(dewPoint));
        if (got)
            QVERIFY2(std::abs(*got - dewPoint) < 0.05, qPrintable(QString::number(*got)));
    }

    // The figures follow the decoded run, whether they watch it from its start or from
    // halfway through a sample; a new run starts them afresh.
    void figuresFollowTheRun_data()
    {
        QTest::addColumn<qsizetype>("attachAt"); // the sample whose temperature came; -1: before
        QTest::newRow("from the start") << qsizetype(-1);
        QTest::newRow("halfway through a sample") << qsizetype(2);
    }

    void figuresFollowTheRun()
    {
        QFETCH(qsizetype, attachAt);
        const QList<ReadingPair> pairs = {{20.5, 55.0}, {22.1, 48.3}, {-5.2, 80.0},
                                          {22.1, 30.5}, {18.0, 60.0}, {19.0, std::nullopt}};
        ScriptedDesk desk;
        desk.measure();
        std::unique_ptr<figures::LiveFigures> live;
        if (attachAt < 0) {
            live = std::make_unique<figures::LiveFigures>(desk.form.readings);
        } else {
            QVERIFY(sendReadingsApart(desk, pairs.mid(0, attachAt)));
            QVERIFY(sendReadingsApart(desk, {{pairs[attachAt].temperature, std::nullopt}}));
            live = std::make_unique<figures::LiveFigures>(desk.form.readings);
            desk.instrument.send(wire::humidityReading(*pairs[attachAt].humidity));
            QVERIFY(waitUntil([&] { return desk.form.readings.samples().back().complete(); }));
        }
        QVERIFY(sendReadingsApart(desk, pairs.mid(attachAt + 1)));
        const std::vector<Sample> &samples = desk.form.readings.samples();
        compare(live->figures(), pairs, samples);
        compare(figures::figuresOf(samples), pairs, samples);

        desk.form.Command1_Click();
        QCOMPARE(live->figures().temperature.count, 0);
        QVERIFY(!live->figures().first.isValid());
    }
};

QTEST_MAIN(TestFigures)
#include "tst_figures.moc"
