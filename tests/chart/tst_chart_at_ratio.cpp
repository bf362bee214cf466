#include "chart/chart_grid.h"
#include "chart/chart_plot.h"
#include "chart/picture_box.h"
#include "chart/qb_color.h"

#include <QApplication>
#include <QFontMetrics>
#include <QScreen>
#include <QTemporaryFile>
#include <QTest>
#include <QWindow>
#include <cmath>

// The chart on screens whose device pixel ratio is not 1. The ratio comes from
// QT_SCALE_FACTOR; the second screen doubles it, so that a move between screens can be tried.

namespace {

struct Run {
    int start;
    int length;
};

int device(double v, qreal ratio)
{
    return int(std::floor(v * ratio + 0.5));
}

// The stretches of drawn pixels met walking the image from `from` in steps of `step`.
QList<Run> runs(const QImage &image, QPoint from, QPoint step, QRgb background)
{
    QList<Run> found;
    bool inRun = false;
    for (QPoint p = from; image.rect().contains(p); p += step) {
        const int at = p.x() * step.x() + p.y() * step.y();
        if (image.pixel(p) == background)
            inRun = false;
        else if (inRun)
            ++found.last().length;
        else
            found.append({at, 1});
        inRun = image.pixel(p) != background;
    }
    return found;
}

void plotSomeSamples(PictureBox &picture)
{
    for (std::int32_t k = 1; k < 60; ++k)
        PlotTraceSegment(picture, Trace::Temperature, float(20 + k % 7), float(20 + (k - 1) % 7), k,
                         7.5f);
}

} // namespace

class TestChartAtRatio : public QObject {
    Q_OBJECT

    PictureBox picture;

    qreal ratio() const { return picture.ratio(); }
    int lineWidth() const { return std::max(1, int(std::lround(ratio()))); }
    QRgb background() const { return picture.palette().color(QPalette::Base).rgb(); }

    static void showOn(PictureBox &shown, QScreen *screen)
    {
        shown.winId();
        shown.windowHandle()->setScreen(screen);
        shown.move(screen->geometry().topLeft() + QPoint(50, 50));
        shown.show();
        QVERIFY(QTest::qWaitForWindowExposed(&shown));
        shown.repaint();
    }

private slots:
    void initTestCase()
    {
        picture.setFont(QFont(QStringLiteral("IPAGothic"), 9));
        showOn(picture, QGuiApplication::screens().first());
        QVERIFY(ratio() != 1);
        QCOMPARE(ratio(), picture.devicePixelRatioF());
        DrawChartGrid(picture);
    }

    void gridLinesHaveOneWidthEachKind()
    {
        const QImage &image = picture.image();
        const QList<Run> rows = runs(image, {device(70, ratio()), 0}, {0, 1}, background());
        const QList<Run> columns = runs(image, {0, device(25, ratio())}, {1, 0}, background());
        QCOMPARE(rows.size(), 12);    // the frame's top and bottom, the ten grid lines
        QCOMPARE(columns.size(), 11); // the frame's sides, the nine grid lines
        for (const Run &run : rows + columns)
            QCOMPARE(run.length, lineWidth());
    }

    void frameCornersLandOnTheRoundedPositions()
    {
        const QRgb green = QBColor(2).rgb();
        for (const QPoint corner :
             {QPoint(50, 10), QPoint(500, 10), QPoint(50, 315), QPoint(500, 315)}) {
            const QPoint at(device(corner.x(), ratio()), device(corner.y(), ratio()));
            for (int y = 0; y < lineWidth(); ++y) {
                for (int x = 0; x < lineWidth(); ++x)
                    QCOMPARE(picture.image().pixel(at + QPoint(x, y)), green);
            }
            QCOMPARE(picture.image().pixel(at - QPoint(1, 1)), background());
            QCOMPARE(picture.image().pixel(at + QPoint(lineWidth(), lineWidth())), background());
        }
    }

    // Enlarged text would come as blocks of 2 x 2 pixels of one colour.
    void textIsDrawnAtTheDeviceResolution()
    {
        if (ratio() != 2)
            QSKIP("blocks of 2 x 2 pixels tell enlarged text only at ratio 2");
        const QFontMetrics metrics(picture.font(), &picture.image());
        const QRect box(QPoint(25, 5) * 2,
                        QSize(metrics.horizontalAdvance(" 100"), metrics.height()) * 2);
        const QImage shown = picture.grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QPoint origin = picture.innerOrigin() * 2;
        int inked = 0;
        int mixed = 0;
        for (int y = box.top(); y <= box.bottom(); y += 2) {
            for (int x = box.left(); x <= box.right(); x += 2) {
                const QRgb corner = shown.pixel(origin + QPoint(x, y));
                const QRgb others[] = {shown.pixel(origin + QPoint(x + 1, y)),
                                       shown.pixel(origin + QPoint(x, y + 1)),
                                       shown.pixel(origin + QPoint(x + 1, y + 1))};
                const bool same = std::all_of(std::begin(others), std::end(others),
                                              [corner](QRgb other) { return other == corner; });
                inked += !same || corner != background();
                mixed += !same;
            }
        }
        QVERIFY(inked > 20);
        QVERIFY2(mixed * 2 > inked, qPrintable(QStringLiteral("%1 of %2").arg(mixed).arg(inked)));
    }

    // Shown one to one: every device pixel of the inner area is a pixel of the image.
    void shownOneToOne()
    {
        plotSomeSamples(picture);
        QImage shown = picture.grab().toImage().convertToFormat(QImage::Format_RGB32);
        shown.setDevicePixelRatio(ratio());
        const QPoint origin(device(picture.innerOrigin().x(), ratio()),
                            device(picture.innerOrigin().y(), ratio()));
        const QSize inner(int(PictureBox::InnerWidth * ratio()),
                          int(PictureBox::InnerHeight * ratio()));
        QCOMPARE(shown.copy(QRect(origin, inner)), picture.image().copy(QRect(QPoint(), inner)));
        DrawChartGrid(picture);
    }

    void movedToAnotherRatioKeepsWhatWasDrawn()
    {
        PictureBox moved;
        moved.setFont(picture.font());
        showOn(moved, QGuiApplication::screens().first());
        DrawChartGrid(moved);
        plotSomeSamples(moved);
        showOn(moved, QGuiApplication::screens().last());
        QCOMPARE(moved.ratio(), 2 * ratio());

        PictureBox drawnThere;
        drawnThere.setFont(picture.font());
        showOn(drawnThere, QGuiApplication::screens().last());
        DrawChartGrid(drawnThere);
        plotSomeSamples(drawnThere);
        QCOMPARE(moved.image(), drawnThere.image());
    }
};

int main(int argc, char *argv[])
{
    QTemporaryFile screens;
    if (!screens.open())
        return 1;
    screens.write(R"({"screens": [
        {"name": "first", "x": 0, "y": 0, "width": 1600, "height": 1200, "dpr": 1},
        {"name": "second", "x": 1600, "y": 0, "width": 1600, "height": 1200, "dpr": 2}]})");
    screens.flush();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + screens.fileName().toLocal8Bit());
    QApplication app(argc, argv);
    TestChartAtRatio test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_chart_at_ratio.moc"
