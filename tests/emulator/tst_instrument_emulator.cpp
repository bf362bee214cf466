#include "desk.h"
#include "device/device_protocol.h"
#include "emulator/emulator_options.h"
#include "emulator/instrument_emulator.h"
#include "lines/pseudo_terminal.h"
#include "recording_window.h"
#include "wait.h"

#include <QFile>
#include <QSignalSpy>
#include <QSocketNotifier>
#include <QTest>
#include <cerrno>
#include <fcntl.h>
#include <memory>
#include <unistd.h>

namespace {

const QByteArray Pair = QByteArrayLiteral("T25.3\r\nH60.1\r\n");

// The program's side of the line, as a serial link opens it: it reads as soon as bytes arrive.
class Host {
public:
    explicit Host(const QString &path)
        : fd_(::open(QFile::encodeName(path).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK)),
          notifier_(fd_, QSocketNotifier::Read)
    {
        QObject::connect(&notifier_, &QSocketNotifier::activated, [this] { readWaiting(); });
    }
    ~Host()
    {
        notifier_.setEnabled(false);
        if (fd_ >= 0)
            ::close(fd_);
    }

    bool send(const QByteArray &bytes)
    {
        return ::write(fd_, bytes.constData(), bytes.size()) == bytes.size();
    }
    // Everything received since the start.
    QByteArray received() const { return received_; }
    bool hungUp() const { return hungUp_; }

private:
    void readWaiting()
    {
        char buffer[512];
        ssize_t n = 0;
        while ((n = ::read(fd_, buffer, sizeof buffer)) > 0)
            received_.append(buffer, n);
        if (n == 0 || errno != EAGAIN) {
            hungUp_ = true;
            notifier_.setEnabled(false);
        }
    }

    int fd_;
    QSocketNotifier notifier_;
    QByteArray received_;
    bool hungUp_ = false;
};

int pairsIn(const QByteArray &bytes)
{
    return int(bytes.count(Pair));
}

} // namespace

class TestInstrumentEmulator : public QObject {
    Q_OBJECT

private slots:
    void answers_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("commands");
        QTest::addColumn<QByteArray>("expected");

