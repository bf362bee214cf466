#include "window/up_down.h"

#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

namespace {

const QPoint DownArrow(10, 10);
const QPoint UpArrow(42, 10);

} // namespace

class TestUpDown : public QObject {
    Q_OBJECT

private slots:
    void setValueClamps_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("shown");

        QTest::newRow("inside") << 17 << 17;
        QTest::newRow("minimum") << 1 << 1;
        QTest::newRow("maximum") << 30 << 30;
        QTest::newRow("below") << 0 << 1;
        QTest::newRow("far below") << -1000 << 1;
        QTest::newRow("above") << 31 << 30;
    }

    void setValueClamps()
    {
        QFETCH(int, value);
        QFETCH(int, shown);
        UpDown upDown;
        upDown.setRange(1, 30);
        upDown.setValue(value);
        QCOMPARE(upDown.Value(), shown);
    }

    void changeOnlyWhenTheValueChanges()
    {
        UpDown upDown;
        upDown.setRange(1, 2);
        QSignalSpy changes(&upDown, &UpDown::Change);
        upDown.setValue(1);
        QCOMPARE(changes.count(), 0);
        upDown.setValue(2);
        QCOMPARE(changes.count(), 1);
        upDown.setValue(5);
        QCOMPARE(changes.count(), 1);
        upDown.setRange(1, 1);
        QCOMPARE(upDown.Value(), 1);
        QCOMPARE(changes.count(), 2);
    }

    void arrowsStepByOneWithoutWrapping_data()
    {
        QTest::addColumn<int>("start");
        QTest::addColumn<QPoint>("arrow");
        QTest::addColumn<int>("after");

        QTest::newRow("up") << 5 << UpArrow << 6;
        QTest::newRow("down") << 5 << DownArrow << 4;
        QTest::newRow("up at the maximum") << 30 << UpArrow << 30;
        QTest::newRow("down at the minimum") << 1 << DownArrow << 1;
    }

    void arrowsStepByOneWithoutWrapping()
    {
        QFETCH(int, start);
        QFETCH(QPoint, arrow);
        QFETCH(int, after);
        UpDown upDown;
        upDown.setRange(1, 30);
        upDown.setValue(start);
        QSignalSpy changes(&upDown, &UpDown::Change);
        QTest::mouseClick(&upDown, Qt::LeftButton, {}, arrow);
        QCOMPARE(upDown.Value(), after);
        QCOMPARE(changes.count(), after == start ? 0 : 1);
    }

    void keysStep()
    {
        UpDown upDown;
        upDown.setRange(1, 30);
        upDown.setValue(5);
        QTest::keyClick(&upDown, Qt::Key_Up);
        QCOMPARE(upDown.Value(), 6);
        QTest::keyClick(&upDown, Qt::Key_Down);
        QTest::keyClick(&upDown, Qt::Key_Down);
        QCOMPARE(upDown.Value(), 4);
    }

    void disabledIgnoresTheOperator()
    {
        UpDown upDown;
        upDown.setRange(1, 30);
        upDown.setValue(5);
        upDown.setEnabled(false);
        QSignalSpy changes(&upDown, &UpDown::Change);
        const QRegularExpression refused(QStringLiteral("not accepted by receiving widget"));
        for (int i = 0; i < 4; ++i)
            QTest::ignoreMessage(QtWarningMsg, refused);
        QTest::mouseClick(&upDown, Qt::LeftButton, {}, UpArrow);
        QTest::keyClick(&upDown, Qt::Key_Up);
        QCOMPARE(upDown.Value(), 5);
        QCOMPARE(changes.count(), 0);
    }

    void clickTakesTheFocus()
    {
        QWidget window;
        auto *upDown = new UpDown(&window);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QTest::mouseClick(upDown, Qt::LeftButton, {}, UpArrow);
        QVERIFY(upDown->hasFocus());
    }
};

QTEST_MAIN(TestUpDown)
#include "tst_up_down.moc"
