#include "chart/picture_box.h"
#include "chart/qb_color.h"
#include "close_during_stop.h"
#include "desk.h"
#include "device/caption_text.h"
#include "device/device_protocol.h"
#include "process_figures.h"
#include "process_output.h"
#include "wait.h"
#include "window/up_down.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

class TestRunCommands : public QObject {
    Q_OBJECT

private slots:
    void measureSendsTheSelectorsCommandAndLocksTheRun_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("interval");
        QTest::addColumn<int>("unit");

        QTest::newRow("initial settings") << 1 << 1 << 1;
        QTest::newRow("memory, 15 hours") << 2 << 15 << 2;
        QTest::newRow("send, 9 minutes") << 1 << 9 << 1;
    }

    void measureSendsTheSelectorsCommandAndLocksTheRun()
    {
        QFETCH(int, mode);
        QFETCH(int, interval);
        QFETCH(int, unit);
        ScriptedDesk desk;
        desk.instrument.answer('S', protocol::Acknowledgement);
        desk.form.UpDown1->setValue(mode);
        desk.form.UpDown2->setValue(interval);
        desk.form.UpDown3->setValue(unit);
        desk.form.Command3->setFocus();

        desk.form.Command1->click();
        QVERIFY(desk.instrument.waitForReceived(4));
        QVERIFY(desk.locked());
        QVERIFY(desk.form.Command2->isEnabled());
        QCOMPARE(desk.form.focusWidget(), desk.form.Command2);
        QVERIFY(desk.form.MSComm1.PortOpen());
        // Stop's "S" fences the exchange: nothing before the command, nothing after it.
        desk.form.Command2->click();
        QCOMPARE(desk.instrument.received(),
                 protocol::measureCommand(protocol::Mode(mode), interval, protocol::Unit(unit)) +
                     protocol::StopCommand);
    }

    void measureClearsThePreviousRun()
    {
        ScriptedDesk desk;
        desk.form.Command1->click();
        desk.instrument.send("T25.3\r\nH60.1\r\n");
        QVERIFY(waitUntil([&] { return desk.form.session().SampleCount == 1; }));
        desk.form.Command1_Click();
        QCOMPARE(desk.form.session().SampleCount, 0);
        QCOMPARE(desk.form.Label5->text(), QStringLiteral("温度 ： "));
        QCOMPARE(desk.form.Picture1->image().pixelColor(51, 217), QColor(Qt::white));
    }

    void readingsArriveInPiecesOfEverySize()
    {
        const QByteArray stream("T25.3\r\nH60.1\r\nT:5.2\r\nH\xB0"
                                "0.0\r\n");
        ScriptedDesk desk;
        for (qsizetype piece = 1; piece <= stream.size(); ++piece) {
            desk.form.Command1_Click(); // a new run on the same window, its chart cleared
            QVERIFY(desk.instrument.sendInPieces(stream, piece, desk.form.MSComm1));
            QVERIFY(waitUntil([&] { return desk.form.session().SampleCount == 2; }));
            QCOMPARE(desk.form.Label5->text(), QStringLiteral("温度 ： -5.2 ℃"));
            QCOMPARE(desk.form.Label6->text(), QStringLiteral("湿度 ： 100 %RH"));
            QCOMPARE(desk.form.Picture1->image().pixelColor(58, 10), QBColor(9));
        }
    }

    void fullChartStopsAtTheFirstHumidityReading()
    {
        ScriptedDesk desk;
        desk.form.UpDown3->setValue(2);
        desk.form.UpDown2->setValue(2);
        QCOMPARE(desk.form.session().MaxSamples, 1);
        bool lockedWhileWaiting = false;
        desk.instrument.onCommand = [&](char c) {
            if (c != 'S')
                return;
            lockedWhileWaiting = desk.locked();
            desk.instrument.send(protocol::Acknowledgement);
        };
        desk.form.Command1->click();
        QVERIFY(desk.instrument.waitForReceived(4));
        desk.instrument.send("T25.3\r\nH60.1\r\nT30.0\r\n");
        QVERIFY(waitUntil([&] { return desk.unlocked(); }));
        QCOMPARE(desk.instrument.received(), QByteArray("R 2HS"));
        QVERIFY(lockedWhileWaiting);
        QCOMPARE(desk.form.Label5->text(), QStringLiteral("温度 ： 25.3 ℃"));
        QCOMPARE(desk.form.Label7->text(), QStringLiteral("開始 ： OK !"));
        QVERIFY(!desk.form.MSComm1.PortOpen());
    }

    void stopWithoutARunWaitsForTheAcknowledgement()
    {
        ScriptedDesk desk;
        desk.instrument.answer('S', protocol::Acknowledgement);
        desk.form.Command2->click();
        QCOMPARE(desk.instrument.received(), QByteArray("S"));
        QCOMPARE(desk.form.Label7->text(), QStringLiteral("開始 ： OK !"));
        QVERIFY(!desk.form.MSComm1.PortOpen());
        QVERIFY(desk.unlocked());
    }

    void oneAcknowledgementEndsBothStops()
    {
        ScriptedDesk desk;
        int stops = 0;
        desk.instrument.onCommand = [&](char c) {
            if (c != 'S')
                return;
            if (++stops == 1)
                QTimer::singleShot(0, desk.form.Command2, &QPushButton::click);
            else
                desk.instrument.send(protocol::Acknowledgement);
        };
        desk.form.Command2->click();
        QCOMPARE(desk.instrument.received(), QByteArray("SS"));
        QVERIFY(!desk.form.MSComm1.PortOpen());
    }

    void oldStatusTextDoesNotEndANewWait_data()
    {
        QTest::addColumn<QString>("status");
        QTest::addColumn<QByteArray>("before");

        QTest::newRow("old acknowledgement") << "開始 ： OK !" << QByteArray();
        QTest::newRow("logging report") << "開始 ： LM" << QByteArray("L5M\r\n");
    }

    void oldStatusTextDoesNotEndANewWait()
    {
        QFETCH(QString, status);
        QFETCH(QByteArray, before);
        ScriptedDesk desk;
        bool acknowledged = false;
        desk.instrument.onCommand = [&](char c) {
            if (c != 'S')
                return;
            desk.instrument.send(before);
            QTimer::singleShot(100, &desk.instrument, [&] {
                acknowledged = true;
                desk.instrument.send(protocol::Acknowledgement);
            });
        };
        desk.form.Label7->setText(status);
        desk.form.Command2->click();
        QVERIFY(acknowledged);
    }

    // The wait yields before it reads the status line: an acknowledgement shown just before
    // it began ends it only after what was pending then has run.
    void waitYieldsBeforeItLooks()
    {
        ScriptedDesk desk;
        bool pendingRan = false;
        QTimer::singleShot(0, &desk.form, [&] { // runs in Receive's yield before its "T"
            desk.form.Label7->setText(caption::Acknowledged);
            QMetaObject::invokeMethod(
                &desk.form, [&] { pendingRan = true; }, Qt::QueuedConnection);
        });
        desk.form.Command3->click();
        QVERIFY(pendingRan);
    }

    void receiveAppliesTheReportAndPlotsTheLog()
    {
        ScriptedDesk desk;
        desk.instrument.answer('T', "L15M\r\nT20.0\r\nH50.0\r\nT21.0\r\nH51.0\r\n" +
                                        protocol::Acknowledgement);
        desk.form.Command3->click();
        QCOMPARE(desk.instrument.received(), QByteArray("T"));
        QCOMPARE(desk.form.UpDown2->Value(), 15);
        QCOMPARE(desk.form.Label2->text(), QStringLiteral("15"));
        QCOMPARE(desk.form.UpDown3->Value(), 1);
        QCOMPARE(desk.form.Label3->text(), QStringLiteral("分毎"));
        QCOMPARE(desk.form.session().MaxSamples, 4);
        QCOMPARE(desk.form.session().XStep, 112.5f);
        QCOMPARE(desk.form.session().SampleCount, 2);
        QCOMPARE(desk.form.Picture1->image().pixelColor(163, 229), QBColor(12));
        QVERIFY(desk.form.MSComm1.PortOpen());
        QVERIFY(desk.unlocked());

        desk.form.Command1->click();
        QVERIFY(desk.instrument.waitForReceived(5));
        QCOMPARE(desk.instrument.received(), QByteArray("TR15M"));
    }

    void reportOfHoursRescalesInHours()
    {
        ScriptedDesk desk;
        desk.form.Combo1->setEditText(QStringLiteral("24"));
        desk.instrument.answer('T', "L2H\r\n" + protocol::Acknowledgement);
        desk.form.Command3->click();
        QCOMPARE(desk.form.UpDown3->Value(), 2);
        QCOMPARE(desk.form.Label3->text(), QStringLiteral("時毎"));
        QCOMPARE(desk.form.session().MaxSamples, 12);
    }

    void reportBeyondTheSelectorKeepsSelectorAndLabelTogether()
    {
        ScriptedDesk desk;
        desk.form.Combo1->setEditText(QStringLiteral("24"));
        desk.instrument.answer('T', "L45M\r\n" + protocol::Acknowledgement);
        desk.form.Command3->click();
        QCOMPARE(desk.form.UpDown2->Value(), 30);
        QCOMPARE(desk.form.Label2->text(), QStringLiteral("30"));
        QCOMPARE(desk.form.session().MaxSamples, 48);
    }

    void measureAndSelectorsWorkInsideReceivesWait()
    {
        ScriptedDesk desk;
        desk.instrument.onCommand = [&](char c) {
            if (c != 'T')
                return;
            QTimer::singleShot(0, &desk.form, [&] {
                desk.form.UpDown2->setValue(5);
                desk.form.Command1->click();
                desk.instrument.send(protocol::Acknowledgement);
            });
        };
        desk.form.Command3->click();
        QVERIFY(desk.instrument.waitForReceived(5));
        QCOMPARE(desk.instrument.received(), QByteArray("TR 5M"));
        QCOMPARE(desk.form.session().MaxSamples, 12);
    }

    void closeDuringARunSendsStopAndEnds()
    {
        ScriptedDesk desk;
        desk.form.Command1->click();
        QVERIFY(desk.instrument.waitForReceived(4));
        desk.form.close();
        QVERIFY(desk.ended);
        QVERIFY(desk.instrument.waitForReceived(5));
        QCOMPARE(desk.instrument.received(), QByteArray("R 1MS"));
        QVERIFY(!desk.form.MSComm1.PortOpen());
    }

    void closeDuringStopsWaitEndsTheProcess_data()
    {
        QTest::addColumn<bool>("emulated");
        QTest::newRow("Stop alone, scripted instrument") << false;
        QTest::newRow("Stop during a run, emulated instrument without ACK") << true;
    }

    void closeDuringStopsWaitEndsTheProcess()
    {
        QFETCH(bool, emulated);
        ScriptedInstrument instrument;
        if (!emulated && instrument.hostEnd().device)
            QSKIP("the child cannot reach a line inside this program");
        const ChildEnd child = runThisProgramWith(CloseDuringStopVariable,
                                                  emulated ? Emulated : instrument.devicePath());
        QVERIFY(child.finished);
        QCOMPARE(child.exitStatus, QProcess::NormalExit);
        QCOMPARE(child.exitCode, 0);
        const QByteArray errors = withoutEnvironmentNotes(child.standardError);
        QVERIFY2(errors.isEmpty(), errors.constData());
        if (!emulated) {
            QVERIFY(instrument.waitForReceived(2));
            QCOMPARE(instrument.received(), QByteArray("SS"));
        }
    }

    void noDeviceStillClearsAndLocks()
    {
        Form1 form(QStringLiteral("/nonexistent/tarnwick-device"));
        form.setProgramEnd([] {});
        QStringList errors;
        form.MSComm1.setErrorSink([&](const QString &line) { errors << line; });
        form.Label5->setText(QStringLiteral("温度 ： 25.3 ℃"));
        form.Command1->click();
        QCOMPARE(form.Label5->text(), QStringLiteral("温度 ： "));
        QVERIFY(!form.Command1->isEnabled());
        QVERIFY(!form.MSComm1.PortOpen());
        form.Command3->setEnabled(true);
        QTimer::singleShot(50, &form,
                           [&] { form.Label7->setText(QStringLiteral("開始 ： OK !")); });
        form.Command3->click();
        QCOMPARE(errors.size(), 1);
        QVERIFY(errors.first().contains(QStringLiteral("/nonexistent/tarnwick-device")));
    }

    void waitingForAnAcknowledgementSleeps()
    {
        ScriptedDesk desk;
        desk.instrument.onCommand = [&](char c) {
            if (c == 'S')
                QTimer::singleShot(1000, &desk.instrument,
                                   [&] { desk.instrument.send(protocol::Acknowledgement); });
        };
        const double cpuBefore = cpuSeconds();
        QElapsedTimer clock;
        clock.start();
        desk.form.Command2->click();
        const double cpu = cpuSeconds() - cpuBefore;
        qInfo("CPU while Stop waited %lld ms: %.4f s (%.2f%% of a core)", clock.elapsed(), cpu,
              100 * cpu / (clock.elapsed() / 1000.0));
        QVERIFY(clock.elapsed() >= 1000);
        QVERIFY(cpu < 0.25); // a waiting loop that spins takes the whole second
    }
};

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsSet(qPrintable(CloseDuringStopVariable)))
        return closeDuringStopsWait(argc, argv);
    QApplication app(argc, argv);
    TestRunCommands test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_run_commands.moc"
