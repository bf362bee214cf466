#include "record/csv_records.h"
#include "record/recorded_runs.h"
#include "record/recording_layout.h"
#include "record/recording_reader.h"
#include "recording_text.h"

#include <QTemporaryDir>
#include <QTest>

using recording::Layout;

namespace {

const QByteArray Bom = recording::ByteOrderMark;
const QByteArray Samples = recording::header(Layout::Samples);
const QByteArray Readings = recording::header(Layout::Readings);
const QByteArray Earlier = recording::header(Layout::EarlierReadings);

// A row of the sample layout on 2026-12-09 at +09:00: its time of day, then its fields from
// the temperature to the link note, the run's start standing in for "@".
QByteArray sampleRow(const char *time, QByteArray fields, const char *start = "16:30:00")
{
    const QByteArray day = "2026-12-09";
    fields.replace('@', day + 'T' + start + "+09:00");
    return day + ' ' + time + ',' + fields.replace("#", day + 'T' + time + "+09:00") + "\r\n";
}

// A row of the reading layouts on the same day.
QByteArray readingRow(const char *time, const QByteArray &fields)
{
    return "2026-12-09T" + QByteArray(time) + "+09:00," + fields + "\r\n";
}

const QByteArray Run = sampleRow("16:31:23", "25.3,60.1,#,0,live,,send,PT10M,2,@,") +
                       sampleRow("16:41:23", "25.4,,#,1,live,,send,PT10M,2,@,") +
                       sampleRow("16:45:00", ",,#,,,,send,PT10M,2,@,\"lost: gone, for now\"") +
                       sampleRow("16:51:23", ",60.2,#,2,logged,PT15M,memory,PT15M,3,@,");
const QStringList RunText = {"run 2026-12-09T16:30:00+09:00 memory PT15M 3h",
                             "16:31:23 #0 25.3/60.1 live", "16:41:23 #1 25.4/- live",
                             "16:45:00 lost: gone, for now, after 2",
                             "16:51:23 #2 -/60.2 logged PT15M"};

RecordingFile readFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return {.runs = {}, .problems = {}, .error = QStringLiteral("test file not written")};
    file.close();
    return readRecording(path);
}

} // namespace

class TestRecordingReader : public QObject {
    Q_OBJECT

private slots:
    void layoutsAreRead_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("text");

