#include "lines/pseudo_terminal.h"
#include "process_figures.h"
#include "serial/serial_link.h"
#include "wait.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QTest>
#include <QTimer>
#include <sys/resource.h>
#include <termios.h>
#include <unistd.h>

namespace {

// The settings the window gives the link at load, on the given device.
void configure(MSComm &link, const QString &device)
{
    link.setCommPort(1);
    link.setSettings(QStringLiteral("19200,N,8,1"));
    link.setHandshaking(0);
    link.setRThreshold(1);
    link.setInBufferSize(2048);
    link.setOutBufferSize(16);
    link.setInputMode(0);
    link.setDeviceName(device);
}

// Collects every byte the link hands out, one Input per notification.
struct Receiver {
    explicit Receiver(MSComm &link) : link(link)
    {
        QObject::connect(&link, &MSComm::OnComm, [this] {
            deliveries.append(this->link.Input());
            received += deliveries.last();
        });
    }

    MSComm &link;
    QByteArray received;
    QList<QByteArray> deliveries;
};

// What the link sent, once count bytes have come or five seconds have passed.
QByteArray readSent(PseudoTerminal &pty, qsizetype count)
{
    QByteArray sent;
    waitUntil([&] {
        sent += pty.readAvailable();
        return sent.size() >= count;
    });
    return sent;
}

// What Input handed out without a notification, once count bytes have come or five seconds
// have passed.
QByteArray pollInput(MSComm &link, qsizetype count)
{
    QByteArray input;
    waitUntil([&] {
        input += link.Input();
        return input.size() >= count;
    });
    return input;
}

QByteArray everyByte()
{
    QByteArray bytes;
    for (int b = 0; b < 256; ++b)
        bytes.append(char(b));
    return bytes;
}

// A link configured as the window has it, on a pseudo-terminal, collecting what it hands out.
struct ConfiguredLink {
    ConfiguredLink() { configure(link, pty.devicePath()); }

    PseudoTerminal pty;
    MSComm link;
    Receiver receiver{link};
};

termios lineOf(const PseudoTerminal &pty)
{
    termios line{};
    tcgetattr(pty.masterFd(), &line);
    return line;
}

} // namespace

class TestSerialLink : public QObject {
    Q_OBJECT

private slots:
    // A pseudo-terminal always reads 8 bits without parity checking, so the character size
    // and PARENB cannot be seen from here; speed, stop bits and the parity kind can.
    void settingsReachTheDevice_data()
    {
        QTest::addColumn<QString>("settings");
        QTest::addColumn<int>("speed");
        QTest::addColumn<int>("parityKind");
        QTest::addColumn<bool>("twoStopBits");

        QTest::newRow("window's line") << "19200,N,8,1" << int(B19200) << 0 << false;
        QTest::newRow("even, 7 bits, 2 stops") << "9600,E,7,2" << int(B9600) << 0 << true;
        QTest::newRow("1.5 stops with 5 bits") << "300,N,5,1.5" << int(B300) << 0 << true;
        QTest::newRow("odd, 5 bits") << "4800,O,5,1" << int(B4800) << int(PARODD) << false;
        QTest::newRow("mark, lower case")
            << "2400,m,6,1" << int(B2400) << int(PARODD | CMSPAR) << false;
        QTest::newRow("space, blanks") << " 1200, S ,8, 2" << int(B1200) << int(CMSPAR) << true;
    }

    void settingsReachTheDevice()
    {
        QFETCH(QString, settings);
        QFETCH(int, speed);
        QFETCH(int, parityKind);
        QFETCH(bool, twoStopBits);
        ConfiguredLink fixture;
        auto &[pty, link, receiver] = fixture;
        QVERIFY(link.setSettings(settings));
        QCOMPARE(link.Settings(), settings);
        QVERIFY(link.setPortOpen(true));

        const termios line = lineOf(pty);
        QCOMPARE(int(cfgetospeed(&line)), speed);
        QCOMPARE(int(cfgetispeed(&line)), speed);
        QCOMPARE(int(line.c_cflag & (PARODD | CMSPAR)), parityKind);
        QCOMPARE(bool(line.c_cflag & CSTOPB), twoStopBits);
        QCOMPARE(bool(line.c_cflag & CRTSCTS), false);
        QCOMPARE(bool(line.c_iflag & (IXON | IXOFF)), false);
    }

