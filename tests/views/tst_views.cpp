#include "chart/picture_box.h"
#include "chart_pointer.h"
#include "desk.h"
#include "device/caption_text.h"
#include "emulator/wire_encoding.h"
#include "menu_item.h"
#include "reading_pairs.h"
#include "views/figures_window.h"
#include "views/pointer_readout.h"
#include "views/readout_text.h"
#include "wait.h"
#include "window/operator_menu.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QPaintEvent>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QToolTip>

namespace {

// Three samples 7.5 pixels apart at x = 50, 57.5 and 65, the last without its humidity.
const QList<ReadingPair> Pairs = {{25, 60}, {20.5, 55}, {-5.2, std::nullopt}};

views::PointerReadout &readout(Desk &desk)
{
    return *desk.form.Picture1->findChild<views::PointerReadout *>();
}

// The pointer moved to chart pixel (x, 150).
void pointAt(Desk &desk, int x)
{
    movePointer(*desk.form.Picture1, QPoint(x, 150));
}

// The total area of what the chart repaints while it lives.
struct RepaintedArea : QObject {
    explicit RepaintedArea(QWidget &widget) { widget.installEventFilter(this); }
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            for (const QRect &rect : static_cast<QPaintEvent *>(event)->region())
                area += rect.width() * rect.height();
        return false;
    }
    int area = 0;
};

} // namespace

class TestViews : public QObject {
    Q_OBJECT

private slots:
    void readoutNamesTheNearestSample_data()
    {
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("position"); // -1: nothing shows
        QTest::addColumn<QString>("text"); // after the time's line
        const QString first = "温度 ： 25 ℃\n湿度 ： 60 %RH\n露点 ： 16.7 ℃\n測定（ライブ）";
        const QString last = "温度 ： -5.2 ℃\n湿度 ： ―\n露点 ： ―\n測定（ライブ）";
        QTest::newRow("left of the first") << 47 << -1 << QString();
        QTest::newRow("a hand's aim before it") << 48 << 0 << first;
        QTest::newRow("nearer the second")
            << 54 << 1 << "温度 ： 20.5 ℃\n湿度 ： 55 %RH\n露点 ： 11.1 ℃\n測定（ライブ）";
        QTest::newRow("the last, without humidity") << 66 << 2 << last;
        QTest::newRow("a hand's aim past it") << 67 << 2 << last;
        QTest::newRow("beyond the last sample") << 68 << -1 << QString();
    }

    void readoutNamesTheNearestSample()
    {
        QFETCH(int, x);
        QFETCH(int, position);
        QFETCH(QString, text);
        ScriptedDesk desk;
        desk.measure();
        QVERIFY(sendReadingsApart(desk, Pairs));
        pointAt(desk, 100); // beyond the last: the marker's place is not left over
        pointAt(desk, x);
        const QWidget &marker = readout(desk).marker();
        QCOMPARE(readout(desk).shown().value_or(-1), position);
        QCOMPARE(marker.isVisible(), position >= 0);
        if (position < 0) {
            QVERIFY(desk.form.Picture1->accessibleDescription().isEmpty());
            return;
        }
        const Sample &sample = desk.form.readings.samples().at(std::size_t(position));
        text = caption::TimePrefix + views::timeText(sample.time) + "\n" + text;
        QCOMPARE(QToolTip::text(), text);
        QCOMPARE(desk.form.Picture1->accessibleDescription(), text);
        QCOMPARE(marker.x() - desk.form.Picture1->innerOrigin().x(), qRound(50 + 7.5 * position));
    }

    // Readings fetched from the instrument's log say so, with the interval it reported.
    void readoutTellsLoggedReadings()
    {
        ScriptedDesk desk;
        desk.measure();
        desk.instrument.send(wire::loggingReport(10, protocol::Unit::Minutes));
        QVERIFY(sendReadings(desk, {{25, 60}}));
        pointAt(desk, 50);
        QVERIFY(QToolTip::text().endsWith(QStringLiteral("\n受信した記録（10分毎）")));
    }

