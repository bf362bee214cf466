#include "chart/picture_box.h"
#include "desk.h"
#include "replay/run_drawing.h"
#include "wait.h"
#include "window/up_down.h"

#include <QTest>

class TestRunDrawing : public QObject {
    Q_OBJECT

private slots:
    // The live chart and the same run drawn again from its readings, pixel for pixel: whole
    // samples, a temperature with no humidity, a negative one, and values off the scale.
    void aRunDrawnAgainLooksAsItDidLive()
    {
        ScriptedDesk desk;
        desk.setSpan(QStringLiteral("1"));
        desk.form.UpDown2->setValue(6); // ten samples fill the chart: wide steps
        desk.measure();
        desk.instrument.send("T25.3\r\nH60.1\r\nT:5.2\r\nT24.0\r\nH99.9\r\n"
                             "T120.0\r\nH\xB0.5\r\nT1.0\r\nH2.0\r\n");
        QVERIFY(waitUntil([&] { return desk.form.readings.samples().size() == 5; }));

        PictureBox again;
        again.setFont(desk.form.Picture1->font());
        drawRun(again, desk.form.readings.settings(), desk.form.readings.samples());
        QCOMPARE(again.image(), desk.form.Picture1->image());
    }
};

QTEST_MAIN(TestRunDrawing)
#include "tst_run_drawing.moc"
