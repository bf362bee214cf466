#include "record/csv_row.h"
#include "record/reading_recorder.h"
#include "record/recorded_time.h"
#include "record/recording_reader.h"
#include "recording_text.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#ifndef Q_OS_WIN
#include <csignal>
#include <sys/resource.h>
#endif

namespace {

using recording::Layout;

const QDateTime Time(QDate(2026, 12, 8), QTime(14, 5, 9), Qt::OffsetFromUTC, 9 * 3600);
const QByteArray Stamp = "2026-12-08T14:05:09+09:00";
const QByteArray SheetStamp = "2026-12-08 14:05:09";
const RunSettings Settings{
    .mode = protocol::Mode::Memory, .interval = 10, .unit = protocol::Unit::Minutes, .span = "2"};
const ReadingOrigin LoggedTwoHours{.logged = true, .interval = 2, .unit = protocol::Unit::Hours};

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A recorded reading's row at Time; the source is UTF-8, and so is "°C" in it.
QByteArray row(const char *fields)
{
    return Stamp + ',' + fields + "\r\n";
}

// A recorded sample's row at Time, of a run begun at Time with Settings.
QByteArray sampleRow(const char *readings, const char *sample, const char *link = "")
{
    return SheetStamp + ',' + readings + ',' + Stamp + ',' + sample + ",memory,PT10M,2," + Stamp +
           ',' + link + "\r\n";
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

#ifndef Q_OS_WIN
// Lets the process write no more than `bytes` into any file, with writes beyond failing
// instead of ending the process.
void limitFileSize(rlim_t bytes)
{
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
}
#endif

} // namespace

class TestReadingRecorder : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;
    QString path_;

private slots:
    void init() { path_ = dir_.filePath(QString::fromLatin1(QTest::currentTestFunction())); }

    void fieldsAreQuotedOnlyWhenTheyMustBe_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("field");