    // With the chart focused, the arrow keys step through the samples from the last one.
    void arrowKeysStepThroughTheSamples()
    {
        ScriptedDesk desk;
        desk.measure();
        QVERIFY(sendReadingsApart(desk, Pairs));
        desk.form.Picture1->setFocus();
        QList<qsizetype> shown;
        for (Qt::Key key :
             {Qt::Key_Left, Qt::Key_Left, Qt::Key_Left, Qt::Key_Left, Qt::Key_Right}) {
            QTest::keyClick(desk.form.Picture1, key);
            shown << readout(desk).shown().value_or(-1);
        }
        QCOMPARE(shown, (QList<qsizetype>{2, 1, 0, 0, 1}));
        QVERIFY(QToolTip::text().contains(QStringLiteral("温度 ： 20.5 ℃")));
        desk.form.Command2->setFocus(); // Stop: enabled during the run
        QVERIFY(!readout(desk).shown());
    }

    void nothingShowsOnAnEmptyChart()
    {
        ScriptedDesk desk;
        for (int x : {0, 50, 300})
            pointAt(desk, x);
        QVERIFY(!readout(desk).shown());
        QVERIFY(!readout(desk).marker().isVisible());
    }

    // The marker stands over the chart: the retained image stays the chart's own drawing,
    // and moving it repaints two thin columns, not the chart.
    void theMarkerIsDrawnOverTheChart()
    {
        ScriptedDesk desk;
        desk.measure();
        QVERIFY(sendReadingsApart(desk, Pairs));
        settle();
        const QImage before = desk.form.Picture1->image();
        RepaintedArea repainted(*desk.form.Picture1);
        pointAt(desk, 50);
        pointAt(desk, 65);
        settle();
        QVERIFY(readout(desk).marker().isVisible());
        QCOMPARE(desk.form.Picture1->image(), before);
        QVERIFY2(repainted.area <= 4 * readout(desk).marker().height(),
                 qPrintable(QString::number(repainted.area)));
        const QPoint onMarker = readout(desk).marker().geometry().center();
        QVERIFY(desk.form.Picture1->grab().toImage().pixel(onMarker) !=
                before.pixel(onMarker - desk.form.Picture1->innerOrigin()));
    }

    // The menu opens one window of figures, which follows the run and copies as
    // tab-separated cells.
    void figuresWindowFollowsTheRunAndCopies()
    {
        ScriptedDesk desk;
        desk.measure();
        QVERIFY(sendReadingsApart(desk, Pairs.mid(0, 2)));
        for (int open = 0; open < 2; ++open) {
            QMenu menu;
            desk.form.menu()->fill(menu);
            QAction *item = menuItem(menu, QStringLiteral("統計(&S)..."));
            QVERIFY(item);
            item->trigger();
        }
        const QList<views::FiguresWindow *> windows =
            desk.form.findChildren<views::FiguresWindow *>();
        QCOMPARE(windows.size(), 1);
        QVERIFY(windows.front()->isVisible());
        const QTableWidget *table = windows.front()->findChild<QTableWidget *>();
        QCOMPARE(table->item(0, 5)->text(), QStringLiteral("2"));

        QVERIFY(sendReadingsApart(desk, Pairs.mid(2)));
        QVERIFY(waitUntil([&] { return table->item(0, 5)->text() == QStringLiteral("3"); }));
        QTest::keyClick(windows.front(), Qt::Key_C, Qt::ControlModifier);
        const std::vector<Sample> &samples = desk.form.readings.samples();
        const QString t0 = views::timeText(samples[0].time), t1 = views::timeText(samples[1].time),
                      t2 = views::timeText(samples[2].time);
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 QStringList({"最初の時刻\t" + t0, "最後の時刻\t" + t2, "測定間隔\t1分毎",
                              "測定時間\t1 時間", "データ\t測定（ライブ）", "",
                              "\t最小\t最小の時刻\t最大\t最大の時刻\t平均\t個数",
                              "温度 (℃)\t-5.2\t" + t2 + "\t25\t" + t0 + "\t13.43\t3",
                              "湿度 (%RH)\t55\t" + t1 + "\t60\t" + t0 + "\t57.5\t2",
                              "露点 (℃)\t11.1\t" + t1 + "\t16.7\t" + t0 + "\t13.92\t2", ""})
                     .join('\n'));
    }
};

QTEST_MAIN(TestViews)
#include "tst_views.moc"
