#include "chart/chart_grid.h"
#include "chart/chart_plot.h"
#include "chart/picture_box.h"

#include <QFontMetrics>
#include <QPainter>
#include <QTest>

namespace {

const QRgb Green = qRgb(0, 128, 0);
const QRgb LightGreen = qRgb(0, 255, 0);
const QRect Frame(QPoint(50, 10), QPoint(500, 315));
const int RowLineY[] = {39, 66, 94, 122, 150, 177, 205, 233, 261, 288};
const int ColumnLineX[] = {96, 141, 186, 231, 276, 321, 366, 411, 456};

struct Caption {
    QString text;
    int x;
    int y;
};

// Every text of the chart at the pixel where its top-left corner belongs.
QList<Caption> captions(int lineHeight)
{
    QList<Caption> all = {{"-10", 28, 307}, {" 100", 25, 5}, {" 100", 503, 5}};
    const int numberY[] = {33, 60, 88, 116, 144, 171, 199, 227, 255, 282};
    for (int row = 1; row <= 10; ++row) {
        const QString number = u' ' + QString::number(100 - 10 * row);
        all.append({number, row == 10 ? 36 : 30, numberY[row - 1]});
        all.append({number, row == 10 ? 516 : 510, numberY[row - 1]});
    }
    const QString left[] = {"温", "度", "℃"};
    const QString right[] = {"湿", "度", "％"};
    const int line[] = {0, 1, 3};
    for (int i = 0; i < 3; ++i) {
        all.append({left[i], 8, 130 + line[i] * lineHeight});
        all.append({right[i], 533, 130 + line[i] * lineHeight});
    }
    return all;
}

} // namespace

class TestChartGrid : public QObject {
    Q_OBJECT

    PictureBox picture;

    QRgb at(int x, int y) const { return picture.image().pixel(x, y); }
    QRgb background() const { return picture.palette().color(QPalette::Base).rgb(); }

private slots:
    // A face whose numbers fit between their places and the frame, as the layout expects.
    void initTestCase() { picture.setFont(QFont(QStringLiteral("IPAGothic"), 9)); }

    void init() { DrawChartGrid(picture); }

    void turnsRetainedDrawingOn() { QVERIFY(picture.AutoRedraw()); }

    void frameEdges()
    {
        for (int x = 50; x <= 500; ++x) {
            QCOMPARE(at(x, 10), Green);
            const bool column = std::find(std::begin(ColumnLineX), std::end(ColumnLineX), x) !=
                                std::end(ColumnLineX);
            QCOMPARE(at(x, 315), column ? LightGreen : Green);
            QCOMPARE(at(x, 9), background());
            QCOMPARE(at(x, 316), background());
        }
        for (int y = 10; y <= 315; ++y) {
            QCOMPARE(at(50, y), Green);
            const bool row = std::find(std::begin(RowLineY), std::end(RowLineY) - 1, y) !=
                             std::end(RowLineY) - 1;
            QCOMPARE(at(500, y), row ? LightGreen : Green);
            QCOMPARE(at(49, y), background());
            QCOMPARE(at(501, y), background());
        }
    }

    void rowLines_data()
    {
        QTest::addColumn<int>("y");
        QTest::addColumn<QRgb>("colour");

        for (int row = 1; row <= 10; ++row) {
            QTest::addRow("row %d", row) << RowLineY[row - 1] << (row == 10 ? Green : LightGreen);
        }
    }

    void rowLines()
    {
        QFETCH(int, y);
        QFETCH(QRgb, colour);
        for (int x = 51; x <= 500; ++x)
            QCOMPARE(at(x, y), colour);
        QCOMPARE(at(50, y), Green);
        QCOMPARE(at(501, y), background());
        QCOMPARE(at(70, y - 1), background());
        QCOMPARE(at(70, y + 1), background());
    }

    void columnLines_data()
    {
        QTest::addColumn<int>("x");
        for (const int x : ColumnLineX)
            QTest::addRow("x %d", x) << x;
    }

    void columnLines()
    {
        QFETCH(int, x);
        for (int y = 11; y <= 315; ++y)
            QCOMPARE(at(x, y), y == 288 ? Green : LightGreen);
        QCOMPARE(at(x, 10), Green);
        QCOMPARE(at(x - 1, 20), background());
        QCOMPARE(at(x + 1, 20), background());
    }

    void noColumnLinesAtTheFrameEdges()
    {
        for (int y = 11; y < 315; ++y) {
            const bool row =
                std::find(std::begin(RowLineY), std::end(RowLineY), y) != std::end(RowLineY);
            const QRgb expected = !row ? background() : y == 288 ? Green : LightGreen;
            QCOMPARE(at(51, y), expected);
            QCOMPARE(at(499, y), expected);
        }
    }

    // Outside the frame the picture holds exactly the numbers and the axis titles,
    // each at its own place.
    void textsOutsideTheFrame()
    {
        QImage expected(picture.image().size(), QImage::Format_RGB32);
        expected.fill(background());
        QPainter painter(&expected);
        painter.setFont(picture.font());
        painter.setPen(picture.palette().color(QPalette::Text));
        const QFontMetrics metrics(picture.font(), &expected);
        for (const Caption &caption : captions(metrics.lineSpacing()))
            painter.drawText(caption.x, caption.y + metrics.ascent(), caption.text);
        painter.end();
        for (int y = 0; y < expected.height(); ++y) {
            for (int x = 0; x < expected.width(); ++x) {
                if (Frame.contains(x, y))
                    continue;
                if (at(x, y) != expected.pixel(x, y))
                    QFAIL(qPrintable(QStringLiteral("text differs at %1, %2").arg(x).arg(y)));
            }
        }
    }

    void redrawingClearsTheTraces()
    {
        const QImage empty = picture.image();
        PlotTraceSegment(picture, Trace::Temperature, 25, 20, 3, 7.5f);
        PlotTraceSegment(picture, Trace::Humidity, 60, 55, 3, 7.5f);
        QVERIFY(picture.image() != empty);
        picture.setCurrentX(77);
        DrawChartGrid(picture);
        QCOMPARE(picture.image(), empty);
    }
};

QTEST_MAIN(TestChartGrid)
#include "tst_chart_grid.moc"
