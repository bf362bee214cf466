#include "device/caption_text.h"
#include "emulator/wire_encoding.h"
#include "recording_window.h"

#include <QTest>
#include <cmath>

// Every value the instrument can send must reach the host's decoder as that value.
class TestWireEncoding : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        state = {};
        state.MaxSamples = 32767;
        window.effects.clear();
    }

    void everyTemperatureDecodesToItsValue()
    {
        for (int tenths = -199; tenths <= 1099; ++tenths) {
            const double value = tenths / 10.0;
            const QString caption = caption::TemperaturePrefix +
                                    caption::readingText(float(value)) + caption::TemperatureUnit;
            checkDecoded(wire::temperatureReading(value), QStringLiteral("Label5 ") + caption,
                         value);
            if (QTest::currentTestFailed())
                return;
        }
    }

    void everyHumidityDecodesToItsValue()
    {
        for (int tenths = 0; tenths <= 1099; ++tenths) {
            const double value = tenths / 10.0;
            const QString caption = caption::HumidityPrefix + caption::readingText(float(value)) +
                                    caption::HumidityUnit;
            checkDecoded(wire::humidityReading(value), QStringLiteral("Label6 ") + caption, value);
            if (QTest::currentTestFailed())
                return;
        }
    }

    void bytesOnTheWire_data()
    {
        QTest::addColumn<QByteArray>("message");
        QTest::addColumn<QByteArray>("bytes");

        // In octal, \272 is byte 186 (minus, leading 1) and \260 is byte 176 (leading 10).
        QTest::newRow("just below zero")
            << wire::temperatureReading(-0.3) << QByteArray("T:0.3\r\n");
        QTest::newRow("minus ten") << wire::temperatureReading(-10) << QByteArray("T\2720.0\r\n");
        QTest::newRow("rounds up into 100")
            << wire::temperatureReading(99.96) << QByteArray("T\2600.0\r\n");
        QTest::newRow("no minus zero") << wire::temperatureReading(-0.04) << QByteArray("T0.0\r\n");
        QTest::newRow("too cold") << wire::temperatureReading(-40) << QByteArray("T\2729.9\r\n");
        QTest::newRow("too hot") << wire::temperatureReading(1e9) << QByteArray("T\2609.9\r\n");
        QTest::newRow("too dry") << wire::humidityReading(-5) << QByteArray("H0.0\r\n");
        QTest::newRow("too wet") << wire::humidityReading(250) << QByteArray("H\2609.9\r\n");
        QTest::newRow("not a number")
            << wire::humidityReading(std::nan("")) << QByteArray("H0.0\r\n");
        QTest::newRow("report in hours")
            << wire::loggingReport(30, protocol::Unit::Hours) << QByteArray("L30H\r\n");
        QTest::newRow("nothing logged")
            << wire::loggingReport(0, protocol::Unit::Minutes) << QByteArray("L0M\r\n");
    }

    void bytesOnTheWire()
    {
        QFETCH(QByteArray, message);
        QFETCH(QByteArray, bytes);
        QCOMPARE(message, bytes);
    }

private:
    // One decoder for the whole sweep, as on a real line: each message must also leave
    // the decoder ready for the next.
    void checkDecoded(const QByteArray &message, const QString &expected, double value)
    {
        window.effects.clear();
        decoder.decode(message);
        QVERIFY2(window.effects.contains(expected),
                 qPrintable(QStringLiteral("%1 sent as %2 shows [%3]")
                                .arg(value)
                                .arg(QString::fromLatin1(message.toHex(' ')),
                                     window.effects.join(QStringLiteral("; ")))));
    }

    SessionState state;
    RecordingWindow window;
    ReceiveDecoder decoder{state, window};
};

QTEST_APPLESS_MAIN(TestWireEncoding)
#include "tst_wire_encoding.moc"
