#include "box_watcher.h"
#include "chart/picture_box.h"
#include "desk.h"
#include "device/caption_text.h"
#include "device/device_protocol.h"
#include "event_script.h"
#include "wait.h"
#include "window/handler_nesting.h"

#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <cstdio>

// The window over a COM port of Wine's, through Qt Serial Port's Windows code, against an
// instrument on a Linux pseudo-terminal that tarnwick-wine-peer plays (see serial_run.sh).

namespace {

const QString Temperature = QStringLiteral("温度 ： 25.3 ℃");
const QString Humidity = QStringLiteral("湿度 ： 60.1 %RH");
// A minute of the instrument in 50 ms: a full chart of 60 samples in 3 s.
const QString Emulator = QStringLiteral("emulator --speed 1200");
constexpr int LoggedPairs = 1440;
// A span long enough that no auto-stop cuts a transfer or a stream short.
const QString LongSpan = QStringLiteral("546");
// A day of pairs such as "T25.3\r\nH60.1\r\n" at 1920 bytes a second.
constexpr double LineSeconds = LoggedPairs * 14.0 / (protocol::Line.baud / 10);
constexpr int FullChartMs = 15000;
constexpr int ScenarioMs = 30000;

// The peer is asked on standard error and says in a file when it has done what was asked.
class Peer {
public:
    Peer() : dir_(qEnvironmentVariable("TARNWICK_WINE_PEER_DIR")) {}

    bool request(const QString &words)
    {
        std::fprintf(stderr, "wine-peer: %s\n", qPrintable(words));
        std::fflush(stderr);
        const int done = ++requests_;
        return waitUntil([&] { return file("done").count('\n') >= done; });
    }

