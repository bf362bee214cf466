#include "chart/picture_box.h"
#include "chart/qb_color.h"
#include "chart_reading.h"
#include "desk.h"
#include "device/caption_text.h"
#include "line_tap.h"
#include "record/recording_reader.h"
#include "wait.h"
#include "window/continuous_runs.h"
#include "window/up_down.h"

#include <QApplication>
#include <QLabel>
#include <QMap>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>

namespace {

enum class Procedure { LiveRun, Receive };

// What a run leaves behind that does not depend on the clock: Label4 and the first
// point's status line hold the time of day, and the chart image holds neither.
struct RunOutcome {
    QStringList captions;
    std::int32_t sampleCount = 0;
    QImage chart;
    // What the instrument sent, without its acknowledgements: when the line end after a
    // full chart's last reading arrives on its own, it asks for a second Stop, and gets a
    // second acknowledgement.
    QByteArray records;
};

// Readings that wander, repeatable by their seed. A live run samples every 5 minutes,
// which at this speed is 60 ms: the Stop of a full chart reaches the instrument long
// before its next reading is due, even when every byte is sent on its own.
const QStringList Instrument =
    QStringLiteral("--scenario room --seed 11 --speed 5000 --logged 20 --log-interval 1H")
        .split(u' ');

RunOutcome play(Procedure procedure, const QStringList &lineFaults)
{
    LineTap tap;
    EmulatedDesk desk(Instrument + lineFaults + QStringList{"--device", tap.instrumentPath()},
                      tap.windowPath());
    Form1 &form = desk.form;
    if (procedure == Procedure::LiveRun) {
        form.UpDown2->setValue(5);
        form.Command1->click();
        waitUntil([&] { return desk.unlocked(); });
    } else {
        desk.setSpan(QStringLiteral("24"));
        form.Command3->click();
    }
    return {{form.Label2->text(), form.Label3->text(), form.Label5->text(), form.Label6->text(),
             form.Label7->text()},
            form.session().SampleCount,
            form.Picture1->image(),
            tap.fromInstrument().replace('\x06', QByteArray())};
}

// The record lines of a stream that start with the given letter.
int recordsOf(char letter, const QByteArray &stream)
{
    const QByteArrayList lines = stream.split('\n');
    return int(std::count_if(lines.begin(), lines.end(),
                             [letter](const QByteArray &line) { return line.startsWith(letter); }));
}

QByteArray firstDifference(const QImage &a, const QImage &b)
{
    if (a.size() != b.size())
        return "the sizes differ";
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (a.pixel(x, y) != b.pixel(x, y))
                return QStringLiteral("first difference at %1, %2").arg(x).arg(y).toUtf8();
        }
    }
    return "none";
}

bool hasTracePixelRightOf(const QImage &image, int column)
{
    const QRgb red = QBColor(12).rgb();
    const QRgb blue = QBColor(9).rgb();
    for (int x = column + 1; x < image.width(); ++x) {
        for (int y = 0; y < image.height(); ++y) {
            if (image.pixel(x, y) == red || image.pixel(x, y) == blue)
                return true;
        }
    }
    return false;
}

} // namespace

Q_DECLARE_METATYPE(Procedure)

class TestWholeRuns : public QObject {
    Q_OBJECT

private slots:
    void hourAtOneMinuteFillsTheChartAndStopsByItself()
    {
        // A minute of the instrument in 50 ms: the Stop after the 60th reading reaches it
        // long before a 61st is due.
        EmulatedDesk desk({"--scenario", "room", "--seed", "5", "--speed", "1200"});
        Form1 &form = desk.form;
        QCOMPARE(form.session().XStep, 7.5f);
        form.Command1->click();
        QVERIFY(waitUntil([&] { return desk.unlocked(); }, 15000));

        QCOMPARE(desk.commands, (QByteArrayList{"R 1M", "S"}));
        QCOMPARE(form.session().SampleCount, 60);
        QVERIFY(!form.MSComm1.PortOpen());
        QCOMPARE(form.Label7->text(), caption::Acknowledged);
        const QImage &chart = form.Picture1->image();
        const QPoint temperature = samplePixel(7.5f, 59, captionValue(form.Label5->text()));
        const QPoint humidity = samplePixel(7.5f, 59, captionValue(form.Label6->text()));
        QCOMPARE(temperature.x(), 493); // 500 - 7.5, rounded up
        QCOMPARE(chart.pixelColor(temperature), QBColor(12));
        QCOMPARE(chart.pixelColor(humidity), QBColor(9));
        QVERIFY(!hasTracePixelRightOf(chart, 493));
    }

