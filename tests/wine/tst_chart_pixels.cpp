#include "chart/picture_box.h"
#include "window/main_window.h"

#include <QImage>
#include <QTest>

namespace {

// Text is black on white, so its ink and the edges it smooths are grey; the grid and the
// traces are coloured.
bool isInk(QRgb pixel, QRgb background)
{
    return pixel != background && qRed(pixel) == qGreen(pixel) && qGreen(pixel) == qBlue(pixel);
}

// Where either picture has text, with a pixel's margin for its smoothed edges over a line.
QImage textMask(const QImage &a, const QImage &b, QRgb background)
{
    QImage mask(a.size(), QImage::Format_Mono);
    mask.fill(0);
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (!isInk(a.pixel(x, y), background) && !isInk(b.pixel(x, y), background))
                continue;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    if (mask.valid(x + dx, y + dy))
                        mask.setPixel(x + dx, y + dy, 1);
        }
    }
    return mask;
}

} // namespace

// The window of the Windows build and of the Linux build, each pictured by tarnwick-screenshot
// after the same simulated run at ratio 1, by the tests before this one.
class TestChartPixels : public QObject {
    Q_OBJECT

private slots:
    void gridAndTracesAreThoseOfTheLinuxBuild()
    {
        const QImage fromLinux =
            QImage(QStringLiteral(LINUX_PICTURE)).convertToFormat(QImage::Format_RGB32);
        const QImage fromWindows =
            QImage(QStringLiteral(WINDOWS_PICTURE)).convertToFormat(QImage::Format_RGB32);
        QVERIFY(!fromLinux.isNull());
        QCOMPARE(fromWindows.size(), fromLinux.size());

        const Form1 form(QStringLiteral("COM1"));
        const PictureBox &picture = *form.Picture1;
        const QRect chart = QRect(picture.pos() + picture.innerOrigin(),
                                  QSize(PictureBox::InnerWidth, PictureBox::InnerHeight))
                                .intersected(fromLinux.rect());
        const QImage a = fromLinux.copy(chart);
        const QImage b = fromWindows.copy(chart);
        const QRgb background = picture.palette().color(QPalette::Base).rgb();
        const QImage text = textMask(a, b, background);
        int lines = 0;
        for (int y = 0; y < a.height(); ++y) {
            for (int x = 0; x < a.width(); ++x) {
                if (text.pixelIndex(x, y))
                    continue;
                QVERIFY2(a.pixel(x, y) == b.pixel(x, y),
                         qPrintable(QStringLiteral("at %1, %2").arg(x).arg(y)));
                lines += a.pixel(x, y) != background;
            }
        }
        QVERIFY2(lines > 2000, qPrintable(QString::number(lines))); // the grid and two traces
    }
};

QTEST_MAIN(TestChartPixels)
#include "tst_chart_pixels.moc"
