#include "device/device_protocol.h"
#include "device/session_state.h"

#include <QTest>

class TestDeviceProtocol : public QObject {
    Q_OBJECT

private slots:
    void measureCommand_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("interval");
        QTest::addColumn<int>("unit");
        QTest::addColumn<QByteArray>("bytes");

        QTest::newRow("send, 5 minutes") << 1 << 5 << 1 << QByteArray("\x52\x20\x35\x4D");
        QTest::newRow("memory, 30 hours") << 2 << 30 << 2 << QByteArray("\x4C\x33\x30\x48");
        QTest::newRow("9 is blank and digit") << 1 << 9 << 1 << QByteArray("R 9M");
        QTest::newRow("10 is two digits") << 2 << 10 << 2 << QByteArray("L10H");
        QTest::newRow("1 is blank and digit") << 1 << 1 << 2 << QByteArray("R 1H");
        QTest::newRow("unit other than 1 is hours") << 1 << 12 << 7 << QByteArray("R12H");
    }

    void measureCommand()
    {
        QFETCH(int, mode);
        QFETCH(int, interval);
        QFETCH(int, unit);
        QFETCH(QByteArray, bytes);
        QCOMPARE(protocol::measureCommand(protocol::Mode(mode), interval, protocol::Unit(unit)),
                 bytes);
    }

    void stopAndReceiveAreSingleBytes()
    {
        QCOMPARE(protocol::StopCommand, QByteArray("S"));
        QCOMPARE(protocol::ReceiveCommand, QByteArray("T"));
    }

    void sessionStartsAsTheWindowIsCreated()
    {
        const SessionState s;
        QCOMPARE(text(s.ParseState), "");
        QCOMPARE(s.LogInterval, 0);
        QCOMPARE(s.SampleCount, 0);
        QCOMPARE(s.MaxSamples, 0);
        QCOMPARE(s.TempSign, 0);
        QCOMPARE(s.XStep, 0.0f);
    }

    void parseTokensReadAsTheirTexts()
    {
        QCOMPARE(text(ParseToken::Temperature), "T");
        QCOMPARE(text(ParseToken::TemperatureTenths), "T.");
        QCOMPARE(text(ParseToken::Humidity), "H");
        QCOMPARE(text(ParseToken::HumidityTenths), "H.");
        QCOMPARE(text(ParseToken::LoggingReport), "L");
    }
};

QTEST_APPLESS_MAIN(TestDeviceProtocol)
#include "tst_device_protocol.moc"
