#include "chart/chart_grid.h"
#include "chart/chart_plot.h"
#include "chart/picture_box.h"
#include "chart/qb_color.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryFile>
#include <QTest>
#include <QWindow>
#include <cmath>

// The chart on a screen whose device pixel ratio QT_SCALE_FACTOR sets, and on a second
// screen of twice that ratio.

namespace {

int device(double v, qreal ratio)
{
    return int(std::floor(v * ratio + 0.5));
}

// The lengths of the stretches of drawn pixels met walking from `from` in steps of `step`.
QList<int> runs(const QImage &image, QPoint from, QPoint step, QRgb background)
{
    QList<int> lengths;
    bool inRun = false;
    for (QPoint p = from; image.rect().contains(p); p += step) {
        if (image.pixel(p) != background && inRun)
            ++lengths.last();
        else if (image.pixel(p) != background)
            lengths.append(1);
        inRun = image.pixel(p) != background;
    }
    return lengths;
}

void showOn(PictureBox &picture, QScreen *screen)
{
    picture.setFont(QFont(QStringLiteral("IPAGothic"), 9));
    picture.winId();
    picture.windowHandle()->setScreen(screen);
    picture.move(screen->geometry().topLeft() + QPoint(50, 50));
    picture.show();
    QVERIFY(QTest::qWaitForWindowExposed(&picture));
    picture.repaint();
}

void drawChart(PictureBox &picture)
{
    DrawChartGrid(picture);
    for (std::int32_t k = 10; k < 60; ++k) // clear of the column at x 70
        PlotTraceSegment(picture, Trace::Temperature, float(k % 7), float((k - 1) % 7), k, 7.5f);
}

} // namespace

class TestChartAtRatio : public QObject {
    Q_OBJECT

    PictureBox picture;

    qreal ratio() const { return picture.ratio(); }
    QRgb background() const { return picture.palette().color(QPalette::Base).rgb(); }

private slots:
    void initTestCase()
    {
        showOn(picture, QGuiApplication::screens().first());
        QVERIFY(ratio() > 1);
        drawChart(picture);
    }

    void linesOfEachKindHaveOneWidthAndTheFrameItsCorners()
    {
        const int width = std::max(1, int(std::lround(ratio())));
        const QImage &image = picture.image();
        const QList<int> rows = runs(image, {device(70, ratio()), 0}, {0, 1}, background());
        const QList<int> columns = runs(image, {0, device(25, ratio())}, {1, 0}, background());
        QCOMPARE(rows, QList<int>(12, width));    // the frame's top and bottom, ten grid lines
        QCOMPARE(columns, QList<int>(11, width)); // the frame's sides, nine grid lines
        for (const QPoint corner :
             {QPoint(50, 10), QPoint(500, 10), QPoint(50, 315), QPoint(500, 315)}) {
            const QPoint at(device(corner.x(), ratio()), device(corner.y(), ratio()));
            QCOMPARE(image.pixel(at), QBColor(2).rgb());
            QCOMPARE(image.pixel(at + QPoint(width - 1, width - 1)), QBColor(2).rgb());
            QCOMPARE(image.pixel(at - QPoint(1, 1)), background());
            QCOMPARE(image.pixel(at + QPoint(width, width)), background());
        }
    }

    // Every device pixel of the inner area shows a pixel of the image; enlarged text would
    // come as blocks of 2 x 2 pixels of one colour.
    void shownOneToOneWithSharpText()
    {
        QImage shown = picture.grab().toImage().convertToFormat(QImage::Format_RGB32);
        shown.setDevicePixelRatio(ratio());
        const QSize inner = QSize(PictureBox::InnerWidth, PictureBox::InnerHeight) * ratio();
        const QPoint origin(device(2, ratio()), device(2, ratio()));
        QCOMPARE(shown.copy(QRect(origin, inner)), picture.image().copy(QRect(QPoint(), inner)));
        if (ratio() != 2)
            return;
        const QImage &image = picture.image();
        int inked = 0;
        int mixed = 0;
        for (int y = 10; y < 34; y += 2) { // the box of the " 100" at the top left
            for (int x = 50; x < 100; x += 2) {
                const QRgb c = image.pixel(x, y);
                const bool one = image.pixel(x + 1, y) == c && image.pixel(x, y + 1) == c &&
                                 image.pixel(x + 1, y + 1) == c;
                inked += !one || c != background();
                mixed += !one;
            }
        }
        QVERIFY(inked > 20);
        QVERIFY2(mixed * 2 > inked, qPrintable(QStringLiteral("%1 of %2").arg(mixed).arg(inked)));
    }

    void movedToAnotherRatioKeepsWhatWasDrawn()
    {
        PictureBox moved;
        showOn(moved, QGuiApplication::screens().first());
        drawChart(moved);
        showOn(moved, QGuiApplication::screens().last());
        QCOMPARE(moved.ratio(), 2 * ratio());
        PictureBox drawnThere;
        showOn(drawnThere, QGuiApplication::screens().last());
        drawChart(drawnThere);
        QCOMPARE(moved.image(), drawnThere.image());
    }
};

int main(int argc, char *argv[])
{
    QTemporaryFile screens(QStringLiteral("screens-XXXXXX.json"));
    if (!screens.open())
        return 1;
    screens.write(R"({"screens": [
        {"name": "first", "x": 0, "y": 0, "width": 1600, "height": 1200, "dpr": 1},
        {"name": "second", "x": 1600, "y": 0, "width": 1600, "height": 1200, "dpr": 2}]})");
    screens.flush();
    // Relative, since a drive letter's colon would end the platform's argument.
    const QString config = QDir::current().relativeFilePath(screens.fileName());
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.toLocal8Bit());
    QApplication app(argc, argv);
    TestChartAtRatio test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_chart_at_ratio.moc"
