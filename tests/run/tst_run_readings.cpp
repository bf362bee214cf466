#include "desk.h"
#include "run/run_readings.h"
#include "wait.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

namespace {

struct Reading {
    Trace trace;
    float value;
    std::int32_t index;
};

// A sample as the test writes it: "index:temperature/humidity", "-" for a missing reading.
QString text(const Sample &sample)
{
    const auto value = [](std::optional<float> v) { return v ? QString::number(*v) : "-"; };
    return QStringLiteral("%1:%2/%3")
        .arg(sample.index)
        .arg(value(sample.temperature), value(sample.humidity));
}

} // namespace

Q_DECLARE_METATYPE(QList<Reading>)

class TestRunReadings : public QObject {
    Q_OBJECT

private slots:
    void readingsMakeSamples_data()
    {
        QTest::addColumn<QList<Reading>>("readings");
        QTest::addColumn<QStringList>("samples");
        QTest::addColumn<QList<qsizetype>>("finished"); // before finish() is called

        const Trace T = Trace::Temperature, H = Trace::Humidity;
        QTest::newRow("pairs") << QList<Reading>{{T, 25.3f, 0}, {H, 60.1f, 0}, {T, 25.4f, 1}}
                               << QStringList{"0:25.3/60.1", "1:25.4/-"} << QList<qsizetype>{0};
        QTest::newRow("temperature twice at one index")
            << QList<Reading>{{T, 1, 0}, {T, 2, 0}, {H, 3, 0}} << QStringList{"0:1/-", "0:2/3"}
            << QList<qsizetype>{0, 1};
        QTest::newRow("humidity first") << QList<Reading>{{H, 50, 4}, {T, 20, 5}}
                                        << QStringList{"4:-/50", "5:20/-"} << QList<qsizetype>{0};
        QTest::newRow("a later index starts anew")
            << QList<Reading>{{T, 1, 0}, {H, 2, 1}} << QStringList{"0:1/-", "1:-/2"}
            << QList<qsizetype>{0};
    }

    void readingsMakeSamples()
    {
        QFETCH(QList<Reading>, readings);
        QFETCH(QStringList, samples);
        QFETCH(QList<qsizetype>, finished);
        RunReadings run;
        QSignalSpy finishedSpy(&run, &RunReadings::sampleFinished);
        for (const Reading &reading : readings)
            run.add(reading.trace, reading.value, reading.index, {}, {});

        QStringList got;
        for (const Sample &sample : run.samples())
            got << text(sample);
        QCOMPARE(got, samples);
        QList<qsizetype> finishedPositions;
        for (const QList<QVariant> &signal : finishedSpy)
            finishedPositions << signal.at(0).value<qsizetype>();
        QCOMPARE(finishedPositions, finished);

        // The run's end finishes the last sample once; a new run starts empty.
        run.finish();
        run.finish();
        QCOMPARE(
            finishedSpy.size(),
            qsizetype(run.samples().back().complete() ? finished.size() : finished.size() + 1));
        run.begin({}, {});
        QVERIFY(run.samples().empty());
    }

    void theWindowKeepsItsRunInTheModel()
    {
        ScriptedDesk desk;
        desk.setSpan(QStringLiteral("3"));
        desk.measure();
        QCOMPARE(desk.form.readings.settings().span, QStringLiteral("3"));
        desk.instrument.send("T25.3\r\nH60.1\r\nT:5.2\r\n");
        QVERIFY(waitUntil([&] { return desk.form.readings.samples().size() == 2; }));
        QCOMPARE(text(desk.form.readings.samples().back()), QStringLiteral("1:-5.2/-"));
        QSignalSpy finished(&desk.form.readings, &RunReadings::sampleFinished);
        desk.form.Command1_Click(); // a new run: the last one's half sample is finished
        QCOMPARE(finished.size(), 1);
        QVERIFY(desk.form.readings.samples().empty());
    }
};

QTEST_MAIN(TestRunReadings)
#include "tst_run_readings.moc"
