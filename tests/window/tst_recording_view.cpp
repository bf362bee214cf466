#include "chart/picture_box.h"
#include "desk.h"
#include "device/caption_text.h"
#include "device/device_protocol.h"
#include "menu_item.h"
#include "recorded_runs.h"
#include "wait.h"
#include "window/operator_menu.h"

#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

// Runs whole and cut short: a temperature without its humidity ends the second.
const QByteArray FirstRun = "T25.3\r\nH60.1\r\nT24.0\r\nH99.9\r\n";
const QByteArray SecondRun = "T-5.2\r\nH40.0\r\nT120.0\r\nH0.5\r\n|T1.0\r\n";

// Two samples in the seven columns recorded before one row held a whole sample.
QByteArray earlierLayoutRun()
{
    return "\xEF\xBB\xBFtime,sample,quantity,value,unit,origin,log_interval\r\n"
           "2026-12-08T14:05:09+09:00,0,temperature,25.3,\xC2\xB0"
           "C,live,\r\n"
           "2026-12-08T14:05:09+09:00,0,humidity,60.1,%RH,live,\r\n"
           "2026-12-08T14:06:09+09:00,1,temperature,24.8,\xC2\xB0"
           "C,live,\r\n"
           "2026-12-08T14:06:09+09:00,1,humidity,61.0,%RH,live,\r\n";
}

QStringList readingLabels(const Form1 &form)
{
    return {form.Label4->text(), form.Label5->text(), form.Label6->text()};
}

QString title(const QString &notice)
{
    return QStringLiteral("Tarnwick(PIC16F88) ― ") + notice;
}

} // namespace

