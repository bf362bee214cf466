#include "box_watcher.h"
#include "desk.h"
#include "device/device_protocol.h"
#include "hostile_input.h"
#include "piece_feeder.h"
#include "process_figures.h"
#include "wait.h"
#include "window/up_down.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <random>

namespace {

constexpr qsizetype MiB = 1 << 20;
// Deep enough for the program's own nesting limits, far below a default 8 MiB stack;
// nesting without a limit takes over 1 KiB for each piece of a flood.
constexpr qsizetype StackBudget = 256 * 1024;
constexpr qint64 MemoryBudget = 32 * MiB;
constexpr int FloodTimeoutMs = 120000;

// When the hostile stream arrives.
enum class Moment { DuringRun, WhileStopWaits, WhileReceiveWaits, WhileAutoStopWaits };

QByteArray lineEnds(qsizetype size, unsigned seed)
{
    std::mt19937 random(seed);
    QByteArray bytes(size, Qt::Uninitialized);
    for (char &byte : bytes)
        byte = random() & 1 ? '\r' : '\n';
    return bytes;
}

QList<QByteArray> afterOpening(const QByteArray &opening, const QList<QByteArray> &pieces)
{
    return QList<QByteArray>{opening} + pieces;
}

// A span far longer than any flood, so that no auto-stop closes the port midway.
const QString LongSpan = QStringLiteral("99999");

// One sample fills the chart: a two-hour interval on a one-hour span.
void setOneSampleChart(Form1 &form)
{
    form.UpDown3->setValue(2);
    form.UpDown2->setValue(2);
    QCOMPARE(form.session().MaxSamples, 1);
}

// A click whose handler waits runs from the event loop, so the test goes on meanwhile.
void clickLater(QPushButton *button, bool *returned)
{
    QTimer::singleShot(0, button, [button, returned] {
        button->click();
        *returned = true;
    });
}

// Starts the feeder when the program first sends the given command byte.
void feedOnCommand(ScriptedDesk &desk, PieceFeeder &feeder, char command)
{
    desk.instrument.onCommand = [&feeder, command, started = false](char c) mutable {
        if (c == command && !std::exchange(started, true))
            feeder.start();
    };
}

// A wait that no acknowledgement ends would hold the test inside it for good; once the
// flood's time is up, this sends one, and the test fails.
struct Rescue {
    QTimer timer;
    bool fired = false;

    explicit Rescue(ScriptedInstrument &instrument)
    {
        timer.setSingleShot(true);
        QObject::connect(&timer, &QTimer::timeout, [this, &instrument] {
            fired = true;
            instrument.send(protocol::Acknowledgement);
        });
        timer.start(FloodTimeoutMs);
    }
};

// Plays the pieces at the moment given; false when the program has not taken them in time.
bool play(ScriptedDesk &desk, PieceFeeder &feeder, Moment moment)
{
    bool returned = false;
    switch (moment) {
    case Moment::DuringRun:
        desk.setSpan(LongSpan);
        desk.measure();
        feeder.start();
        return waitUntil([&] { return feeder.done(); }, FloodTimeoutMs);
    case Moment::WhileStopWaits:
        desk.measure();
        feedOnCommand(desk, feeder, 'S');
        clickLater(desk.form.Command2, &returned);
        return waitUntil([&] { return returned; }, FloodTimeoutMs);
    case Moment::WhileReceiveWaits:
        desk.setSpan(LongSpan);
        feedOnCommand(desk, feeder, 'T');
        clickLater(desk.form.Command3, &returned);
        return waitUntil([&] { return returned && feeder.done(); }, FloodTimeoutMs);
    case Moment::WhileAutoStopWaits:
        setOneSampleChart(desk.form);
        desk.measure();
        feedOnCommand(desk, feeder, 'S');
        desk.instrument.send("T25.3\r\nH60.1\r");
        return waitUntil([&] { return feeder.done() && desk.unlocked(); }, FloodTimeoutMs) &&
               !desk.form.MSComm1.PortOpen();
    }
    return false;
}

bool eventLoopRuns()
{
    bool fired = false;
    QTimer::singleShot(0, [&fired] { fired = true; });
    return waitUntil([&] { return fired; });
}

} // namespace

Q_DECLARE_METATYPE(Moment)

