#include "record/csv_row.h"
#include "record/reading_recorder.h"
#include "record/recorded_time.h"

#include <QTemporaryDir>
#include <QTest>
#ifndef Q_OS_WIN
#include <csignal>
#include <sys/resource.h>
#endif

namespace {

const QDateTime Time(QDate(2026, 12, 8), QTime(14, 5, 9), Qt::OffsetFromUTC, 9 * 3600);
const QByteArray Stamp = "2026-12-08T14:05:09+09:00";

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A recorded row at Time; the source is UTF-8, and so is "°C" in it.
QByteArray row(const char *fields)
{
    return Stamp + ',' + fields + "\r\n";
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
    }

    void rowsHoldTheReadingsAsShown()
    {
        ReadingRecorder recorder;
        QVERIFY(recorder.open(path_));
        const ReadingOrigin logged{.logged = true, .interval = 15, .unit = protocol::Unit::Minutes};
        recorder.record(Trace::Temperature, 25.3f, 0, Time);
        recorder.record(Trace::Humidity, 60.1f, 0, Time);
        recorder.record(Trace::Temperature, -15.2f, 1, Time, logged);
        recorder.record(Trace::Humidity, 102.5f, 1, Time,
                        {.logged = true, .interval = 32767, .unit = protocol::Unit::Hours});
        recorder.record(Trace::Temperature, 100.0f, 32767, Time);
        QCOMPARE(contents(path_),
                 "\xEF\xBB\xBFtime,sample,quantity,value,unit,origin,log_interval\r\n" +
                     row("0,temperature,25.3,°C,live,") + row("0,humidity,60.1,%RH,live,") +
                     row("1,temperature,-15.2,°C,logged,PT15M") +
                     row("1,humidity,102.5,%RH,logged,PT32767H") +
                     row("32767,temperature,100,°C,live,"));
    }

    // A file keeps the shape of its rows: one begun by an earlier version goes on with the
    // five columns its header names, whatever the origin of the readings.
    void existingFileIsAppendedToWithOneHeader_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("after");

        const QByteArray bom = ReadingRecorder::ByteOrderMark;
        const QByteArray header = bom + ReadingRecorder::Header;
        const QByteArray humidity = row("0,humidity,60.1,%RH,logged,PT2H");
        const QByteArray earlier = ReadingRecorder::EarlierHeader;
        const QByteArray earlierHumidity = row("0,humidity,60.1,%RH");
        QTest::newRow("empty file") << QByteArray() << header + humidity;
        QTest::newRow("earlier recording") << header + humidity << header + humidity + humidity;
        QTest::newRow("last line unfinished") << header + "x,y" << header + "x,y\r\n" + humidity;
        QTest::newRow("earlier version's file")
            << earlier + earlierHumidity << earlier + earlierHumidity + earlierHumidity;
        QTest::newRow("earlier header, saved again with a mark and LF")
            << bom + "time,sample,quantity,value,unit\n"
            << bom + "time,sample,quantity,value,unit\n" + earlierHumidity;
        QTest::newRow("no header") << QByteArray("a,b\r\n") << "a,b\r\n" + humidity;
    }

    void existingFileIsAppendedToWithOneHeader()
    {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        writeFile(path_, before);
        ReadingRecorder recorder;
        QVERIFY(recorder.open(path_));
        recorder.record(Trace::Humidity, 60.1f, 0, Time,
                        {.logged = true, .interval = 2, .unit = protocol::Unit::Hours});
        QCOMPARE(contents(path_), after);
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
        recorder.record(Trace::Temperature, 25.3f, 0, Time);
    }

    // A row that only partly fits is taken back, and the failure is told once per run of
    // failures, so the file stays a clean CSV file when writing works again.
    void failedRowsLeaveNoHalfRow()
    {
        ReadingRecorder recorder;
        QStringList errors;
        recorder.setErrorSink([&](const QString &line) { errors << line; });
        QVERIFY(recorder.open(path_));
        recorder.record(Trace::Temperature, 25.3f, 0, Time);
        const QByteArray good = contents(path_);

#ifdef Q_OS_WIN
        QSKIP("Windows has no file size limit to make the disk seem full");
#else
        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        limitFileSize(rlim_t(good.size()) + 10);
        recorder.record(Trace::Humidity, 60.1f, 0, Time);
        recorder.record(Trace::Temperature, 25.4f, 1, Time);
        setrlimit(RLIMIT_FSIZE, &saved);
        QCOMPARE(contents(path_), good);
        QCOMPARE(errors.size(), 1);
        QVERIFY(errors.first().startsWith(QStringLiteral("tarnwick: cannot record to ") + path_));

        recorder.record(Trace::Humidity, 60.2f, 1, Time);
        QCOMPARE(contents(path_), good + row("1,humidity,60.2,%RH,live,"));
#endif
    }
};

QTEST_APPLESS_MAIN(TestReadingRecorder)
#include "tst_reading_recorder.moc"