        QTest::newRow("samples") << Bom + Samples + Run << RunText;
        QByteArray lf = Samples + Run;
        QTest::newRow("LF alone, no mark") << lf.replace("\r\n", "\n") << RunText;
        QTest::newRow("two runs, told by their start")
            << Bom + Samples + Run +
                   sampleRow("17:00:00", "20,50,#,0,live,,send,PT1M,1,@,", "17:00:00")
            << RunText + QStringList{"run 2026-12-09T17:00:00+09:00 send PT1M 1h",
                                     "17:00:00 #0 20/50 live"};
        QTest::newRow("two runs, told by the sample number going back")
            << Samples + sampleRow("16:31:23", "1,2,#,5,live,,send,PT1M,1,@,") +
                   sampleRow("16:31:23", "3,4,#,0,live,,send,PT1M,1,@,")
            << QStringList{"run 2026-12-09T16:30:00+09:00 send PT1M 1h", "16:31:23 #5 1/2 live",
                           "run 2026-12-09T16:30:00+09:00 send PT1M 1h", "16:31:23 #0 3/4 live"};
        // The interval from the logged readings, the span the fewest hours that hold #7.
        QTest::newRow("seven columns")
            << Bom + Readings + readingRow("16:31:23", "0,temperature,25.3,°C,live,") +
                   readingRow("16:31:24", "0,humidity,60.1,%RH,live,") +
                   readingRow("16:31:25", "7,temperature,-5.2,°C,logged,PT15M") +
                   readingRow("16:31:25", "7,temperature,-5.3,°C,logged,PT15M")
            << QStringList{"run 2026-12-09T16:31:23+09:00 send PT15M 2h, assumed",
                           "16:31:23 #0 25.3/60.1 live", "16:31:25 #7 -5.2/- logged PT15M",
                           "16:31:25 #7 -5.3/- logged PT15M"};
        // The interval from the typical time between samples, 2 h; a new run where the
        // sample number goes back.
        QTest::newRow("five columns")
            << Earlier + readingRow("10:00:00", "0,temperature,20,°C") +
                   readingRow("10:00:01", "0,humidity,50,%RH") +
                   readingRow("12:00:00", "1,humidity,51,%RH") +
                   readingRow("14:01:00", "2,temperature,21,°C") +
                   readingRow("15:00:00", "0,temperature,22,°C")
            << QStringList{"run 2026-12-09T10:00:00+09:00 send PT2H 6h, assumed",
                           "10:00:00 #0 20/50 live",
                           "12:00:00 #1 -/51 live",
                           "14:01:00 #2 21/- live",
                           "run 2026-12-09T15:00:00+09:00 send PT1M 1h, assumed",
                           "15:00:00 #0 22/- live"};
        QTest::newRow("a recording of another layout appended whole")
            << Earlier + readingRow("10:00:00", "0,temperature,20,°C") + Bom + Samples + Run
            << QStringList{"run 2026-12-09T10:00:00+09:00 send PT1M 1h, assumed",
                           "10:00:00 #0 20/- live"} +
                   RunText;
    }

    void layoutsAreRead()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, text);
        const RecordingFile file = parseRecording(bytes);
        QCOMPARE(file.error, QString());
        QCOMPARE(file.problems, QStringList());
        QCOMPARE(recordingText(file), text);
    }

    // Nothing crashes, the sound rows are kept, and what was left out is told by line.
    void badFilesAreToldAndTheirSoundRowsKept_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("error");
        QTest::addColumn<int>("samples");
        QTest::addColumn<QStringList>("problems");

        const QByteArray good = sampleRow("16:31:23", "25.3,60.1,#,0,live,,send,PT10M,2,@,");
        const auto row = [](const char *fields) { return sampleRow("16:31:24", fields); };
        QTest::newRow("empty") << QByteArray() << "the file is empty" << 0 << QStringList();
        QTest::newRow("not a recording")
            << QByteArray("\x89PNG\r\n\x1A\n\0\0", 10)
            << "not a recording: its first line is no recording's header" << 0 << QStringList();
        QTest::newRow("header alone")
            << Bom + Samples << "the recording holds no readings" << 0 << QStringList();
        QTest::newRow("last line unfinished, as while recording")
            << Samples + good + good.left(30) << QString() << 1
            << QStringList{"line 3: unfinished, perhaps still being recorded: read up to the "
                           "line before"};
        QTest::newRow("corrupted rows")
            << Samples + good + row("x,60,#,1,live,,send,PT10M,2,@,") +
                   row("25,60,#,-1,live,,send,PT10M,2,@,") + row("25,60,#,1,live,,send,PT0M,2,@,") +
                   row("25,60,#,1,soon,,send,PT10M,2,@,") + row(",,#,1,live,,send,PT10M,2,@,") +
                   row("25,60,#,1,live,,send,PT10M,2,@,broken") + "\x01\xFF,,\r\n" +
                   row("25,60,2026-13-09T16:31:24+09:00,1,live,,send,PT10M,2,@,") + "\r\n" + good
            << QString() << 2
            << QStringList{"line 3: unreadable temperature",
                           "line 4: unreadable sample number",
                           "line 5: unreadable interval",
                           "line 6: unknown origin or log interval",
                           "line 7: neither temperature nor humidity",
                           "line 8: unknown link note",
                           "line 9: 3 fields, not 12",
                           "line 10: unreadable time"};
        QTest::newRow("a row too long, a quote left open")
            << Samples + QByteArray(CsvRecords::MaxRecord + 1, 'x') + "\n" + good + "\"" + good
            << QString() << 1
            << QStringList{"line 2: too long for a row",
                           "line 4: unfinished, perhaps still being recorded: read up to the "
                           "line before"};
        QByteArray many = Samples;
        for (int i = 0; i < 30; ++i)
            many += "x\r\n";
        QStringList told;
        for (int line = 2; line < 2 + 20; ++line)
            told << QStringLiteral("line %1: 1 fields, not 12").arg(line);
        QTest::newRow("many bad rows")
            << many + good << QString() << 1 << told + QStringList{"10 more rows not read"};
    }

    void badFilesAreToldAndTheirSoundRowsKept()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, error);
        QFETCH(int, samples);
        QFETCH(QStringList, problems);
        const RecordingFile file = parseRecording(bytes);
        QCOMPARE(file.error, error);
        QCOMPARE(file.problems, problems);
        QCOMPARE(file.runs.empty() ? 0 : int(file.runs.back().samples.size()), samples);
    }

    void missingFileIsAnError()
    {
        QTemporaryDir dir;
        const RecordingFile file = readRecording(dir.filePath(QStringLiteral("missing.csv")));
        QVERIFY(!file.error.isEmpty());
        QVERIFY(file.runs.empty());
    }

    // No chart holds more positions than a run keeps; the rest is told.
    void aHugeRunKeepsWhatAChartHolds()
    {
        QTemporaryDir dir;
        QByteArray bytes = Samples;
        const QByteArray row = sampleRow("16:31:23", "25.3,60.1,#,0,live,,send,PT1M,24,@,");
        bytes.reserve(Samples.size() + row.size() * (RecordedRuns::KeptPerRun + 3));
        for (std::size_t i = 0; i < RecordedRuns::KeptPerRun + 3; ++i)
            bytes += row;
        const RecordingFile file = readFile(dir.filePath(QStringLiteral("huge.csv")), bytes);
        QCOMPARE(file.runs.size(), 1u);
        QCOMPARE(file.runs.front().samples.size(), RecordedRuns::KeptPerRun);
        QCOMPARE(file.problems, QStringList{"3 rows after the first 32767 of a run not read "
                                            "(in 1 runs): no chart holds more"});
    }
};

QTEST_APPLESS_MAIN(TestRecordingReader)
#include "tst_recording_reader.moc"