class TestHostileStreams : public QObject {
    Q_OBJECT

private slots:
    void streamLeavesTheWindowWorking_data()
    {
        QTest::addColumn<QList<QByteArray>>("pieces");
        QTest::addColumn<Moment>("moment");
        QTest::addColumn<bool>("emptyReports");

        const QByteArray digits(MiB, '9');
        const QList<QByteArray> ackPairs = hostileInput("acks");
        QTest::newRow("1 MiB of random bytes")
            << hostileInput("random") << Moment::DuringRun << false;
        QTest::newRow("ACK flood during a run") << ackPairs << Moment::DuringRun << false;
        QTest::newRow("ACK flood while Stop waits") << ackPairs << Moment::WhileStopWaits << false;
        QTest::newRow("ACK flood while Receive waits")
            << ackPairs << Moment::WhileReceiveWaits << false;
        QTest::newRow("empty logging reports")
            << hostileInput("empty-reports") << Moment::DuringRun << true;
        QTest::newRow("empty and real logging reports")
            << repeated({"L0M", "L15M\r\n", "LH", "L2H\n"}, 500) << Moment::DuringRun << true;
        QTest::newRow("empty reports while Receive waits")
            << repeated({"L0M\r\n"}, 2000) + QList<QByteArray>{protocol::Acknowledgement}
            << Moment::WhileReceiveWaits << true;
        QTest::newRow("endless digits after T")
            << afterOpening("T", randomPieces(digits, 4096, 3)) << Moment::DuringRun << false;
        QTest::newRow("endless digits after the point")
            << afterOpening("T:25.", randomPieces(digits, 4096, 4)) << Moment::DuringRun << false;
        QTest::newRow("endless digits after L")
            << afterOpening("L", randomPieces(digits, 4096, 5)) << Moment::DuringRun << false;
        QTest::newRow("readings far outside the scale")
            << repeated(
                   {"T" + QByteArray(38, '9') + ".9\r\n", "T:" + QByteArray(30, '9') + ".0\r\n",
                    "H\xB0" + QByteArray(20, '9') + ".9\r\n",
                    "T\xBA" + QByteArray(12, '9') + ".5\r\n", "H" + QByteArray(45, '9') + ".0\r\n",
                    "T" + QByteArray(39, '9') + ".0\r\n"},
                   200)
            << Moment::DuringRun << false;
        QTest::newRow("CR and LF storm")
            << randomPieces(lineEnds(256 * 1024, 6), 64, 7) << Moment::DuringRun << false;
        QTest::newRow("CR and LF storm while an auto-stop waits")
            << randomPieces(lineEnds(4000, 8), 3, 9) + QList<QByteArray>{protocol::Acknowledgement}
            << Moment::WhileAutoStopWaits << false;
        QTest::newRow("NUL bytes")
            << randomPieces(QByteArray(MiB, '\0'), 4096, 10) << Moment::DuringRun << false;
    }

    void streamLeavesTheWindowWorking()
    {
        QFETCH(QList<QByteArray>, pieces);
        QFETCH(Moment, moment);
        QFETCH(bool, emptyReports);
        ScriptedDesk desk;
        BoxWatcher boxes;
        PieceFeeder feeder(desk.instrument, desk.form.MSComm1, pieces);
        const qint64 memoryBefore = residentBytes();
        Rescue rescue(desk.instrument);
        QVERIFY2(play(desk, feeder, moment),
                 qPrintable(QStringLiteral("%1 pieces left").arg(feeder.piecesLeft())));
        rescue.timer.stop();
        QVERIFY2(!rescue.fired, "the program was left waiting for an acknowledgement");
        QVERIFY2(feeder.everyPieceWaited(), "a piece came late: the decoding did not find it");

        qInfo("%lld of %lld pieces fed, deepest stack %lld bytes, %d message boxes",
              pieces.size() - feeder.piecesLeft(), pieces.size(), feeder.deepestStack(),
              boxes.shown());
        QVERIFY2(feeder.deepestStack() < StackBudget, "nested decoding grows the stack");
        QVERIFY(boxes.mostOpenAtOnce() <= 1);
        QVERIFY(boxes.shown() > 0 || !emptyReports);
        QVERIFY(waitUntil([] { return BoxWatcher::openBoxes() == 0; }));
        QVERIFY(eventLoopRuns());
        const qint64 growth = residentBytes() - memoryBefore;
        qInfo("resident memory grew by %lld KiB", growth / 1024);
        QVERIFY(growth < MemoryBudget);

        desk.instrument.answer('S', protocol::Acknowledgement);
        desk.form.Command2->click();
        QVERIFY(desk.unlocked());
        desk.measure();
        desk.instrument.send("T25.3\r\nH60.1\r\n");
        QVERIFY(waitUntil([&] { return desk.form.session().SampleCount == 1; }));
        QCOMPARE(desk.form.Label5->text(), QStringLiteral("温度 ： 25.3 ℃"));
        QCOMPARE(desk.form.Label6->text(), QStringLiteral("湿度 ： 60.1 %RH"));
    }
};

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    TestHostileStreams test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_hostile_streams.moc"