        QTest::newRow("plain") << "25.3"
                               << "25.3";
        QTest::newRow("non-ASCII") << "°C"
                                   << "°C";
        QTest::newRow("comma") << "a,b"
                               << "\"a,b\"";
        QTest::newRow("quote") << "say \"hi\""
                               << "\"say \"\"hi\"\"\"";
        QTest::newRow("line break") << "one\r\ntwo"
                                    << "\"one\r\ntwo\"";
    }

    void fieldsAreQuotedOnlyWhenTheyMustBe()
    {
        QFETCH(QString, text);
        QFETCH(QString, field);
        QCOMPARE(csv::field(text), field);
    }

    // Both forms of a time, and the spreadsheet's without the offset, read back.
    void timeCarriesItsOffset_data()
    {
        QTest::addColumn<QDateTime>("time");
        QTest::addColumn<QString>("text");

        const QDate date(2026, 12, 8);
        const QTime time(14, 5, 9);
        QTest::newRow("east") << Time << QString::fromLatin1(Stamp);
        QTest::newRow("UTC") << QDateTime(date, time, Qt::UTC) << "2026-12-08T14:05:09+00:00";
        QTest::newRow("west, half hour")
            << QDateTime(date, time, Qt::OffsetFromUTC, -(3 * 3600 + 1800))
            << "2026-12-08T14:05:09-03:30";
    }

    void timeCarriesItsOffset()
    {
        QFETCH(QDateTime, time);
        QFETCH(QString, text);
        QCOMPARE(recordedTime(time), text);
        QCOMPARE(spreadsheetTime(time), SheetStamp);
        QCOMPARE(parseRecordedTime(text.toLatin1()), time);
        QCOMPARE(parseRecordedTime(SheetStamp), QDateTime(time.date(), time.time()));
    }

    // A row when a sample takes no more readings, and one for each link note after the
    // samples before it; what is written is in the file at once, and reads back the same.
    void samplesAreWrittenAsTheyFinish()
    {
        ReadingRecorder recorder;
        QVERIFY(recorder.open(path_));
        RunReadings run;
        recorder.follow(run);
        run.begin(Settings, Time);
        const ReadingOrigin logged{.logged = true, .interval = 15, .unit = protocol::Unit::Minutes};
        run.add(Trace::Temperature, 25.3f, 0, Time, {});
        run.add(Trace::Humidity, 60.1f, 0, Time, {});
        run.add(Trace::Temperature, -15.2f, 1, Time, logged);
        run.add(Trace::Humidity, 102.5f, 1, Time,
                {.logged = true, .interval = 32767, .unit = protocol::Unit::Hours});
        run.add(Trace::Temperature, 100.0f, 32767, Time, {});
        run.noteLink({.time = Time,
                      .event = LinkNote::Event::Lost,
                      .reason = "gone, \"unplugged\"",
                      .samplesBefore = 0});
        const QByteArray finished = recording::ByteOrderMark + recording::header(Layout::Samples) +
                                    sampleRow("25.3,60.1", "0,live,") +
                                    sampleRow("-15.2,102.5", "1,logged,PT15M");
        QCOMPARE(contents(path_), finished);
        run.finish();
        run.noteLink(
            {.time = Time, .event = LinkNote::Event::Restored, .reason = {}, .samplesBefore = 0});
        QCOMPARE(contents(path_), finished + sampleRow("100,", "32767,live,") +
                                      sampleRow(",", ",,", "\"lost: gone, \"\"unplugged\"\"\"") +
                                      sampleRow(",", ",,", "restored"));

        const RecordingFile file = readRecording(path_);
        QCOMPARE(file.problems, QStringList());
        QCOMPARE(recordingText(file), runText({.start = Time,
                                               .settings = Settings,
                                               .samples = run.samples(),
                                               .linkNotes = run.linkNotes(),
                                               .assumed = {}}));
    }

    // A file keeps the shape of its rows: one begun by an earlier version goes on in the
    // layout its header names, one row per reading.
    void existingFileIsAppendedToWithOneHeader_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("after");

        const QByteArray bom = recording::ByteOrderMark;
        const QByteArray header = bom + recording::header(Layout::Samples);
        const QByteArray humidity = sampleRow(",60.1", "0,logged,PT2H");
        const QByteArray seven = recording::header(Layout::Readings);
        const QByteArray sevenHumidity = row("0,humidity,60.1,%RH,logged,PT2H");
        const QByteArray five = recording::header(Layout::EarlierReadings);
        const QByteArray fiveHumidity = row("0,humidity,60.1,%RH");
        QTest::newRow("empty file") << QByteArray() << header + humidity;
        QTest::newRow("earlier recording") << header + humidity << header + humidity + humidity;
        QTest::newRow("last line unfinished") << header + "x,y" << header + "x,y\r\n" + humidity;
        QTest::newRow("seven columns' file")
            << bom + seven + sevenHumidity << bom + seven + sevenHumidity + sevenHumidity;
        QTest::newRow("five columns' file")
            << five + fiveHumidity << five + fiveHumidity + fiveHumidity;
        QTest::newRow("five columns' header, saved again with a mark and LF")
            << bom + "time,sample,quantity,value,unit\n"
            << bom + "time,sample,quantity,value,unit\n" + fiveHumidity;
        QTest::newRow("no header") << QByteArray("a,b\r\n") << "a,b\r\n" + humidity;
    }

    void existingFileIsAppendedToWithOneHeader()
    {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        writeFile(path_, before);
        ReadingRecorder recorder;
        QVERIFY(recorder.open(path_));
        RunReadings run;
        recorder.follow(run);
        run.begin(Settings, Time);
        run.add(Trace::Humidity, 60.1f, 0, Time, LoggedTwoHours);
        run.finish();
        QCOMPARE(contents(path_), after);
    }

    // The older layouts get a row for each reading as it completes, not when the sample does.
    void olderLayoutsGetEachReadingAtOnce()
    {
        writeFile(path_, recording::header(Layout::Readings));
        ReadingRecorder recorder;
        QVERIFY(recorder.open(path_));
        RunReadings run;
        recorder.follow(run);
        run.begin(Settings, Time);
        run.add(Trace::Temperature, 25.3f, 4, Time, {});
        QCOMPARE(contents(path_),
                 recording::header(Layout::Readings) + row("4,temperature,25.3,°C,live,"));
        run.add(Trace::Humidity, 60.1f, 4, Time, {});
        run.finish();
        const QList<QByteArray> rows = contents(path_).split('\n');
        QCOMPARE(rows.size(), 4);
        QVERIFY(rows[2].endsWith(",4,humidity,60.1,%RH,live,\r"));
    }

    void unusablePathIsRefused_data()
    {
        QTest::addColumn<QString>("path");

        QTest::newRow("missing folder") << dir_.filePath(QStringLiteral("missing/readings.csv"));
        QTest::newRow("folder") << dir_.path();
        QTest::newRow("full device") << QStringLiteral("/dev/full");
    }

    void unusablePathIsRefused()
    {
        QFETCH(QString, path);
        ReadingRecorder recorder;
        QVERIFY(!recorder.open(path));
        QVERIFY(!recorder.isOpen());
        QVERIFY(!recorder.errorString().isEmpty());
        RunReadings run;
        recorder.follow(run);
        run.add(Trace::Temperature, 25.3f, 0, Time, {});
        run.finish();
    }

    // A row that only partly fits is taken back, and the failure is told once per run of
    // failures, so the file stays a clean CSV file when writing works again.
    void failedRowsLeaveNoHalfRow()
    {
        ReadingRecorder recorder;
        QStringList errors;
        recorder.setErrorSink([&](const QString &line) { errors << line; });
        QVERIFY(recorder.open(path_));
        RunReadings run;
        recorder.follow(run);
        run.begin(Settings, Time);
        run.add(Trace::Temperature, 25.3f, 0, Time, {});
        run.add(Trace::Humidity, 60.1f, 0, Time, {});
        const QByteArray good = contents(path_);

#ifdef Q_OS_WIN
        QSKIP("Windows has no file size limit to make the disk seem full");
#else
        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        limitFileSize(rlim_t(good.size()) + 10);
        run.add(Trace::Temperature, 25.4f, 1, Time, {});
        run.add(Trace::Humidity, 60.2f, 1, Time, {});
        run.add(Trace::Temperature, 25.5f, 2, Time, {});
        run.finish();
        setrlimit(RLIMIT_FSIZE, &saved);
        QCOMPARE(contents(path_), good);
        QCOMPARE(errors.size(), 1);
        QVERIFY(errors.first().startsWith(QStringLiteral("tarnwick: cannot record to ") +
                                          QDir::toNativeSeparators(path_)));

        run.add(Trace::Temperature, 25.6f, 3, Time, {});
        run.finish();
        QCOMPARE(contents(path_), good + sampleRow("25.6,", "3,live,"));
#endif
    }
};

QTEST_APPLESS_MAIN(TestReadingRecorder)
#include "tst_reading_recorder.moc"
