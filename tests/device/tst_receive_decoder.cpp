#include "device/caption_text.h"
#include "device/receive_decoder.h"
#include "recording_window.h"

#include <QTest>
#include <limits>

namespace {

const QString Now = RecordingWindow::Time;

QStringList plotted(Trace trace, float value, float previous, std::int32_t sample,
                    float step = 7.5f)
{
    return RecordingWindow::completion(trace, value, previous, sample, step);
}

QStringList temperature(const QString &text)
{
    return {"Label5 温度 ： " + text + " ℃", "Label4 時間 ： " + Now};
}

QStringList firstPointStatus()
{
    return {"Label7 時間 ： " + Now};
}

QStringList humidity(const QString &text)
{
    return {"Label6 湿度 ： " + text + " %RH", "Label4 時間 ： " + Now};
}

QStringList report(int interval, bool minutes)
{
    return {QStringLiteral("UpDown2 %1").arg(interval),
            QStringLiteral("Label2 %1").arg(interval),
            QStringLiteral("UpDown3 %1").arg(minutes ? 1 : 2),
            minutes ? "Label3 分毎" : "Label3 時毎",
            minutes ? "Label7 開始 ： LM" : "Label7 開始 ： LH",
            "yield"};
}

const QStringList Acknowledged = {"Label7 開始 ： OK !", "yield"};
const QStringList Stopped = {"Command2_Click"};

// A session as the window leaves it after loading with a one-hour span at one-minute interval.
SessionState loadedSession()
{
    SessionState s;
    s.MaxSamples = 60;
    s.XStep = 7.5f;
    return s;
}

struct Decoding {
    SessionState state = loadedSession();
    RecordingWindow window;
    ReceiveDecoder decoder{state, window};
};

} // namespace

class TestReceiveDecoder : public QObject {
    Q_OBJECT

private:
    void streams()
    {
        QTest::addColumn<QByteArray>("stream");
        QTest::addColumn<QStringList>("effects");

        const float t253 = 25.3f;
        QTest::newRow("temperature, CR completes, LF only resets")
            << QByteArray("T25.3\r\n")
            << temperature("25.3") + firstPointStatus() + plotted(Trace::Temperature, t253, 0, 0);
        QTest::newRow("LF alone completes")
            << QByteArray("T25.3\n")
            << temperature("25.3") + firstPointStatus() + plotted(Trace::Temperature, t253, 0, 0);
        QTest::newRow("humidity does not touch the status line")
            << QByteArray("H60.1\r\n") << humidity("60.1") + plotted(Trace::Humidity, 60.1f, 0, 0);
        QTest::newRow("second sample plots from the first")
            << QByteArray("T25.3\r\nH60.1\r\nT25.4\r\nH60.2\r\n")
            << temperature("25.3") + firstPointStatus() + plotted(Trace::Temperature, t253, 0, 0) +
                   humidity("60.1") + plotted(Trace::Humidity, 60.1f, 0, 0) + temperature("25.4") +
                   plotted(Trace::Temperature, 25.4f, t253, 1) + humidity("60.2") +
                   plotted(Trace::Humidity, 60.2f, 60.1f, 1);
        QTest::newRow("byte 186 is minus and a leading 1")
            << QByteArray("T\xBA"
                          "5.2\r")
            << temperature("-15.2") + firstPointStatus() +
                   plotted(Trace::Temperature, -15.2f, 0, 0);
        QTest::newRow("colon is a minus sign")
            << QByteArray("T:5.2\r")
            << temperature("-5.2") + firstPointStatus() + plotted(Trace::Temperature, -5.2f, 0, 0);
        QTest::newRow("colon before T has no effect")
            << QByteArray(":T5.2\r")
            << temperature("5.2") + firstPointStatus() + plotted(Trace::Temperature, 5.2f, 0, 0);
        QTest::newRow("byte 176 is a leading 10 in temperature")
            << QByteArray("T\xB0"
                          "0.0\r")
            << temperature("100") + firstPointStatus() + plotted(Trace::Temperature, 100, 0, 0);
        QTest::newRow("byte 176 is a leading 10 in humidity")
            << QByteArray("H\xB0"
                          "0.0\r")
            << humidity("100") + plotted(Trace::Humidity, 100, 0, 0);
        QTest::newRow("byte 176 replaces the digits before it")
            << QByteArray("T2\xB0"
                          "5.0\r")
            << temperature("105") + firstPointStatus() + plotted(Trace::Temperature, 105, 0, 0);
        QTest::newRow("every digit after the point adds tenths")
            << QByteArray("T25.34\r")
            << temperature("25.7") + firstPointStatus() +
                   plotted(Trace::Temperature, float(double(t253) + 4 * 0.1), 0, 0);
        QTest::newRow("a second point is ignored")
            << QByteArray("T2.5.3\r")
            << temperature("2.8") + firstPointStatus() +
                   plotted(Trace::Temperature, float(double(2.5f) + 3 * 0.1), 0, 0);
        QTest::newRow("record without a point is dropped")
            << QByteArray("T25\r\nH60\r\n") << QStringList{};
        QTest::newRow("H inside a temperature record is ignored")
            << QByteArray("T2H5.H3\r")
            << temperature("25.3") + firstPointStatus() + plotted(Trace::Temperature, t253, 0, 0);
        QTest::newRow("M outside a report is ignored")
            << QByteArray("MT2M5.3\r")
            << temperature("25.3") + firstPointStatus() + plotted(Trace::Temperature, t253, 0, 0);
        QTest::newRow("sign bytes leave humidity unsigned")
            << QByteArray("H:6\xBA"
                          "0.1\r")
            << humidity("60.1") + plotted(Trace::Humidity, 60.1f, 0, 0);
        QTest::newRow("ACK inside a record leaves it undisturbed")
            << QByteArray("T2\x06"
                          "5.3\r")
            << Acknowledged + temperature("25.3") + firstPointStatus() +
                   plotted(Trace::Temperature, t253, 0, 0);
        QTest::newRow("ACK alone") << QByteArray("\x06") << Acknowledged;
        QTest::newRow("report in minutes") << QByteArray("L15M\r\n") << report(15, true);
        QTest::newRow("report in hours") << QByteArray("L2H\r\n") << report(2, false);
        QTest::newRow("report without digits")
            << QByteArray("LH\r") << QStringList{"NO Logging ?!"};
        QTest::newRow("report of zero") << QByteArray("L0M\r") << QStringList{"NO Logging ?!"};
        QTest::newRow("a further digit lengthens the report")
            << QByteArray("L1M5H\r") << report(1, true) + report(15, false);
        QTest::newRow("L opens a report from inside a reading")
            << QByteArray("T25L5M\r") << report(5, true);
        QTest::newRow("digits between records are ignored")
            << QByteArray("25.3\r\n") << QStringList{};
        QTest::newRow("lowercase, blanks and other bytes change nothing")
            << QByteArray("t25.3 h60.1 l5m\x00\x7F\r", 18) << QStringList{};
        QTest::newRow("no line end yet") << QByteArray("T25.3") << QStringList{};
    }

private slots:
    void decodesStream_data() { streams(); }

