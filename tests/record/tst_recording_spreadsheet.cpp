#include "record/reading_recorder.h"
#include "record/recorded_time.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

namespace {

// A cell as the spreadsheet took it: its type ("date", "float", "string", or empty for an
// empty cell) and its value (the date, the number or the text).
struct Cell {
    QString type;
    QString value;
};

Cell cell(const QXmlStreamAttributes &attributes)
{
    const QString type = attributes.value(QStringLiteral("office:value-type")).toString();
    if (type == u"date")
        return {type, attributes.value(QStringLiteral("office:date-value")).toString()};
    if (type == u"float")
        return {type, attributes.value(QStringLiteral("office:value")).toString()};
    return {type, {}};
}

// The rows of the first sheet of a flat OpenDocument spreadsheet.
QList<QList<Cell>> sheetRows(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QList<QList<Cell>> rows;
    QXmlStreamReader xml(&file);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.qualifiedName() == u"table:table-row") {
            rows.append(QList<Cell>());
        } else if (xml.qualifiedName() == u"table:table-cell" && !rows.isEmpty()) {
            const QXmlStreamAttributes attributes = xml.attributes();
            const int repeated = std::max(
                1, attributes.value(QStringLiteral("table:number-columns-repeated")).toInt());
            for (int i = 0; i < repeated; ++i)
                rows.last().append(cell(attributes));
        }
    }
    return rows;
}

// What a spreadsheet must make of a sample's row: the time a date, the readings numbers.
QStringList sheetText(const QList<Cell> &row)
{
    QStringList text;
    for (const Cell &cell : row.mid(0, 3))
        text << cell.type + u' ' + cell.value;
    return text;
}

} // namespace

// A recording opened by LibreOffice Calc, as a Japanese or an American desktop has it.
class TestRecordingSpreadsheet : public QObject {
    Q_OBJECT

    QTemporaryDir profile_; // LibreOffice's own, shared by the rows: it is slow to make

private slots:
    void timesAreDatesAndReadingsNumbers_data()
    {
        QTest::addColumn<QString>("language"); // the import's, as a Windows language number
        QTest::newRow("Japanese") << "1041";
        QTest::newRow("English (USA)") << "1033";
    }

    void timesAreDatesAndReadingsNumbers()
    {
        QFETCH(QString, language);
        const QString office = QStandardPaths::findExecutable(QStringLiteral("soffice"));
        QVERIFY2(!office.isEmpty(), "LibreOffice Calc is missing: scripts/install-deps");
        QTemporaryDir dir;
        const QString csv = dir.filePath(QStringLiteral("readings.csv"));
        const QDateTime start = QDateTime::currentDateTime().addSecs(-60);
        {
            ReadingRecorder recorder;
            QVERIFY(recorder.open(csv));
            RunReadings run;
            recorder.follow(run);
            run.begin({}, start);
            run.add(Trace::Temperature, 25.3f, 0, start, {});
            run.add(Trace::Humidity, 60.1f, 0, start, {});
            run.add(Trace::Temperature, -5.2f, 1, start.addSecs(1), {});
            run.noteLink({.time = start.addSecs(2),
                          .event = LinkNote::Event::Lost,
                          .reason = "gone",
                          .samplesBefore = 0});
            run.add(Trace::Humidity, 100.0f, 2, start.addSecs(3), {});
            run.finish();
        }

        QProcess calc;
        calc.start(office,
                   {"-env:UserInstallation=" + QUrl::fromLocalFile(profile_.path()).toString(),
                    "--headless", "--infilter=CSV:44,34,76,1,," + language, "--convert-to", "fods",
                    "--outdir", dir.path(), csv});
        QVERIFY(calc.waitForFinished(60000));
        QCOMPARE(calc.exitCode(), 0);

        const QList<QList<Cell>> rows = sheetRows(dir.filePath(QStringLiteral("readings.fods")));
        QCOMPARE(rows.size(), 5);
        const auto date = [&](int seconds) {
            return "date " + spreadsheetTime(start.addSecs(seconds)).replace(u' ', u'T');
        };
        QCOMPARE(sheetText(rows[1]), QStringList({date(0), "float 25.3", "float 60.1"}));
        QCOMPARE(sheetText(rows[2]), QStringList({date(1), "float -5.2", " "}));
        QCOMPARE(sheetText(rows[3]), QStringList({date(2), " ", " "}));
        QCOMPARE(sheetText(rows[4]), QStringList({date(3), " ", "float 100"}));
    }
};

QTEST_APPLESS_MAIN(TestRecordingSpreadsheet)
#include "tst_recording_spreadsheet.moc"
