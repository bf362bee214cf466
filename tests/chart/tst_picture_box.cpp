#include "chart/picture_box.h"

#include <QFontMetrics>
#include <QScreen>
#include <QTest>

namespace {

QRgb background(const PictureBox &picture)
{
    return picture.palette().color(QPalette::Base).rgb();
}

int litPixels(const PictureBox &picture)
{
    int count = 0;
    for (int y = 0; y < picture.image().height(); ++y) {
        for (int x = 0; x < picture.image().width(); ++x)
            count += picture.image().pixel(x, y) != background(picture);
    }
    return count;
}

} // namespace

class TestPictureBox : public QObject {
    Q_OBJECT

    int lineHeight(const PictureBox &picture)
    {
        return QFontMetrics(picture.font(), &picture.image()).lineSpacing();
    }

    int advance(const PictureBox &picture, const QString &text)
    {
        return QFontMetrics(picture.font(), &picture.image()).horizontalAdvance(text);
    }

private slots:
    void innerAreaIsInsetByTheBorder()
    {
        const PictureBox picture;
        QCOMPARE(picture.size(), QSize(553, 329));
        QCOMPARE(picture.contentsRect(), QRect(2, 2, 549, 325));
        QCOMPARE(picture.innerOrigin(), QPoint(2, 2));
        QCOMPARE(picture.image().size(), QSize(549, 325));
        QCOMPARE(picture.image().format(), QImage::Format_RGB32);
    }

    void lineLightsBothEndsAndNothingElse()
    {
        PictureBox picture;
        picture.Line(10.4f, 20.6f, 30.5f, 20.5f, Qt::red);
        QCOMPARE(picture.image().pixel(10, 21), qRgb(255, 0, 0));
        QCOMPARE(picture.image().pixel(31, 21), qRgb(255, 0, 0));
        QCOMPARE(litPixels(picture), 22);
    }

    void clsClearsAndHomesTheCursor()
    {
        PictureBox picture;
        picture.Line(0, 0, 548, 324, Qt::blue);
        picture.setCurrentX(100);
        picture.setCurrentY(50);
        picture.Print(QStringLiteral("abc"), PrintEnd::KeepLine);
        picture.Cls();
        QCOMPARE(litPixels(picture), 0);
        QCOMPARE(picture.CurrentX(), 0.0f);
        QCOMPARE(picture.CurrentY(), 0.0f);
    }

    void printMovesTheCursor_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("endLine");
        QTest::addColumn<QString>("lastLine");
        QTest::addColumn<int>("linesDown");

        QTest::newRow("keep line") << "ab" << false << "ab" << 0;
        QTest::newRow("end line") << "ab" << true << "" << 1;
        QTest::newRow("return inside") << "a\rbc" << false << "bc" << 1;
        QTest::newRow("return at the end") << "度\r" << true << "" << 2;
        QTest::newRow("two returns") << "\r\rx" << false << "x" << 2;
        QTest::newRow("empty") << "" << false << "" << 0;
    }

    void printMovesTheCursor()
    {
        QFETCH(QString, text);
        QFETCH(bool, endLine);
        QFETCH(QString, lastLine);
        QFETCH(int, linesDown);
        PictureBox picture;
        picture.setCurrentX(40);
        picture.setCurrentY(7.5f);
        picture.Print(text, endLine ? PrintEnd::EndLine : PrintEnd::KeepLine);
        const float startX = linesDown == 0 ? 40.0f : 0.0f;
        QCOMPARE(picture.CurrentX(), startX + float(advance(picture, lastLine)));
        QCOMPARE(picture.CurrentY(), 7.5f + float(linesDown * lineHeight(picture)));
    }

    void wholeNumbersGetASignPlace_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("text");

        QTest::newRow("positive") << 90 << " 90";
        QTest::newRow("zero") << 0 << " 0";
        QTest::newRow("negative") << -10 << "-10";
    }

    void wholeNumbersGetASignPlace()
    {
        QFETCH(int, number);
        QFETCH(QString, text);
        PictureBox asNumber;
        asNumber.setCurrentX(20);
        asNumber.Print(number, PrintEnd::KeepLine);
        PictureBox asText;
        asText.setCurrentX(20);
        asText.Print(text, PrintEnd::KeepLine);
        QVERIFY(litPixels(asNumber) > 0);
        QCOMPARE(asNumber.image(), asText.image());
        QCOMPARE(asNumber.CurrentX(), asText.CurrentX());
    }

    void shownOnlyWithAutoRedraw()
    {
        PictureBox picture;
        picture.Line(100, 100, 100, 100, Qt::red);
        const QPoint shown = picture.innerOrigin() + QPoint(100, 100);
        QCOMPARE(picture.grab().toImage().pixel(shown), background(picture));
        picture.setAutoRedraw(true);
        QCOMPARE(picture.grab().toImage().pixel(shown), qRgb(255, 0, 0));
        QCOMPARE(picture.grab().toImage().pixel(shown - QPoint(1, 0)), background(picture));
    }

    // What the screen shows comes from partial repaints; a segment whose repaint missed part
    // of it would leave a gap in the trace on screen while the image is whole.
    void screenShowsEverySegmentDrawnAfterShowing()
    {
        PictureBox picture;
        picture.setAutoRedraw(true);
        picture.Cls();
        picture.show();
        QVERIFY(QTest::qWaitForWindowExposed(&picture));
        const QList<QLineF> segments = {{57.5, 200, 65, 199}, {65, 199, 72.5, 196},
                                        {72.5, 196, 80, 197}, {80, 197, 87.5, 190},
                                        {87.5, 190, 95, 230}, {95, 230, 96, 100},
                                        {96, 100, 90, 101},   {90, 101, 85, 150}};
        for (const QLineF &segment : segments) {
            picture.Line(segment.x1(), segment.y1(), segment.x2(), segment.y2(), Qt::red);
            QTest::qWait(10);
        }
        const QImage screen = picture.screen()->grabWindow(picture.winId()).toImage();
        const QRect inner(picture.innerOrigin(), picture.image().size());
        QCOMPARE(screen.copy(inner).convertToFormat(QImage::Format_RGB32), picture.image());
    }
};

QTEST_MAIN(TestPictureBox)
#include "tst_picture_box.moc"