    // What the emulator received, one command a line.
    QByteArray commands() const { return file("commands"); }

private:
    QByteArray file(const char *name) const
    {
        QFile f(dir_ + u'/' + QLatin1String(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QString dir_;
    int requests_ = 0;
};

enum class Case {
    LiveRun,
    Close,
    FullChart,
    Receive,
    Hostile,
    GoneMidRun,
    GoneWhileStopWaits,
    BackMidRun
};

bool readingShown(const Form1 &form)
{
    return form.Label5->text() == Temperature && form.Label6->text() == Humidity;
}

// The well-formed reading among those announced: acknowledgements inside a hostile stream let
// a nested delivery show it before the outer one goes on with older bytes over the labels.
bool readingAnnounced(const QList<float> &values)
{
    for (qsizetype i = 1; i < values.size(); ++i) {
        if (values[i - 1] == 25.3f && values[i] == 60.1f)
            return true;
    }
    return false;
}

} // namespace

Q_DECLARE_METATYPE(Case)

class TestWineSerial : public QObject {
    Q_OBJECT

private slots:
    void init() { QVERIFY(peer.request(QStringLiteral("unplug"))); }

    // Tags without blanks: Wine's command interpreter would split them.
    void comPort_data()
    {
        QTest::addColumn<Case>("what");
        QTest::addColumn<QString>("device");
        QTest::newRow("live-run") << Case::LiveRun << Emulator;
        QTest::newRow("close-sends-stop") << Case::Close << Emulator;
        QTest::newRow("full-chart") << Case::FullChart << Emulator;
        QTest::newRow("receive-a-day")
            << Case::Receive << Emulator + " --logged 1440 --log-interval 1M";
        // Each "NO Logging ?!" box is a window of Wine's: a part of the Linux tests' floods.
        QTest::newRow("ack-flood") << Case::Hostile << QStringLiteral("hostile acks");
        QTest::newRow("empty-report-flood")
            << Case::Hostile << QStringLiteral("hostile empty-reports 0.001");
        QTest::newRow("random-bytes") << Case::Hostile << QStringLiteral("hostile random 0.002");
        QTest::newRow("gone-mid-run") << Case::GoneMidRun << Emulator;
        QTest::newRow("gone-while-stop-waits")
            << Case::GoneWhileStopWaits << Emulator + " --no-ack";
        QTest::newRow("back-mid-run") << Case::BackMidRun << Emulator;
    }

    void comPort()
    {
        QFETCH(Case, what);
        QFETCH(QString, device);
        QVERIFY(peer.request("plug " + device));
        BoxWatcher boxes;
        Desk desk(qEnvironmentVariable("TARNWICK_WINE_PORT"));
        Form1 &form = desk.form;

        switch (what) {
        case Case::LiveRun: {
            const QImage before = form.Picture1->image();
            form.Command1->click();
            QVERIFY(
                waitUntil([&] { return readingShown(form) && form.session().SampleCount > 1; }));
            QVERIFY(form.Picture1->image() != before);
            form.Command2->click();
            QCOMPARE(form.Label7->text(), caption::Acknowledged);
            QVERIFY(desk.unlocked());
            QVERIFY(!form.MSComm1.PortOpen());
            break;
        }
        case Case::Close:
            form.Command1->click();
            QVERIFY(waitUntil([&] { return readingShown(form); }));
            form.close();
            QVERIFY(desk.ended);
            QVERIFY(!form.MSComm1.PortOpen());
            QVERIFY(waitUntil([&] { return peer.commands().endsWith("S\n"); }));
            break;
        case Case::FullChart:
            form.Command1->click();
            QVERIFY(waitUntil([&] { return desk.unlocked(); }, FullChartMs));
            QCOMPARE(form.session().SampleCount, form.session().MaxSamples);
            QCOMPARE(form.Label7->text(), caption::Acknowledged);
            QVERIFY(!form.MSComm1.PortOpen());
            break;
        case Case::Receive: {
            desk.setSpan(LongSpan);
            QElapsedTimer clock;
            clock.start();
            form.Command3_Click();
            const qint64 ms = clock.elapsed();
            QCOMPARE(form.session().SampleCount, LoggedPairs);
            QCOMPARE(form.Label7->text(), caption::Acknowledged);
            std::printf("receive of %d logged pairs through Wine's COM port: %lld ms "
                        "(the line itself: %.1f s)\n",
                        LoggedPairs, ms, LineSeconds);
            break;
        }
        case Case::Hostile: {
            QList<float> announced;
            connect(&form, &Form1::readingCompleted, &form,
                    [&announced](Trace, float value) { announced << value; });
            desk.setSpan(LongSpan);
            form.Command1->click();
            QVERIFY(waitUntil([&] { return readingAnnounced(announced); }, FullChartMs));
            QVERIFY(waitUntil([] { return BoxWatcher::openBoxes() == 0; }));
            QVERIFY(boxes.mostOpenAtOnce() <= WindowNesting().messageBoxes.mostNested());
            form.Command2->click();
            QCOMPARE(form.Label7->text(), caption::Acknowledged);
            QVERIFY(desk.unlocked());
            break;
        }
        case Case::BackMidRun: {
            // The run's COM port is opened again once the device is back, and Measure resent.
            const qsizetype earlier = peer.commands().size();
            form.Command1->click();
            QVERIFY(waitUntil([&] { return readingShown(form); }));
            QVERIFY(peer.request(QStringLiteral("unplug")));
            QVERIFY(waitUntil([&] { return !form.MSComm1.PortOpen(); }));
            const std::int32_t before = form.session().SampleCount;
            QVERIFY(peer.request("plug " + Emulator));
            QVERIFY(waitUntil([&] { return form.session().SampleCount > before; }, ScenarioMs));
            QVERIFY(desk.locked());
            QCOMPARE(peer.commands().mid(earlier), QByteArray("R 1M\nR 1M\n"));
            form.Command2->click();
            QVERIFY(desk.unlocked());
            break;
        }
        case Case::GoneMidRun:
        case Case::GoneWhileStopWaits: {
            // Stop waits inside its handler, so the steps after it run from the event loop.
            int stopsReturned = 0;
            const auto stop = [&] {
                form.Command2->click();
                ++stopsReturned;
            };
            const auto unplug = [&] { QVERIFY(peer.request(QStringLiteral("unplug"))); };
            EventScript script;
            script.add([&] { form.Command1->click(); });
            if (what == Case::GoneMidRun) {
                script.add([&] { return readingShown(form); }, unplug);
            } else {
                script.add([&] { return readingShown(form); }, stop);
                script.add([&] { return peer.commands().endsWith("S\n"); }, unplug);
            }
            // Closed, and Stop then finds no device: one line, and it waits on.
            script.add([&] { return !form.MSComm1.PortOpen(); }, stop);
            script.add([&] { return desk.errors.size() == 1; },
                       [&] { QVERIFY(peer.request("plug " + Emulator)); });
            script.add(stop);
            script.start();
            const int stops = what == Case::GoneMidRun ? 2 : 3;
            QVERIFY2(
                waitUntil([&] { return script.finished() && stopsReturned == stops; }, ScenarioMs),
                qPrintable(QStringLiteral("%1 steps taken, %2 Stops returned")
                               .arg(script.stepsTaken())
                               .arg(stopsReturned)));
            QCOMPARE(form.Label7->text(), caption::Acknowledged);
            QVERIFY(!form.MSComm1.PortOpen());
            QCOMPARE(desk.errors.size(), 1);
            QVERIFY2(desk.errors[0].startsWith("tarnwick: cannot open "),
                     qPrintable(desk.errors[0]));
            return;
        }
        }
        QVERIFY2(desk.errors.isEmpty(), qPrintable(desk.errors.join(u'\n')));
    }

private:
    Peer peer;
};

QTEST_MAIN(TestWineSerial)
#include "tst_wine_serial.moc"