class TestRecordingView : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // A Japanese folder and name, on Windows too.
        QVERIFY(QDir(dir_.path()).mkpath(QStringLiteral("記録")));
        path_ = dir_.filePath(QStringLiteral("記録/温湿度.csv"));
        first_ = measureAndRecord(path_, FirstRun, 2);
        // The runs of a file are told apart by their start, to the second.
        QTest::qWait(1100);
        second_ = measureAndRecord(path_, SecondRun, 3);
    }

    // The last run comes back as it was drawn, without a byte to the instrument or to the
    // file, even when the window records into the file it shows.
    void aRecordedRunOpensAsItWasDrawnLive()
    {
        const QByteArray recorded = fileBytes(path_);
        ScriptedDesk viewer;
        QVERIFY(viewer.form.recording.start(path_));
        QVERIFY(viewer.form.viewing.open(path_));
        QCOMPARE(viewer.form.Picture1->image(), second_.chart);
        QCOMPARE(readingLabels(viewer.form), second_.labels);
        QCOMPARE(viewer.form.Label7->text(), caption::StatusPrefix);
        QCOMPARE(viewer.form.readings.source(), RunReadings::Source::Recording);
        QCOMPARE(viewer.form.readings.samples().size(), 3u);
        settle();
        QCOMPARE(viewer.instrument.received(), QByteArray());
        QVERIFY(!viewer.form.MSComm1.PortOpen());
        viewer.form.recording.stop();
        QCOMPARE(fileBytes(path_), recorded);
    }

    // The menu lists the runs by their start, the shown one checked; another is shown on
    // its pick.
    void theOtherRunsArePickedFromTheMenu()
    {
        Desk viewer;
        QVERIFY(viewer.form.viewing.open(path_));
        QMenu menu;
        viewer.form.menu()->fill(menu);
        QAction *runs = menuItem(menu, QStringLiteral("記録の中の測定(&M)"));
        QVERIFY(runs && runs->menu());
        const QList<QAction *> items = runs->menu()->actions();
        QCOMPARE(items.size(), 2);
        QVERIFY(!items[0]->isChecked() && items[1]->isChecked());
        items[0]->trigger();
        QCOMPARE(viewer.form.Picture1->image(), first_.chart);
        QCOMPARE(readingLabels(viewer.form), first_.labels);
        const QDateTime start = viewer.form.viewing.file().runs[0].start;
        QVERIFY(items[0]->text().startsWith(start.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))));
        QVERIFY2(viewer.form.windowTitle().contains(start.toString(QStringLiteral("HH:mm:ss"))),
                 qPrintable(viewer.form.windowTitle()));
    }

    // Measure leaves the view for a new run; Receive for the live run as it stood, which
    // the transfer goes on from. The live run's rows are not written again.
    void theCommandsLeaveTheView_data()
    {
        QTest::addColumn<bool>("receive");
        QTest::newRow("Measure") << false;
        QTest::newRow("Receive") << true;
    }

    void theCommandsLeaveTheView()
    {
        QFETCH(bool, receive);
        ScriptedDesk desk;
        const QString path = dir_.filePath(QStringLiteral("続き.csv"));
        QVERIFY(desk.form.recording.start(path));
        const LiveEnd live = measureRun(desk, FirstRun, 2);
        const QByteArray recorded = fileBytes(path);
        const QByteArray sent = desk.instrument.received();
        desk.instrument.answer('T', protocol::Acknowledgement);
        QVERIFY(desk.form.viewing.open(path_));
        if (receive)
            desk.form.Command3->click();
        else
            desk.measure();
        QCOMPARE(desk.form.windowTitle(), QStringLiteral("Tarnwick(PIC16F88)"));
        QCOMPARE(desk.form.readings.source(), RunReadings::Source::Instrument);
        QVERIFY(!desk.form.viewing.isShowing());
        QCOMPARE(desk.instrument.received().size(), sent.size() + (receive ? 1 : 4));
        if (receive) {
            QCOMPARE(desk.form.Picture1->image(), live.chart);
            QCOMPARE(readingLabels(desk.form), live.labels);
            QCOMPARE(desk.form.readings.samples().size(), 2u);
        }
        desk.form.recording.stop();
        QCOMPARE(fileBytes(path), recorded);
    }

    // A transfer's readings belong to the live run: no recording is opened while they come.
    void noRecordingOpensDuringATransfer()
    {
        ScriptedDesk desk;
        desk.instrument.answer('T', "L2H\r\n");
        bool offered = true;
        // The menu is looked at inside Receive's wait, once the report has come.
        desk.instrument.onCommand = [&](char) {
            QTimer::singleShot(0, &desk.form, [&] {
                waitUntil([&] { return desk.form.session().Origin.logged; });
                QMenu menu;
                desk.form.menu()->fill(menu);
                offered = menuItem(menu, QStringLiteral("記録を開く(&O)..."))->isEnabled();
                desk.instrument.send(protocol::Acknowledgement);
            });
        };
        desk.form.Command3->click();
        QVERIFY(!offered);
    }

    // What cannot be read is told in the title, the sound rows are shown, and the file stays
    // as it was.
    void badFiles_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("opens");
        QTest::addColumn<int>("samples");
        QTest::addColumn<QString>("notice");

        const QByteArray good = fileBytes(path_);
        QTest::newRow("not a recording")
            << QByteArray("名前,値\r\nA,1\r\n") << false << 0 << "を開けません";
        QTest::newRow("binary") << QByteArray("\x00\xff\x01", 3) << false << 0 << "を開けません";
        QTest::newRow("truncated") << good.first(good.size() - 5) << true << 2 << "読めない行 1";
        QByteArray corrupted = good;
        corrupted.replace(",120,", ",1x0,");
        QTest::newRow("corrupted row") << corrupted << true << 2 << "読めない行";
        QTest::newRow("older layout") << earlierLayoutRun() << true << 2 << "";
    }

    void badFiles()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, opens);
        QFETCH(int, samples);
        QFETCH(QString, notice);
        const QString path = dir_.filePath(QStringLiteral("損傷.csv"));
        QVERIFY(writeFile(path, bytes));
        ScriptedDesk desk;
        const QImage before = desk.form.Picture1->image();
        QCOMPARE(desk.form.viewing.open(path), opens);
        QVERIFY2(desk.form.windowTitle().startsWith(title(QStringLiteral("記録 損傷.csv"))) &&
                     desk.form.windowTitle().contains(notice),
                 qPrintable(desk.form.windowTitle()));
        if (opens)
            QCOMPARE(desk.form.readings.samples().size(), std::size_t(samples));
        else
            QCOMPARE(desk.form.Picture1->image(), before);
        settle();
        QCOMPARE(desk.instrument.received(), QByteArray());
        QCOMPARE(fileBytes(path), bytes);
    }

    void aMissingFileIsSaid()
    {
        Desk desk;
        QVERIFY(!desk.form.viewing.open(dir_.filePath(QStringLiteral("無い.csv"))));
        QVERIFY(desk.form.windowTitle().startsWith(
            title(QStringLiteral("記録 無い.csv を開けません："))));
        QVERIFY(!QFileInfo::exists(dir_.filePath(QStringLiteral("無い.csv"))));
    }

private:
    QTemporaryDir dir_;
    QString path_;
    LiveEnd first_;
    LiveEnd second_;
};

QTEST_MAIN(TestRecordingView)
#include "tst_recording_view.moc"