        const QStringList none;
        const QStringList twoLogged{"--logged", "2", "--log-interval", "5H"};
        QTest::newRow("stop acknowledges") << none << QByteArray("S") << protocol::Acknowledgement;
        QTest::newRow("blank in the interval")
            << none << QByteArray("R 5MS") << Pair + protocol::Acknowledgement;
        QTest::newRow("no ack") << QStringList{"--no-ack"} << QByteArray("R 5MST")
                                << Pair + "L0M\r\n";
        QTest::newRow("nothing logged")
            << none << QByteArray("T") << "L0M\r\n" + protocol::Acknowledgement;
        QTest::newRow("logged before")
            << twoLogged << QByteArray("T") << "L5H\r\n" + Pair + Pair + protocol::Acknowledgement;
        QTest::newRow("memory run clears memory")
            << twoLogged << QByteArray("L10MST")
            << protocol::Acknowledgement + "L10M\r\n" + Pair + protocol::Acknowledgement;
        QTest::newRow("new memory run replaces the interval")
            << none << QByteArray("L 1ML30HST")
            << protocol::Acknowledgement + "L30H\r\n" + Pair + protocol::Acknowledgement;
        QTest::newRow("send run leaves memory alone")
            << QStringList{"--logged", "1"} << QByteArray("R 5MST")
            << Pair + protocol::Acknowledgement + "L10M\r\n" + Pair + protocol::Acknowledgement;
        QTest::newRow("stray bytes and a broken measure")
            << none << QByteArray("x\r\n?R5ST")
            << protocol::Acknowledgement + "L0M\r\n" + protocol::Acknowledgement;
        QTest::newRow("zero interval is no command")
            << none << QByteArray("R00MS") << protocol::Acknowledgement;
        QTest::newRow("split") << QStringList{"--split"} << QByteArray("R 5MS")
                               << Pair + protocol::Acknowledgement;
        QTest::newRow("paced") << QStringList{"--pace", "--logged", "3"} << QByteArray("T")
                               << "L10M\r\n" + Pair + Pair + Pair + protocol::Acknowledgement;
    }

    void answers()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, commands);
        QFETCH(QByteArray, expected);
        const auto emulator = startEmulator(arguments);
        QVERIFY(emulator);
        Host host(emulator->devicePath());
        QVERIFY(host.send(commands));
        QVERIFY(waitUntil([&] { return host.received() == expected; }));
    }

    void commandsSplitAcrossWrites()
    {
        const auto emulator = startEmulator({});
        QVERIFY(emulator);
        QSignalSpy commands(emulator.get(), &InstrumentEmulator::commandReceived);
        Host host(emulator->devicePath());
        qint64 sent = 0;
        for (const QByteArray piece : {"L", "1", "0H", "S", "T"}) {
            QVERIFY(host.send(piece));
            sent += piece.size();
            QVERIFY(waitUntil([&] { return emulator->bytesReceived() == sent; }));
        }
        QVERIFY(waitUntil([&] {
            return host.received() ==
                   (protocol::Acknowledgement + "L10H\r\n" + Pair + protocol::Acknowledgement);
        }));
        QList<QByteArray> received;
        for (const QList<QVariant> &signal : std::as_const(commands))
            received << signal.at(0).toByteArray();
        QCOMPARE(received, (QList<QByteArray>{"L10H", "S", "T"}));
    }

    void speedShortensTheIntervalAndStopEndsTheRun()
    {
        const auto emulator = startEmulator({"--speed", "600"}); // a minute in 100 ms
        QVERIFY(emulator);
        Host host(emulator->devicePath());
        QVERIFY(host.send("R 1M"));
        QVERIFY(waitUntil([&] { return pairsIn(host.received()) >= 3; }));
        QVERIFY(host.send("S"));
        QVERIFY(waitUntil([&] { return host.received().contains(protocol::Acknowledgement); }));
        QCOMPARE(emulator->msToNextReading(), -1);
        QVERIFY(waitUntil([&] { return host.received().size() == emulator->bytesSent(); }));
        const QByteArray all = host.received();
        QCOMPARE(all.mid(all.indexOf(protocol::Acknowledgement) + 1), QByteArray());
    }

    void newMeasureReplacesTheRunningOne()
    {
        const auto emulator = startEmulator({"--speed", "6000"}); // a minute in 10 ms
        QVERIFY(emulator);
        Host host(emulator->devicePath());
        QVERIFY(host.send("R 1M"));
        QVERIFY(waitUntil([&] { return pairsIn(host.received()) >= 3; }));
        qint64 sentByTheOldRun = -1;
        connect(emulator.get(), &InstrumentEmulator::commandReceived, this,
                [&] { sentByTheOldRun = emulator->bytesSent(); });
        QVERIFY(host.send("R30H")); // 18 s at this speed
        QVERIFY(waitUntil([&] {
            return sentByTheOldRun >= 0 && host.received().size() == emulator->bytesSent();
        }));
        QCOMPARE(host.received().mid(sentByTheOldRun), Pair);
        QVERIFY2(emulator->msToNextReading() > 1000, "the old run's 10 ms interval goes on");
    }

    void dropAfterHangsUp()
    {
        const auto emulator = startEmulator({"--drop-after", "10"});
        QVERIFY(emulator);
        QSignalSpy closed(emulator.get(), &InstrumentEmulator::lineClosed);
        Host host(emulator->devicePath());
        QVERIFY(host.send("R 5M"));
        QVERIFY(waitUntil([&] { return host.hungUp(); }));
        QCOMPARE(host.received(), Pair.left(10));
        QCOMPARE(closed.size(), 1);
        QVERIFY(!emulator->isOpen());
    }

    void sameSeedGivesTheSameReadings()
    {
        QList<QByteArray> runs;
        for (const char *seed : {"7", "7", "8"}) {
            const auto emulator =
                startEmulator({"--scenario", "room", "--seed", seed, "--speed", "6000"});
            QVERIFY(emulator);
            Host host(emulator->devicePath());
            QVERIFY(host.send("R 1M"));
            QVERIFY(waitUntil([&] { return host.received().size() >= 5 * Pair.size(); }));
            runs << host.received().left(5 * Pair.size());
        }
        QCOMPARE(runs[0], runs[1]);
        QVERIFY(runs[0] != runs[2]);
    }

    void noiseOnlyAddsBytesTheHostIgnores()
    {
        const auto emulator = startEmulator({"--noise", "1", "--logged", "5"});
        QVERIFY(emulator);
        Host host(emulator->devicePath());
        QVERIFY(host.send("T"));
        QVERIFY(waitUntil([&] { return host.received().endsWith(protocol::Acknowledgement); }));
        SessionState state;
        state.MaxSamples = 100;
        RecordingWindow window;
        ReceiveDecoder(state, window).decode(host.received());
        QCOMPARE(window.effects.count(QStringLiteral("Label5 温度 ： 25.3 ℃")), 5);
        QCOMPARE(window.effects.count(QStringLiteral("Label6 湿度 ： 60.1 %RH")), 5);
        QCOMPARE(window.effects.count(QStringLiteral("UpDown2 10")), 1);
        QVERIFY(host.received().size() >
                ("L10M\r\n" + Pair.repeated(5) + protocol::Acknowledgement).size());
    }

    void servesAGivenDevice()
    {
        PseudoTerminal line;
        InstrumentEmulator emulator(EmulatorOptions{});
        QVERIFY(emulator.serve(line.devicePath()));
        QByteArray received;
        QVERIFY(line.write("T"));
        QVERIFY(waitUntil([&] {
            return (received += line.readAvailable()) == ("L0M\r\n" + protocol::Acknowledgement);
        }));

        QVERIFY(!emulator.serve(QStringLiteral("/dev/null")));
        QVERIFY(emulator.errorString().contains(QStringLiteral("/dev/null")));
        QVERIFY(!emulator.serve(QStringLiteral("/nonexistent/tty")));
        QVERIFY(emulator.errorString().contains(QStringLiteral("/nonexistent/tty")));
    }
};

QTEST_MAIN(TestInstrumentEmulator)
#include "tst_instrument_emulator.moc"