    void malformedSettingsChangeNothing_data()
    {
        QTest::addColumn<QString>("settings");
        QTest::newRow("empty") << "";
        QTest::newRow("baud only") << "19200";
        QTest::newRow("no stop bits") << "19200,N,8";
        QTest::newRow("five fields") << "19200,N,8,1,1";
        QTest::newRow("baud not a number") << "fast,N,8,1";
        QTest::newRow("baud zero") << "0,N,8,1";
        QTest::newRow("baud negative") << "-9600,N,8,1";
        QTest::newRow("parity unknown") << "19200,X,8,1";
        QTest::newRow("parity two letters") << "19200,NE,8,1";
        QTest::newRow("parity missing") << "19200,,8,1";
        QTest::newRow("9 data bits") << "19200,N,9,1";
        QTest::newRow("4 data bits") << "19200,N,4,1";
        QTest::newRow("3 stop bits") << "19200,N,8,3";
        QTest::newRow("stop bits 1.0") << "19200,N,8,1.0";
        QTest::newRow("1.5 stops with 8 bits") << "19200,N,8,1.5";
        QTest::newRow("semicolons") << "19200;N;8;1";
    }

    void malformedSettingsChangeNothing()
    {
        QFETCH(QString, settings);
        ConfiguredLink fixture;
        auto &[pty, link, receiver] = fixture;
        QVERIFY(!link.setSettings(settings));
        QCOMPARE(link.Settings(), QStringLiteral("19200,N,8,1"));
        QVERIFY(link.setPortOpen(true));

        const termios line = lineOf(pty);
        QCOMPARE(cfgetospeed(&line), speed_t(B19200));
        QCOMPARE(int(line.c_cflag & (PARODD | CMSPAR | CSTOPB)), 0);
    }

    void deviceNameFollowsCommPortUnlessOverridden()
    {
        MSComm link;
        QVERIFY(link.setCommPort(1));
        QCOMPARE(link.deviceName(), QStringLiteral("/dev/ttyS0"));
        QVERIFY(link.setCommPort(4));
        QCOMPARE(link.deviceName(), QStringLiteral("/dev/ttyS3"));
        QVERIFY(!link.setCommPort(0));
        QCOMPARE(link.CommPort(), 4);

        QVERIFY(link.setDeviceName(QStringLiteral("/dev/ttyUSB0")));
        QCOMPARE(link.deviceName(), QStringLiteral("/dev/ttyUSB0"));
        QVERIFY(link.setCommPort(2));
        QCOMPARE(link.deviceName(), QStringLiteral("/dev/ttyUSB0"));
        QVERIFY(link.setDeviceName(QString()));
        QCOMPARE(link.deviceName(), QStringLiteral("/dev/ttyS1"));
    }

    void bareNamesAreUnderDev_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("path");

