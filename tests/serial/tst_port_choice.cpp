#include "serial/port_choice.h"
#include "serial/port_listing.h"

#include <QTest>

Q_DECLARE_METATYPE(PortDescription)

namespace {

PortDescription uart(const QString &device)
{
    return {device, {}, {}, {}, {}, {}, {}};
}

PortDescription adapter(const QString &device, const QString &byIdPath)
{
    return {device, byIdPath, "FT232R USB UART", "FTDI", "A50285BI", 0x0403, 0x6001};
}

const QString FtdiLink = QStringLiteral("/dev/serial/by-id/usb-FTDI_A50285BI-if00-port0");
const QString AcmLink = QStringLiteral("/dev/serial/by-id/usb-Maker_Board_1234-if00");

} // namespace

class TestPortChoice : public QObject {
    Q_OBJECT

private slots:
    void theLikelyPortIsOpened_data()
    {
        QTest::addColumn<QList<PortDescription>>("ports");
        QTest::addColumn<QString>("opened"); // empty: no port chosen

        QTest::newRow("none") << QList<PortDescription>{} << QString();
#ifdef Q_OS_WIN
        // Port 1 is COM1 unless exactly one adapter is present.
        QTest::newRow("COM1 and COM3") << QList{uart("COM3"), uart("COM1")} << "COM1";
        QTest::newRow("no COM1") << QList{uart("COM3"), uart("COM2")} << QString();
        QTest::newRow("one adapter") << QList{uart("COM1"), adapter("COM7", {})} << "COM7";
        QTest::newRow("two adapters")
            << QList{uart("COM1"), adapter("COM7", {}), adapter("COM8", {})} << "COM1";
#else
        QTest::newRow("one UART") << QList{uart("/dev/ttyS0")} << "/dev/ttyS0";
        QTest::newRow("UARTs by number")
            << QList{uart("/dev/ttyS10"), uart("/dev/ttyS2")} << "/dev/ttyS2";
        QTest::newRow("one adapter") << QList{adapter("/dev/ttyUSB0", FtdiLink)} << FtdiLink;
        QTest::newRow("adapter and UART")
            << QList{uart("/dev/ttyS0"), adapter("/dev/ttyUSB1", FtdiLink)} << FtdiLink;
        QTest::newRow("adapter without stable link")
            << QList{uart("/dev/ttyS0"), adapter("/dev/ttyUSB0", {})} << "/dev/ttyUSB0";
        QTest::newRow("two adapters")
            << QList{adapter("/dev/ttyUSB1", FtdiLink), adapter("/dev/ttyACM0", AcmLink)}
            << AcmLink;
        QTest::newRow("two adapters and a UART")
            << QList{adapter("/dev/ttyUSB0", FtdiLink), adapter("/dev/ttyUSB1", {}),
                     uart("/dev/ttyS4")}
            << "/dev/ttyS4";
#endif
    }

    void theLikelyPortIsOpened()
    {
        QFETCH(QList<PortDescription>, ports);
        QFETCH(QString, opened);
        const PortDescription *chosen = defaultPort(ports);
        QCOMPARE(chosen ? openingPath(*chosen) : QString(), opened);
    }

    void portsAreListedByNumberWithinAName_data()
    {
        QTest::addColumn<QStringList>("devices");
        QTest::addColumn<QStringList>("listed");

        QTest::newRow("COM") << QStringList{"COM10", "COM3", "COM1"}
                             << QStringList{"COM1", "COM3", "COM10"};
        QTest::newRow("names first") << QStringList{"/dev/ttyUSB10", "/dev/ttyS3", "/dev/ttyUSB2"}
                                     << QStringList{"/dev/ttyS3", "/dev/ttyUSB2", "/dev/ttyUSB10"};
        QTest::newRow("no number") << QStringList{"/dev/ttyS1", "/dev/rfcomm", "/dev/ttyS"}
                                   << QStringList{"/dev/rfcomm", "/dev/ttyS", "/dev/ttyS1"};
    }

    void portsAreListedByNumberWithinAName()
    {
        QFETCH(QStringList, devices);
        QFETCH(QStringList, listed);
        QList<PortDescription> ports;
        for (const QString &device : devices)
            ports << uart(device);
        std::sort(ports.begin(), ports.end(), comesFirst);
        QStringList order;
        for (const PortDescription &port : ports)
            order << port.device;
        QCOMPARE(order, listed);
    }

    void listingMarksTheChosenPort()
    {
        const QList ports = {uart("/dev/ttyS0"), adapter("/dev/ttyUSB0", FtdiLink)};
        QCOMPARE(portListing(ports), " \t/dev/ttyS0\t-\t-\t-\t-\t-\n"
                                     "*\t/dev/ttyUSB0\t" +
                                         FtdiLink +
                                         "\tFT232R USB UART\tFTDI\tA50285BI\t0403:6001\n");
        // The port chosen in the window's menu, while present, is the one used.
        QVERIFY(portListing(ports, "/dev/ttyS0").startsWith("*\t/dev/ttyS0"));
        QVERIFY(portListing(ports, "/dev/ttyS1").startsWith(" \t/dev/ttyS0"));
    }
};

QTEST_APPLESS_MAIN(TestPortChoice)
#include "tst_port_choice.moc"
