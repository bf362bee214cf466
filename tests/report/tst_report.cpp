#include "chart/chart_font.h"
#include "chart/chart_plot.h"
#include "chart/picture_box.h"
#include "chart_pointer.h"
#include "desk.h"
#include "menu_item.h"
#include "pdf_reading.h"
#include "replay/run_drawing.h"
#include "report/chart_picture.h"
#include "report/chart_vectors.h"
#include "small_recording.h"
#include "views/pointer_readout.h"
#include "window/operator_menu.h"
#include "window/picture_items.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Reading {
    float temperature;
    float humidity;
};

// Six logged hourly samples: temperature 18.5 to 26.1 (mean 22.10), humidity 41.2 to 70.0
// (mean 55.20).
const std::vector<Reading> Readings = {{20.0f, 70.0f}, {18.5f, 62.3f}, {22.4f, 55.0f},
                                       {26.1f, 41.2f}, {24.5f, 48.8f}, {21.1f, 53.9f}};

void feed(RunReadings &run)
{
    const QDateTime start(QDate(2026, 12, 9), QTime(16, 31));
    run.begin({protocol::Mode::Memory, 1, protocol::Unit::Hours, QStringLiteral("24")}, start);
    const ReadingOrigin logged{true, 1, protocol::Unit::Hours};
    for (std::int32_t k = 0; k < std::int32_t(Readings.size()); ++k) {
        const QDateTime time = start.addSecs(3600 * k);
        run.add(Trace::Temperature, Readings[k].temperature, k, time, logged);
        run.add(Trace::Humidity, Readings[k].humidity, k, time, logged);
    }
    run.finish();
}

int countPixels(const QImage &page, QRgb colour)
{
    int count = 0;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            count += page.pixel(x, y) == colour;
    return count;
}

} // namespace

