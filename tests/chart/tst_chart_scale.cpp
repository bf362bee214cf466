#include "chart/chart_plot.h"

#include <QTest>
#include <cmath>
#include <limits>

class TestChartScale : public QObject {
    Q_OBJECT

private slots:
    void spanHours_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("hours");

        const double inf = std::numeric_limits<double>::infinity();
        QTest::newRow("list item") << "24" << 24.0;
        QTest::newRow("leading blanks, trailing text") << "  12x" << 12.0;
        QTest::newRow("tab") << "\t7" << 7.0;
        QTest::newRow("fraction") << "1.5h" << 1.5;
        QTest::newRow("bare fraction") << ".5" << 0.5;
        QTest::newRow("signed") << "+3" << 3.0;
        QTest::newRow("negative") << "-5" << -5.0;
        QTest::newRow("exponent") << "1e9" << 1e9;
        QTest::newRow("incomplete exponent") << "2e+" << 2.0;
        QTest::newRow("letters") << "abc" << 0.0;
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("sign alone") << "- 3" << 0.0;
        QTest::newRow("point alone") << "." << 0.0;
        QTest::newRow("too large") << "1e400" << inf;
        QTest::newRow("too large, negative") << "-1e400" << -inf;
        QTest::newRow("too small") << "1e-400" << 0.0;
    }

    void spanHours()
    {
        QFETCH(QString, text);
        QFETCH(double, hours);
        QCOMPARE(::spanHours(text), hours);
    }

    void chartScale_data()
    {
        QTest::addColumn<QString>("span");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("unit");
        QTest::addColumn<int>("maxSamples");
        QTest::addColumn<float>("xStep");

        QTest::newRow("1 h per minute") << "1" << 1 << 1 << 60 << 7.5f;
        QTest::newRow("12 h every 5 min") << "12" << 5 << 1 << 144 << 3.125f;
        QTest::newRow("24 h every 7 min rounds down") << "24" << 7 << 1 << 205 << 2.195122f;
        QTest::newRow("24 h per minute") << "24" << 1 << 1 << 1440 << 0.3125f;
        QTest::newRow("1 h every 30 min") << "1" << 30 << 1 << 2 << 225.0f;
        QTest::newRow("24 h per hour") << "24" << 1 << 2 << 24 << 18.75f;
        QTest::newRow("1 h every 2 h") << "1" << 2 << 2 << 1 << 450.0f;
        QTest::newRow("24 h every 30 h") << "24" << 30 << 2 << 1 << 450.0f;
        QTest::newRow("other unit counts as hours") << "24" << 1 << 7 << 24 << 18.75f;
        QTest::newRow("unit 0 counts as hours") << "24" << 2 << 0 << 12 << 37.5f;
        QTest::newRow("typed with trailing text") << "  12x" << 1 << 1 << 720 << 0.625f;
        QTest::newRow("empty") << "" << 1 << 1 << 1 << 450.0f;
        QTest::newRow("letters") << "abc" << 1 << 1 << 1 << 450.0f;
        QTest::newRow("zero") << "0" << 1 << 1 << 1 << 450.0f;
        QTest::newRow("negative") << "-5" << 1 << 1 << 1 << 450.0f;
        QTest::newRow("huge negative") << "-99999" << 1 << 1 << 1 << 450.0f;
        QTest::newRow("beyond 16 bits") << "99999" << 1 << 1 << 32767 << 450.0f / 32767;
        QTest::newRow("just inside 16 bits") << "546.11" << 1 << 1 << 32766 << 450.0f / 32766;
        QTest::newRow("exponent") << "1e9" << 1 << 2 << 32767 << 450.0f / 32767;
        QTest::newRow("infinite") << "1e400" << 1 << 1 << 32767 << 450.0f / 32767;
        QTest::newRow("negative infinite") << "-1e400" << 1 << 1 << 1 << 450.0f;
    }

    void chartScale()
    {
        QFETCH(QString, span);
        QFETCH(int, count);
        QFETCH(int, unit);
        QFETCH(int, maxSamples);
        QFETCH(float, xStep);
        const ChartScale scale = ::chartScale(span, count, unit);
        QCOMPARE(int(scale.MaxSamples), maxSamples);
        QCOMPARE(scale.XStep, xStep);
    }
};

QTEST_APPLESS_MAIN(TestChartScale)
#include "tst_chart_scale.moc"