    void decodesStream()
    {
        QFETCH(QByteArray, stream);
        QFETCH(QStringList, effects);
        Decoding d;
        d.decoder.decode(stream);
        QCOMPARE(d.window.effects, effects);
    }

    void splitDeliveriesGiveTheSameEffects_data() { streams(); }

    void splitDeliveriesGiveTheSameEffects()
    {
        QFETCH(QByteArray, stream);
        QFETCH(QStringList, effects);
        for (qsizetype cut = 0; cut <= stream.size(); ++cut) {
            Decoding d;
            d.decoder.decode(stream.left(cut));
            d.decoder.decode(stream.mid(cut));
            QVERIFY2(d.window.effects == effects, qPrintable(QStringLiteral("cut at %1").arg(cut)));
        }
    }

    void lineEndResetsTheRecord()
    {
        Decoding d;
        d.decoder.decode("L12T3.4H");
        d.state.TempSign = -1;
        d.decoder.decode("\r");
        QCOMPARE(text(d.state.ParseState), "");
        QCOMPARE(d.state.TempValue, 0.0f);
        QCOMPARE(d.state.HumidValue, 0.0f);
        QCOMPARE(d.state.LogInterval, 0);
        QCOMPARE(d.state.TempSign, -1);
    }

    void humidityCountsTheSample()
    {
        Decoding d;
        d.decoder.decode("T25.3\r\n");
        QCOMPARE(d.state.SampleCount, 0);
        QCOMPARE(d.state.PrevTemp, 25.3f);
        d.decoder.decode("H60.1\r\n");
        QCOMPARE(d.state.SampleCount, 1);
        QCOMPARE(d.state.PrevHumid, 60.1f);
        d.decoder.decode("H60\r\n");
        QCOMPARE(d.state.SampleCount, 1);
    }

    void fullChartStopsAndDropsTheRestOfTheDelivery()
    {
        Decoding d;
        d.state.MaxSamples = 1;
        d.decoder.decode("T25.3\r\nH60.1\r\nT26");
        QCOMPARE(d.window.effects.mid(d.window.effects.size() - 3),
                 plotted(Trace::Humidity, 60.1f, 0, 0) + Stopped);
        QCOMPARE(d.state.SampleCount, 1);
        QCOMPARE(text(d.state.ParseState), "");
        QCOMPARE(d.state.TempValue, 0.0f);
    }