        QTest::newRow("bare") << "ttyUSB0"
                              << "/dev/ttyUSB0";
        QTest::newRow("bare, nested") << "serial/by-id/usb-x"
                                      << "/dev/serial/by-id/usb-x";
        QTest::newRow("relative path") << "../ttyV0"
                                       << "../ttyV0";
    }

    void bareNamesAreUnderDev()
    {
        QFETCH(QString, name);
        QFETCH(QString, path);
        MSComm link;
        QVERIFY(link.setDeviceName(name));
        QCOMPARE(link.deviceName(), path);
    }

    void redundantOpenAndCloseFailHarmlessly()
    {
        ConfiguredLink fixture;
        auto &[pty, link, receiver] = fixture;
        QStringList lines;
        link.setErrorSink([&](const QString &line) { lines << line; });
        QVERIFY(link.setPortOpen(false));
        QVERIFY(link.setPortOpen(true));
        QVERIFY(!link.setPortOpen(true));
        QVERIFY(link.PortOpen());
        QVERIFY(!link.setDeviceName(QStringLiteral("/dev/ttyUSB0")));
        QVERIFY(!link.setCommPort(2));
        QCOMPARE(link.deviceName(), pty.devicePath());
        QVERIFY(link.setOutput("S"));
        QCOMPARE(readSent(pty, 1), QByteArray("S"));
        QVERIFY(link.setPortOpen(false));
        QVERIFY(link.setPortOpen(false));
        QVERIFY(!link.PortOpen());
        QVERIFY(lines.isEmpty());
    }

    void nothingIsSentWhileClosedOrOnOpen()
    {
        ConfiguredLink fixture;
        auto &[pty, link, receiver] = fixture;
        QVERIFY(!link.setOutput("R10M"));
        QVERIFY(link.setPortOpen(true));
        QTest::qWait(50);
        QCOMPARE(pty.readAvailable(), QByteArray());
        QVERIFY(link.setPortOpen(false));
        QVERIFY(!link.setOutput("S"));
        QVERIFY(link.setPortOpen(true));
        QTest::qWait(50);
        QCOMPARE(pty.readAvailable(), QByteArray());
    }

    void queuedBytesLeaveBeforeTheClose()
    {
        ConfiguredLink fixture;
        auto &[pty, link, receiver] = fixture;
        QVERIFY(link.setPortOpen(true));
        QVERIFY(link.setOutput("S"));
        QVERIFY(link.setPortOpen(false));
        QCOMPARE(readSent(pty, 1), QByteArray("S"));
    }

    // The far side reads nothing, so the close waits for its bytes in the event loop: bytes
    // received meanwhile raise no notification inside it (the port is closed when one could
    // run), and a close asked for inside it closes.
    void closeWithBytesQueuedNestsNothing()
    {
        ConfiguredLink fixture;
        auto &[pty, link, receiver] = fixture;
        QVERIFY(link.setPortOpen(true));
        QVERIFY(link.setOutput(QByteArray(1 << 20, 'S'))); // far more than the line holds
        QVERIFY(pty.write("T25.3\r\n") && pty.waitUntilProgramCanRead(1000));
        bool innerCloseClosed = false;
        QTimer::singleShot(30, &link, [&] {
            link.setPortOpen(false);
            innerCloseClosed = !link.PortOpen();
        });
        QVERIFY(link.setPortOpen(false));
        QVERIFY(innerCloseClosed);
        QTest::qWait(50);
        QCOMPARE(receiver.deliveries.size(), 0);
    }

    void everyByteValuePassesUnchangedBothWays()
    {
        ConfiguredLink fixture;
        auto &[pty, link, receiver] = fixture;
        QVERIFY(link.setPortOpen(true));

        QVERIFY(link.setOutput(everyByte()));
        QCOMPARE(readSent(pty, 256), everyByte());
        QVERIFY(pty.write(everyByte()));
        QVERIFY(waitUntil([&] { return receiver.received.size() == 256; }));
        QCOMPARE(receiver.received, everyByte());
        QCOMPARE(link.CommEvent(), MSComm::comEvReceive);
    }

    void inputHandsOutEachByteOnceInOrder()
    {
        ConfiguredLink fixture;
        auto &[pty, link, receiver] = fixture;
        QVERIFY(link.setPortOpen(true));

        QByteArray stream;
        for (int i = 0; i < 60; ++i) {
            const QByteArray piece = QByteArray("T2") + char('0' + i % 10) + "\xBA\r\n";
            stream += piece;
            QVERIFY(pty.write(piece.left(i % 3 + 1)));
            if (i % 4 == 0)
                QCoreApplication::processEvents();
            QVERIFY(pty.write(piece.mid(i % 3 + 1)));
        }
        QVERIFY(waitUntil([&] { return receiver.received.size() == stream.size(); }));
        QCOMPARE(receiver.received, stream);
        QCOMPARE(link.Input(), QByteArray());
    }

    void thresholdHoldsTheNotificationBack()
    {
        ConfiguredLink fixture;
        auto &[pty, link, receiver] = fixture;
        link.setRThreshold(3);
        QVERIFY(link.setPortOpen(true));
        QVERIFY(pty.write("T2"));
        QTest::qWait(50);
        QVERIFY(pty.write("5"));
        QVERIFY(waitUntil([&] { return receiver.deliveries.size() == 1; }));
        QCOMPARE(receiver.deliveries.first(), QByteArray("T25"));
    }

    void thresholdZeroRaisesNoNotification()
    {
        ConfiguredLink fixture;
        auto &[pty, link, receiver] = fixture;
        link.setRThreshold(0);
        QVERIFY(link.setPortOpen(true));
        QVERIFY(pty.write("\x06"));
        QCOMPARE(pollInput(link, 1), QByteArray("\x06"));
        QCOMPARE(receiver.deliveries.size(), 0);
    }

    // The receive handler waits inside itself for an acknowledgement that only a nested
    // notification can deliver.
    void nestedNotificationReachesASuspendedHandler()
    {
        PseudoTerminal pty;
        MSComm link;
        configure(link, pty.devicePath());
        QByteArray outer;
        QByteArray inner;
        int depth = 0;
        connect(&link, &MSComm::OnComm, this, [&] {
            if (depth > 0) {
                inner += link.Input();
                return;
            }
            ++depth;
            outer += link.Input();
            pty.write("\x06");
            QTimer waker; // keeps the wait below from sleeping past the deadline
            waker.start(20);
            const QDeadlineTimer deadline(5000);
            while (inner.isEmpty() && !deadline.hasExpired())
                QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
            --depth;
        });
        QVERIFY(link.setPortOpen(true));
        QVERIFY(pty.write("S"));
        QVERIFY(waitUntil([&] { return outer == QByteArray("S"); }));
        QCOMPARE(inner, QByteArray("\x06"));
    }

    void hangUpClosesThePortQuietly()
    {
        ConfiguredLink fixture;
        auto &[pty, link, receiver] = fixture;
        QStringList lines;
        link.setErrorSink([&](const QString &line) { lines << line; });
        QVERIFY(link.setPortOpen(true));
        QVERIFY(pty.write("T25.3\r\n"));
        QVERIFY(waitUntil([&] { return receiver.received == QByteArray("T25.3\r\n"); }));
        QVERIFY(pty.write("H60"));

        pty.close();
        QVERIFY(waitUntil([&] { return !link.PortOpen(); }));
        const double before = cpuSeconds();
        QTest::qWait(1000);
        QVERIFY2(cpuSeconds() - before < 0.5, "the event loop spins after the hang-up");
        QVERIFY(!link.setOutput("S"));
        QVERIFY(lines.isEmpty());

        PseudoTerminal fresh;
        QVERIFY(link.setDeviceName(fresh.devicePath()));
        QVERIFY(link.setPortOpen(true));
        QVERIFY(link.setOutput("S"));
        QCOMPARE(readSent(fresh, 1), QByteArray("S"));
        receiver.received.clear();
        QVERIFY(fresh.write("\x06"));
        QVERIFY(waitUntil([&] { return receiver.received == QByteArray("\x06"); }));
    }

    void closeQueuedByAnOldFailureSparesTheNextOpening()
    {
        ConfiguredLink fixture;
        auto &[pty, link, receiver] = fixture;
        PseudoTerminal fresh;
        QVERIFY(link.setPortOpen(true));
        pty.close();
        link.setOutput("S");
        QVERIFY(link.setPortOpen(false));
        QVERIFY(link.setDeviceName(fresh.devicePath()));
        QVERIFY(link.setPortOpen(true));
        QTest::qWait(50);
        QVERIFY(link.PortOpen());
        QVERIFY(link.setOutput("S"));
        QCOMPARE(readSent(fresh, 1), QByteArray("S"));
    }

    void reopeningTheSameDeviceWorks()
    {
        ConfiguredLink fixture;
        auto &[pty, link, receiver] = fixture;
        for (int round = 0; round < 3; ++round) {
            QVERIFY(link.setPortOpen(true));
            QVERIFY(link.setOutput("T"));
            QCOMPARE(readSent(pty, 1), QByteArray("T"));
            QVERIFY(pty.write("L"));
            QVERIFY(waitUntil([&] { return receiver.received == QByteArray("L"); }));
            receiver.received.clear();
            QVERIFY(link.setPortOpen(false));
        }
    }

    void failedOpensAreReportedOncePerFailure()
    {
        const QString missing = QStringLiteral("/nonexistent/tarnwick-tty");
        const QString other = QStringLiteral("/nonexistent/other-tty");
        PseudoTerminal pty;
        MSComm link;
        QStringList lines;
        link.setErrorSink([&](const QString &line) { lines << line; });
        configure(link, missing);

        QVERIFY(!link.setPortOpen(true));
        QVERIFY(!link.PortOpen());
        QCOMPARE(lines.size(), 1);
        QVERIFY2(lines[0].startsWith("tarnwick: cannot open " + missing + ": "),
                 qPrintable(lines[0]));
        QVERIFY(lines[0].size() > QString("tarnwick: cannot open " + missing + ": ").size());
        QVERIFY(!lines[0].contains("dialout"));

        QVERIFY(!link.setPortOpen(true));
        QVERIFY(!link.setOutput("S"));
        QCOMPARE(lines.size(), 1);

        link.setDeviceName(other);
        QVERIFY(!link.setPortOpen(true));
        QCOMPARE(lines.size(), 2);
        QVERIFY(lines[1].contains(other));

        link.setDeviceName(pty.devicePath());
        QVERIFY(link.setPortOpen(true));
        QVERIFY(link.setPortOpen(false));
        link.setDeviceName(other);
        QVERIFY(!link.setPortOpen(true));
        QCOMPARE(lines.size(), 3);
        QCOMPARE(lines[2], lines[1]);
    }

    void busyDeviceFailsWithoutAGroupHint()
    {
        PseudoTerminal pty;
        MSComm first;
        MSComm second;
        QStringList lines;
        second.setErrorSink([&](const QString &line) { lines << line; });
        configure(first, pty.devicePath());
        configure(second, pty.devicePath());
        QVERIFY(first.setPortOpen(true));
        QVERIFY(!second.setPortOpen(true));
        QVERIFY(!second.PortOpen());
        QCOMPARE(lines.size(), 1);
        QVERIFY(lines[0].startsWith("tarnwick: cannot open " + pty.devicePath() + ": "));
        QVERIFY(!lines[0].contains("dialout"));
        QVERIFY(first.setOutput("S"));
        QCOMPARE(readSent(pty, 1), QByteArray("S"));
    }

    void deniedDeviceHintsAtTheGroup()
    {
        if (geteuid() == 0)
            QSKIP("root may open any device");
        ConfiguredLink fixture;
        auto &[pty, link, receiver] = fixture;
        QVERIFY(QFile::setPermissions(pty.devicePath(), {}));
        QStringList lines;
        link.setErrorSink([&](const QString &line) { lines << line; });
        QVERIFY(!link.setPortOpen(true));
        QCOMPARE(lines.size(), 1);
        QVERIFY2(lines[0].endsWith(" (is your user in the dialout group?)"), qPrintable(lines[0]));
    }
};

QTEST_GUILESS_MAIN(TestSerialLink)
#include "tst_serial_link.moc"