    // Continuous runs: each full chart stops as ever, and a new run follows with the same
    // settings; the recording goes on across them, each run's samples counted from 0.
    void continuousRunsFollowOneAnother()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("readings.csv"));
        EmulatedDesk desk({"--scenario", "room", "--seed", "7", "--speed", "2400"});
        Form1 &form = desk.form;
        QVERIFY(form.recording.start(file));
        form.continuous()->setOn(true);
        form.Command1->click();
        QVERIFY(waitUntil([&] { return desk.commands.size() == 7; }, 30000));
        QVERIFY(form.awake.held());
        form.Command2->click(); // the operator's Stop ends the chain
        QVERIFY(desk.unlocked());
        QTest::qWait(300);
        QCOMPARE(desk.commands,
                 (QByteArrayList{"R 1M", "S", "R 1M", "S", "R 1M", "S", "R 1M", "S"}));
        QVERIFY(desk.unlocked());
        QVERIFY(!form.awake.held());

        // Each full chart is a run of its own in the recording, whole from sample 0 on.
        const RecordingFile recorded = readRecording(file);
        QCOMPARE_GE(recorded.runs.size(), 3u);
        for (std::size_t run = 0; run < 3; ++run) {
            const std::vector<Sample> &samples = recorded.runs[run].samples;
            QCOMPARE(samples.size(), 60u);
            for (int k = 0; k < 60; ++k)
                QVERIFY(samples[k].index == k && samples[k].complete());
        }
    }

    void memoryRunIsReceivedAtItsOwnInterval()
    {
        LineTap tap;
        EmulatedDesk desk({"--scenario", "room", "--seed", "3", "--speed", "15000", "--device",
                           tap.instrumentPath()},
                          tap.windowPath());
        Form1 &form = desk.form;
        form.UpDown1->setValue(2);
        form.UpDown2->setValue(5); // logs every 5 minutes: every 20 ms at this speed
        form.Command1->click();
        QTest::qWait(300);
        form.Command2->click();
        QCOMPARE(tap.fromWindow(), QByteArray("L 5MS"));
        QCOMPARE(tap.fromInstrument(), QByteArray("\x06")); // nothing is sent while logging

        // The log is read back on a day's chart with other interval settings: the
        // instrument's report puts its own interval in their place.
        desk.setSpan(QStringLiteral("24"));
        form.UpDown2->setValue(1);
        form.UpDown3->setValue(2);
        const std::int32_t countBefore = form.session().SampleCount;
        form.Command3->click();

        const QByteArray log = tap.fromInstrument().mid(1);
        QVERIFY2(log.startsWith("L5M\r\n"), log.constData());
        const int pairs = recordsOf('H', log);
        QVERIFY(pairs >= 2);
        QCOMPARE(form.UpDown2->Value(), 5);
        QCOMPARE(form.Label2->text(), QStringLiteral("5"));
        QCOMPARE(form.UpDown3->Value(), 1);
        QCOMPARE(form.Label3->text(), caption::PerMinute);
        QCOMPARE(form.session().MaxSamples, 288);
        QCOMPARE(form.session().XStep, 1.5625f);
        // Receive goes on counting from where the run before it left off.
        QCOMPARE(form.session().SampleCount, countBefore + pairs);
        const int last = form.session().SampleCount - 1;
        const QImage &chart = form.Picture1->image();
        QCOMPARE(chart.pixelColor(samplePixel(1.5625f, last, captionValue(form.Label5->text()))),
                 QBColor(12));
        QCOMPARE(chart.pixelColor(samplePixel(1.5625f, last, captionValue(form.Label6->text()))),
                 QBColor(9));

        // The instrument keeps its log, and a second Receive draws it again after the first.
        form.Command3->click();
        QCOMPARE(form.session().SampleCount, countBefore + 2 * pairs);
        const int again = form.session().SampleCount - 1;
        QCOMPARE(chart.pixelColor(samplePixel(1.5625f, again, captionValue(form.Label5->text()))),
                 QBColor(12));
        QCOMPARE(chart.pixelColor(samplePixel(1.5625f, again, captionValue(form.Label6->text()))),
                 QBColor(9));
    }

    void receiveOfLoggedReadings_data()
    {
        QTest::addColumn<QString>("logged");
        QTest::addColumn<QString>("logInterval");
        QTest::addColumn<int>("interval");
        QTest::addColumn<int>("unit");
        QTest::addColumn<QString>("unitCaption");
        QTest::addColumn<int>("maxSamples");
        QTest::addColumn<float>("xStep");

        QTest::newRow("half a day by the hour")
            << "12"
            << "1H" << 1 << 2 << caption::PerHour << 24 << 18.75f;
        QTest::newRow("a day every 10 minutes")
            << "144"
            << "10M" << 10 << 1 << caption::PerMinute << 144 << 3.125f;
    }

    void receiveOfLoggedReadings()
    {
        QFETCH(QString, logged);
        QFETCH(QString, logInterval);
        QFETCH(int, interval);
        QFETCH(int, unit);
        QFETCH(QString, unitCaption);
        QFETCH(int, maxSamples);
        QFETCH(float, xStep);
        EmulatedDesk desk({"--scenario", "room", "--seed", "9", "--logged", logged,
                           "--log-interval", logInterval});
        Form1 &form = desk.form;
        desk.setSpan(QStringLiteral("24"));
        form.Command3->click();

        QCOMPARE(form.UpDown2->Value(), interval);
        QCOMPARE(form.Label2->text(), QString::number(interval));
        QCOMPARE(form.UpDown3->Value(), unit);
        QCOMPARE(form.Label3->text(), unitCaption);
        QCOMPARE(form.session().MaxSamples, maxSamples);
        QCOMPARE(form.session().XStep, xStep);
        QCOMPARE(form.session().SampleCount, logged.toInt());
        QCOMPARE(form.Label7->text(), caption::Acknowledged);
        const int last = logged.toInt() - 1;
        const QImage &chart = form.Picture1->image();
        const QPoint temperature = samplePixel(xStep, last, captionValue(form.Label5->text()));
        QCOMPARE(chart.pixelColor(temperature), QBColor(12));
        QCOMPARE(chart.pixelColor(samplePixel(xStep, last, captionValue(form.Label6->text()))),
                 QBColor(9));
        QVERIFY(!hasTracePixelRightOf(chart, temperature.x()));

        // A log that fills the chart ends like a live run: Stop, its acknowledgement, the
        // port closed. One that does not leaves the port open, as Receive always does.
        const bool full = logged.toInt() >= maxSamples;
        // The transfer's own acknowledgement may end Stop's wait before the instrument has
        // read the "S": on a busy machine it arrives a moment later.
        if (full)
            QVERIFY(waitUntil([&] { return desk.commands.size() > 1; }));
        QCOMPARE(desk.commands.first(), QByteArray("T"));
        QCOMPARE(desk.commands.count(QByteArray("S")), desk.commands.size() - 1);
        QCOMPARE(desk.commands.size() > 1, full);
        QCOMPARE(form.MSComm1.PortOpen(), !full);
    }

    void faultyLineDrawsTheSameRun_data()
    {
        QTest::addColumn<Procedure>("procedure");
        QTest::addColumn<QStringList>("lineFaults");

        const QStringList split{"--split"};
        const QStringList noise{"--noise", "0.5"};
        QTest::newRow("live run, split") << Procedure::LiveRun << split;
        QTest::newRow("live run, noise") << Procedure::LiveRun << noise;
        QTest::newRow("received log, split") << Procedure::Receive << split;
        QTest::newRow("received log, noise") << Procedure::Receive << noise;
    }

    void faultyLineDrawsTheSameRun()
    {
        QFETCH(Procedure, procedure);
        QFETCH(QStringList, lineFaults);
        if (!clean_.contains(procedure))
            clean_.insert(procedure, play(procedure, {}));
        const RunOutcome &clean = clean_[procedure];
        const RunOutcome faulty = play(procedure, lineFaults);

        QCOMPARE(clean.sampleCount, procedure == Procedure::LiveRun ? 12 : 20);
        QCOMPARE(faulty.sampleCount, clean.sampleCount);
        QCOMPARE(faulty.captions, clean.captions);
        QVERIFY2(faulty.chart == clean.chart, firstDifference(faulty.chart, clean.chart));
        if (lineFaults.contains(QStringLiteral("--noise")))
            QVERIFY(faulty.records.size() > clean.records.size());
        else
            QCOMPARE(faulty.records, clean.records);
    }

private:
    QMap<Procedure, RunOutcome> clean_;
};

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    TestWholeRuns test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_whole_runs.moc"
