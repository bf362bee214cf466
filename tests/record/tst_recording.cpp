#include "desk.h"
#include "device/device_protocol.h"
#include "record/reading_recorder.h"
#include "wait.h"
#include "window/main_window.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The recorded rows without their header, split into fields.
QList<QStringList> rows(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QList<QStringList> result;
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"));
    for (const QString &line : lines.mid(1, lines.size() - 2))
        result << line.split(u',');
    return result;
}

// A row as the test compares it: everything but the time.
QStringList withoutTime(QStringList row)
{
    row.removeFirst();
    return row;
}

} // namespace

class TestRecording : public QObject {
    Q_OBJECT

private slots:
    void liveAndTransferredReadingsAreRecordedAsShown()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("readings.csv"));
        ReadingRecorder recorder;
        QVERIFY(recorder.open(path));
        ScriptedDesk desk; // shown: under Wine, Stop in a window never shown waited for ever
        Form1 &form = desk.form;
        ScriptedInstrument &instrument = desk.instrument;
        QObject::connect(
            &form, &Form1::readingCompleted,
            [&recorder](Trace trace, float value, std::int32_t sample, ReadingOrigin origin) {
                recorder.record(trace, value, sample, QDateTime::currentDateTime(), origin);
            });

        form.Command1->click();
        QVERIFY(instrument.waitForReceived(4));
        // "T25" has no decimal point: the window drops it, and so does the recording.
        instrument.send("T25.3\r\nH60.1\r\nT:5.2\r\nT25\r\nH\xB0"
                        "0.0\r\n");
        QVERIFY(waitUntil([&] { return form.session().SampleCount == 2; }));
        QCOMPARE(form.Label5->text(), QStringLiteral("温度 ： -5.2 ℃"));
        instrument.answer('S', protocol::Acknowledgement);
        form.Command2->click();
        instrument.answer('T', "L15M\r\nT\xBA"
                               "5.2\r\nH\xB0"
                               "2.5\r\n" +
                                   protocol::Acknowledgement);
        form.Command3->click();
        QCOMPARE(form.session().SampleCount, 3);
        QCOMPARE(form.Label6->text(), QStringLiteral("湿度 ： 102.5 %RH"));
        // The acknowledgement ended the transfer: what comes after it is live.
        instrument.send("T20.0\r\nH50.0\r\n");
        QVERIFY(waitUntil([&] { return form.session().SampleCount == 4; }));

        const QList<QStringList> recorded = rows(path);
        // The transfer's readings carry the interval reported before them.
        const QList<QStringList> expected = {
            {"0", "temperature", "25.3", "°C", "live", ""},
            {"0", "humidity", "60.1", "%RH", "live", ""},
            {"1", "temperature", "-5.2", "°C", "live", ""},
            {"1", "humidity", "100", "%RH", "live", ""},
            {"2", "temperature", "-15.2", "°C", "logged", "PT15M"},
            {"2", "humidity", "102.5", "%RH", "logged", "PT15M"},
            {"3", "temperature", "20", "°C", "live", ""},
            {"3", "humidity", "50", "%RH", "live", ""},
        };
        QCOMPARE(recorded.size(), expected.size());
        static const QRegularExpression iso(
            QStringLiteral("^\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d[+-]\\d\\d:\\d\\d$"));
        for (qsizetype i = 0; i < recorded.size(); ++i) {
            QVERIFY2(iso.match(recorded[i].first()).hasMatch(), qPrintable(recorded[i].first()));
            QCOMPARE(withoutTime(recorded[i]), expected[i]);
        }
    }
};

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    TestRecording test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_recording.moc"