class TestReport : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        feed(run_);
        chart_.setFont(chartFont());
        drawRun(chart_, run_.settings(), run_.samples());
        QString error;
        const ReportSubject subject{run_.settings(),
                                    run_.start(),
                                    run_.samples(),
                                    false,
                                    chart_.drawingLog(),
                                    QStringLiteral("/dev/ttyUSB7"),
                                    QString(),
                                    QStringLiteral("9.8.7"),
                                    false};
        QVERIFY2(writeReport(subject, pdf_, &error), qPrintable(error));
    }

    // Poppler's tools are Linux programs, out of the Windows build's reach under Wine.
    void init()
    {
#ifdef Q_OS_WIN
        if (QByteArray(QTest::currentTestFunction()).startsWith("report"))
            QSKIP("no Poppler here");
#endif
    }

    // The picture holds the chart's pixels and its status line, at the screen's ratio, but
    // not what is laid over the chart; the menu copies it, and it reads back from its PNG the
    // same.
    void chartPictureIsTheChartAsShown()
    {
        Desk desk;
        feed(desk.form.readings);
        drawRun(*desk.form.Picture1, desk.form.readings.settings(), desk.form.readings.samples());
        desk.form.Label7->setText(QStringLiteral("開始 ： OK !"));
        QVERIFY(QTest::qWaitForWindowExposed(&desk.form));
        // The pointer over the third sample: its marker stands over the chart.
        movePointer(*desk.form.Picture1, QPoint(88, 150));
        const QWidget &marker = desk.form.Picture1->findChild<views::PointerReadout *>()->marker();
        QVERIFY(marker.isVisible());

        const QImage picture = shownChart(desk.form);
        QMenu menu;
        desk.form.menu()->fill(menu);
        QAction *copy = menuItem(menu, QStringLiteral("グラフをコピー(&C)"));
        QVERIFY(copy);
        copy->trigger();
        QCOMPARE(QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32),
                 picture.convertToFormat(QImage::Format_RGB32));
        // Beyond the last sample the marker is gone: the chart as it is without it.
        movePointer(*desk.form.Picture1, QPoint(300, 150));
        QVERIFY(!marker.isVisible());
        const QImage shown = desk.form.Picture1->grab(desk.form.Picture1->contentsRect()).toImage();
        QCOMPARE(picture.devicePixelRatio(), desk.form.devicePixelRatioF());
        QCOMPARE(picture.convertToFormat(QImage::Format_RGB32),
                 shown.convertToFormat(QImage::Format_RGB32));

        const QString path =
            dir_.filePath(runFileName(desk.form.readings.start(), QStringLiteral("png")));
        QVERIFY(path.endsWith(QStringLiteral("tarnwick-2026-12-09-1631.png")));
        QString error;
        QVERIFY2(savePng(picture, path, &error), qPrintable(error));
        QImage saved(path);
        saved.setDevicePixelRatio(picture.devicePixelRatio());
        QCOMPARE(saved.convertToFormat(QImage::Format_RGB32),
                 picture.convertToFormat(QImage::Format_RGB32));
    }

    // An opened recording's report names the file, and no port.
    void openedRecordingIsNamedInTheReport()
    {
        Desk desk;
        const QString path = dir_.filePath(QStringLiteral("opened.csv"));
        QVERIFY(writeSmallRecording(path) && desk.form.viewing.open(path));
        const ReportSubject subject = reportSubject(desk.form);
        QCOMPARE(subject.recordingPath, QDir::toNativeSeparators(path));
        QCOMPARE(subject.port, QString());
        QVERIFY(subject.fromRecording);
        QCOMPARE(subject.samples.size(), 2u);
    }

    void aFileThatCannotBeWrittenIsRefused()
    {
        const QString nowhere = dir_.filePath(QStringLiteral("missing/folder/out"));
        QString pngError;
        QString pdfError;
        QVERIFY(!savePng(QImage(4, 4, QImage::Format_RGB32), nowhere, &pngError));
        QVERIFY(!writeReport(
            {run_.settings(), {}, run_.samples(), false, chart_.drawingLog(), {}, {}, {}, false},
            nowhere, &pdfError));
        QVERIFY(!pngError.isEmpty() && !pdfError.isEmpty());
        QVERIFY(!QFileInfo::exists(nowhere));
    }

    // Each row is a line of the page: what it must hold, in order.
    void reportSaysTheRun_data()
    {
        QTest::addColumn<QString>("line");
        QTest::newRow("title") << "測定レポート";
        QTest::newRow("start and origin") << "開始：2026-12-09 16:31:00 +受信（機器のメモリ）";
        QTest::newRow("temperature") << "温度 ℃ +18.5 +2026-12-09 17:31:00 +26.1 +2026-12-09 "
                                        "19:31:00 +22.10 +6";
        QTest::newRow("humidity") << "湿度 %RH +41.2 +2026-12-09 19:31:00 +70 +2026-12-09 "
                                     "16:31:00 +55.20 +6";
        // Magnus: 18.5 ℃ at 62.3 %RH gives 11.2 ℃, 20 ℃ at 70 %RH 14.4 ℃.
        QTest::newRow("dew point") << "露点 ℃ +11.2 +2026-12-09 17:31:00 +14.4 +2026-12-09 "
                                      "16:31:00 +12.5 +6";
        QTest::newRow("times") << "最初の読み取り：2026-12-09 16:31:00 +最後の読み取り：2026-12-09 "
                                  "21:31:00";
        QTest::newRow("settings") << "モード：メモリ +測定間隔：1 時毎 +測定時間：24 時間";
        QTest::newRow("port") << "ポート：/dev/ttyUSB7";
        QTest::newRow("version") << "Tarnwick 9.8.7";
    }

    void reportSaysTheRun()
    {
        QFETCH(QString, line);
        const QString text = pdfText(pdf_);
        QVERIFY2(text.contains(QRegularExpression(line)), qPrintable(text));
    }

    void reportEmbedsItsFonts()
    {
        const QString fonts = pdfFonts(pdf_);
        QVERIFY2(fonts.contains(QStringLiteral("IPA")), qPrintable(fonts));
        // The columns end: embedded, subset, Unicode map, object number and generation.
        const QRegularExpression embedded(QStringLiteral(" (\\w+) +\\w+ +\\w+ +\\d+ +\\d+$"));
        for (const QString &font : fonts.split(u'\n', Qt::SkipEmptyParts))
            QCOMPARE(embedded.match(font).captured(1), QStringLiteral("yes"));
    }

    // The traces in their colours, and the chart's frame, drawn on the page.
    void reportDrawsTheChart()
    {
        const QImage page = pdfFirstPage(pdf_, 100).convertToFormat(QImage::Format_RGB32);
        QVERIFY(!page.isNull());
        QVERIFY(countPixels(page, qRgb(255, 0, 0)) > 100);
        QVERIFY(countPixels(page, qRgb(0, 0, 255)) > 100);
        QVERIFY(countPixels(page, qRgb(0, 128, 0)) > 500);
    }

    // A one-sample peak among thousands of samples to a pixel stays on the chart.
    void aPeakAmongThousandsIsDrawn()
    {
        DrawingLog log;
        log.clear(qRgb(255, 255, 255));
        constexpr int Segments = 30000;
        const auto y = [](int k) { return k == Segments / 2 + 3 ? 20.0f : 200.0f; };
        for (int k = 1; k <= Segments; ++k)
            log.add({50 + (k - 1) * 450.0f / Segments, y(k - 1), 50 + k * 450.0f / Segments, y(k),
                     qRgb(255, 0, 0)});
        QImage image(PictureBox::InnerWidth * 4, PictureBox::InnerHeight * 4, QImage::Format_RGB32);
        QPainter painter(&image);
        paintChart(painter, log, image.rect());
        painter.end();
        int top = image.height();
        for (int row = image.height() - 1; row >= 0; --row)
            for (int x = 0; x < image.width(); ++x)
                top = qRed(image.pixel(x, row)) > 200 && qGreen(image.pixel(x, row)) < 100 ? row
                                                                                           : top;
        QVERIFY2(std::abs(top - 80) <= 4, qPrintable(QString::number(top)));
    }

private:
    QTemporaryDir dir_;
    QString pdf_ = dir_.filePath(QStringLiteral("report.pdf"));
    RunReadings run_;
    PictureBox chart_;
};

QTEST_MAIN(TestReport)
#include "tst_report.moc"