    void countAtTheLimitStopsOnAnyLineEnd()
    {
        Decoding d;
        d.state.SampleCount = 5;
        d.state.MaxSamples = 5;
        d.decoder.decode("\n");
        QCOMPARE(d.window.effects, Stopped);
        d.window.effects.clear();
        d.decoder.decode("T25.3\rT");
        QCOMPARE(d.window.effects,
                 temperature("25.3") + plotted(Trace::Temperature, 25.3f, 0, 5) + Stopped);
        QCOMPARE(text(d.state.ParseState), "");
    }

    void stopDecodesItsAcknowledgementNested()
    {
        Decoding d;
        d.state.MaxSamples = 1;
        d.window.onStop = [&] { d.decoder.decode("\x06"); };
        d.decoder.decode("H60.1\r\nT26.0\r\n");
        QCOMPARE(d.window.effects.mid(4), Stopped + Acknowledged);
    }

    void nestedLineEndStopsAgainWhileStopWaits()
    {
        Decoding d;
        d.state.MaxSamples = 1;
        int depth = 0;
        d.window.onStop = [&] {
            ++depth;
            d.decoder.decode(depth == 1 ? "\n" : "\x06");
        };
        d.decoder.decode("H60.1\r");
        QCOMPARE(d.window.effects.mid(4), Stopped + Stopped + Acknowledged);
    }

    void outerDeliveryGoesOnWithTheNestedState()
    {
        Decoding d;
        bool nested = false;
        d.window.onYield = [&] {
            if (!std::exchange(nested, true))
                d.decoder.decode("T2");
        };
        d.decoder.decode("L5M.5\r");
        QCOMPARE(d.window.effects, report(5, true) + temperature("2.5") + firstPointStatus() +
                                       plotted(Trace::Temperature, 2.5f, 0, 0));
    }

    void reportedIntervalSaturatesAndFitsTheSelector_data()
    {
        QTest::addColumn<QByteArray>("digits");
        QTest::addColumn<int>("logInterval");
        QTest::addColumn<int>("applied");

        QTest::newRow("largest selector value") << QByteArray("30") << 30 << 30;
        QTest::newRow("above the selector") << QByteArray("45") << 45 << 30;
        QTest::newRow("largest 16-bit value") << QByteArray("32767") << 32767 << 30;
        QTest::newRow("past 16 bits") << QByteArray("32768") << 32767 << 30;
        QTest::newRow("endless digits") << QByteArray(200, '9') << 32767 << 30;
    }

    void reportedIntervalSaturatesAndFitsTheSelector()
    {
        QFETCH(QByteArray, digits);
        QFETCH(int, logInterval);
        QFETCH(int, applied);
        Decoding d;
        d.decoder.decode("L" + digits);
        QCOMPARE(d.state.LogInterval, logInterval);
        d.decoder.decode("M");
        QCOMPARE(d.window.effects, report(applied, true));
    }

    void overlongDigitRunIsDroppedAndLaterRecordsDecode_data()
    {
        QTest::addColumn<QByteArray>("record");
        QTest::newRow("temperature before the point") << "T" + QByteArray(60, '9') + ".5\r";
        QTest::newRow("temperature after the point") << "T:" + QByteArray(60, '9') + ".55\r";
        QTest::newRow("humidity") << "H" + QByteArray(60, '9') + ".5\r";
    }

    void overlongDigitRunIsDroppedAndLaterRecordsDecode()
    {
        QFETCH(QByteArray, record);
        Decoding d;
        d.decoder.decode(record);
        QCOMPARE(d.window.effects, QStringList{});
        QCOMPARE(d.state.SampleCount, 0);
        d.decoder.decode("T25.3\r");
        QCOMPARE(d.window.effects.first(), temperature("25.3").first());
        QCOMPARE(d.state.PrevTemp, 25.3f);
    }

    void largeFiniteReadingIsShownAndPlotted()
    {
        Decoding d;
        d.decoder.decode("T" + QByteArray(30, '9') + ".0\r");
        QCOMPARE(d.window.effects.first(), temperature("1E+30").first());
    }

    void sampleCountSaturates()
    {
        Decoding d;
        d.state.SampleCount = std::numeric_limits<std::int32_t>::max();
        d.state.MaxSamples = 32767;
        d.decoder.decode("H60.1\r");
        QCOMPARE(d.state.SampleCount, std::numeric_limits<std::int32_t>::max());
        QCOMPARE(d.window.effects.last(), QStringLiteral("Command2_Click"));
    }

    void deliveryLongerThan16BitsIsDecodedToTheEnd()
    {
        Decoding d;
        d.decoder.decode(QByteArray(70000, 'x') + "T25.3\r");
        QCOMPARE(d.window.effects.first(), temperature("25.3").first());
    }
};

QTEST_APPLESS_MAIN(TestReceiveDecoder)
#include "tst_receive_decoder.moc"
