#include "desk.h"
#include "device/device_protocol.h"
#include "record/recording_layout.h"
#include "record/recording_reader.h"
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

// A row as the test compares it: the readings, the sample, its origin and log interval.
QStringList readings(const QStringList &row)
{
    using F = recording::SampleField;
    return {row.value(F::Temperature), row.value(F::Humidity), row.value(F::Sample),
            row.value(F::Origin), row.value(F::LogInterval)};
}

} // namespace

class TestRecording : public QObject {
    Q_OBJECT

private slots:
    // Every sample the window showed is in the file once Stop or the window's close has
    // ended it, a temperature without its humidity too.
    void liveAndTransferredReadingsAreRecordedAsShown()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("readings.csv"));
        ScriptedDesk desk; // shown: under Wine, Stop in a window never shown waited for ever
        Form1 &form = desk.form;
        ScriptedInstrument &instrument = desk.instrument;
        QVERIFY(form.recording.start(path));
        desk.setSpan(QStringLiteral("24")); // no stop by itself when the transfer sets 15 minutes

        form.Command1->click();
        QVERIFY(instrument.waitForReceived(4));
        // "T25" has no decimal point: the window drops it, and so does the recording.
        instrument.send("T25.3\r\nH60.1\r\nT:5.2\r\nT25\r\nH\xB0"
                        "0.0\r\nT19.5\r\n");
        QVERIFY(waitUntil([&] { return form.Label5->text().contains(QStringLiteral("19.5")); }));
        QCOMPARE(form.session().SampleCount, 2);
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
        instrument.send("T20.0\r\nH50.0\r\nT21.0\r\n");
        QVERIFY(waitUntil([&] { return form.Label5->text().contains(QStringLiteral("21")); }));
        form.close();

        const QList<QStringList> recorded = rows(path);
        // The transfer's readings carry the interval reported before them.
        const QList<QStringList> expected = {
            {"25.3", "60.1", "0", "live", ""}, {"-5.2", "100", "1", "live", ""},
            {"19.5", "", "2", "live", ""},     {"-15.2", "102.5", "2", "logged", "PT15M"},
            {"20", "50", "3", "live", ""},     {"21", "", "4", "live", ""},
        };
        QCOMPARE(recorded.size(), expected.size());
        static const QRegularExpression sheet(
            QStringLiteral("^\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d$"));
        for (qsizetype i = 0; i < recorded.size(); ++i) {
            QVERIFY2(sheet.match(recorded[i].first()).hasMatch(), qPrintable(recorded[i].first()));
            QCOMPARE(readings(recorded[i]), expected[i]);
        }
        const RecordingFile file = readRecording(path);
        QCOMPARE(file.problems, QStringList());
        QCOMPARE(file.runs.size(), 1u);
        QCOMPARE(file.runs.front().samples.size(), std::size_t(expected.size()));
    }
};

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    TestRecording test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_recording.moc"
