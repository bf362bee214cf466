#include "box_watcher.h"
#include "desk.h"
#include "device/device_protocol.h"
#include "event_script.h"
#include "process_figures.h"
#include "record/recording_reader.h"
#include "serial/port_watch.h"
#include "serial/serial_link.h"
#include "wait.h"
#include "window/up_down.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <iostream>
#include <memory>
#include <pwd.h>
#include <unistd.h>

namespace {

const QString Reading = QStringLiteral("温度 ： 25.3 ℃");
constexpr int IdleMs = 500;
// CPU time over IdleMs of waiting: a loop that spins takes all of it, a sleeping one next
// to nothing.
constexpr double IdleCpuBound = 0.25;
constexpr int ScenarioTimeoutMs = 30000;
const char *const ChildDeviceVariable = "TARNWICK_FAULT_DEVICE";
const char *const Unprivileged = "nobody";

// The window's device is a symbolic link, so a test can take the device away and bring
// another one back at the same path.
struct DevicePath {
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("instrument"));

    bool pointTo(const QString &device) const
    {
        remove();
        return QFile::link(device, path);
    }

    void remove() const
    {
        QFile::remove(path);
        QDir().rmdir(path);
    }
};

void measureAndRead(Desk &desk, ScriptedInstrument &instrument)
{
    const qsizetype sent = instrument.received().size();
    desk.form.Command1->click();
    QVERIFY(instrument.waitForReceived(sent + 4));
    instrument.send("T25.3\r\n");
    QVERIFY(waitUntil([&] { return desk.form.Label5->text() == Reading; }));
}

// What holds the port when its device goes away and comes back at the same path.
enum class Holder { LiveRun, MemoryRun, Receive };

// When the device goes away. A hung-up line mid-run may leave its path behind, dangling.
enum class Moment { MidRun, MidRunPathKept, WhileStopWaits, WhileReceiveWaits, WhileBoxIsOpen };

// Waiting handlers the scenario starts, the operator's two Stops included.
int waitsStarted(Moment moment)
{
    return moment == Moment::MidRun || moment == Moment::MidRunPathKept ? 2 : 3;
}

// Run as an unprivileged child: Measure on a device this user may not open, then, once
// the parent says the device is back, Stop and Measure again. Prints its CPU time while
// it waited; the exit status tells whether the reading came through.
int unprivilegedChild(int argc, char *argv[])
{
    QApplication app(argc, argv);
    BoxWatcher boxes;
    Form1 form(qEnvironmentVariable(ChildDeviceVariable));
    form.setProgramEnd([] {});
    form.show();
    form.Command1->click();
    const double before = cpuSeconds();
    QTest::qWait(IdleMs);
    std::cout << "cpu " << cpuSeconds() - before << std::endl;
    std::string back;
    std::getline(std::cin, back);
    form.Command2->click();
    form.Command1->click();
    const bool read = waitUntil([&] { return form.Label5->text() == Reading; });
    return read && boxes.shown() == 0 ? 0 : 1;
}

// Runs this program as the unprivileged child, as user nobody when we are root: root may
// open any device and ignores a port's exclusive use.
void startUnprivileged(QProcess &child, const QString &device, const QString &runtimeDir)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(ChildDeviceVariable), device);
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeDir);
    child.setProcessEnvironment(environment);
    const QString self = QCoreApplication::applicationFilePath();
    if (geteuid() != 0) {
        child.start(self, {});
        return;
    }
    const passwd *user = getpwnam(Unprivileged);
    QVERIFY(user);
    QVERIFY(chown(runtimeDir.toLocal8Bit().constData(), user->pw_uid, user->pw_gid) == 0);
    child.start(QStringLiteral("setpriv"), {QStringLiteral("--reuid=%1").arg(user->pw_uid),
                                            QStringLiteral("--regid=%1").arg(user->pw_gid),
                                            QStringLiteral("--clear-groups"), self});
}

} // namespace

Q_DECLARE_METATYPE(Moment)
Q_DECLARE_METATYPE(Holder)

class TestPortFaults : public QObject {
    Q_OBJECT

private slots:
    void deviceThatIsNoTerminalFailsQuietly_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("directory") << QStringLiteral("directory");
        QTest::newRow("regular file") << QStringLiteral("file");
        QTest::newRow("missing") << QStringLiteral("missing");
    }

    void deviceThatIsNoTerminalFailsQuietly()
    {
        QFETCH(QString, kind);
        DevicePath device;
        if (kind == u"directory")
            QVERIFY(QDir().mkdir(device.path));
        if (kind == u"file") {
            QFile file(device.path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("T25.3\r\n");
        }
        BoxWatcher boxes;
        Desk window(device.path);
        window.form.Command1->click();
        window.form.Command1_Click();
        QVERIFY(!window.form.MSComm1.PortOpen());
        const double before = cpuSeconds();
        QTest::qWait(IdleMs);
        const double idleCpu = cpuSeconds() - before;
        qInfo("CPU while idle after the failure: %.3f s in %d ms", idleCpu, IdleMs);
        QVERIFY(idleCpu < IdleCpuBound);
        QCOMPARE(window.errors.size(), 1);
        QVERIFY2(window.errors[0].startsWith("tarnwick: cannot open " + device.path + ": "),
                 qPrintable(window.errors[0]));
        QCOMPARE(boxes.shown(), 0);

        ScriptedInstrument instrument;
        instrument.answer('S', protocol::Acknowledgement);
        QVERIFY(device.pointTo(instrument.devicePath()));
        window.form.Command2->click();
        QCOMPARE(instrument.received(), QByteArray("S"));
        measureAndRead(window, instrument);
        QCOMPARE(window.errors.size(), 1);
    }

    void vanishedDeviceLeavesAQuietWindowThatRecovers_data()
    {
        QTest::addColumn<Moment>("moment");
        QTest::newRow("mid-run") << Moment::MidRun;
        QTest::newRow("mid-run, the path kept") << Moment::MidRunPathKept;
        QTest::newRow("while Stop waits") << Moment::WhileStopWaits;
        QTest::newRow("while Receive waits") << Moment::WhileReceiveWaits;
        QTest::newRow("while the NO Logging box is open") << Moment::WhileBoxIsOpen;
    }

    void vanishedDeviceLeavesAQuietWindowThatRecovers()
    {
        QFETCH(Moment, moment);
        DevicePath device;
        auto first = std::make_unique<ScriptedInstrument>();
        QVERIFY(device.pointTo(first->devicePath()));
        BoxWatcher boxes(BoxWatcher::LeaveOpen);
        Desk window(device.path);
        Form1 &form = window.form;
        std::unique_ptr<ScriptedInstrument> second;
        int waitsEnded = 0;
        const auto stop = [&] {
            form.Command2->click();
            ++waitsEnded;
        };
        const auto vanish = [&] {
            first->hangUp();
            if (moment != Moment::MidRunPathKept)
                device.remove();
        };

        EventScript script;
        switch (moment) {
        case Moment::MidRun:
        case Moment::MidRunPathKept:
            script.add([&] { form.Command1->click(); });
            script.add([&] { return first->received().size() == 4; },
                       [&] { first->send("T25.3\r\n"); });
            script.add([&] { return form.Label5->text() == Reading; }, vanish);
            break;
        case Moment::WhileStopWaits:
            script.add(stop);
            script.add([&] { return first->received() == "S"; }, vanish);
            break;
        case Moment::WhileReceiveWaits:
        case Moment::WhileBoxIsOpen:
            if (moment == Moment::WhileBoxIsOpen)
                first->answer('T', "L0M\r\n");
            script.add([&] {
                form.Command3->click();
                ++waitsEnded;
            });
            script.add(
                [&] {
                    return moment == Moment::WhileBoxIsOpen ? BoxWatcher::openBoxes() == 1
                                                            : first->received() == "T";
                },
                vanish);
            break;
        }
        QElapsedTimer idle;
        double idleCpu = -1;
        script.add([&] { return !form.MSComm1.PortOpen(); },
                   [&] {
                       idleCpu = cpuSeconds();
                       idle.start();
                   });
        script.add([&] { return idle.isValid() && idle.elapsed() >= IdleMs; },
                   [&] { idleCpu = cpuSeconds() - idleCpu; });
        script.add(BoxWatcher::closeAll);
        // A kept path may by now name another program's pseudo-terminal, since the numbers of
        // closed ones are given out again; Stop is to find no device there.
        script.add([&] { device.remove(); });
        script.add(stop);
        script.add([&] { return window.errors.size() == 1; },
                   [&] {
                       second = std::make_unique<ScriptedInstrument>();
                       second->answer('S', protocol::Acknowledgement);
                       QVERIFY(device.pointTo(second->devicePath()));
                   });
        script.add(stop);
        script.start();
        QVERIFY2(waitUntil([&] { return script.finished() && waitsEnded == waitsStarted(moment); },
                           ScenarioTimeoutMs),
                 qPrintable(QStringLiteral("%1 steps taken, %2 waits ended")
                                .arg(script.stepsTaken())
                                .arg(waitsEnded)));

        qInfo("CPU while the device was gone: %.3f s in %d ms", idleCpu, IdleMs);
        QVERIFY(idleCpu < IdleCpuBound);
        QCOMPARE(window.errors.size(), 1);
        QVERIFY(window.errors[0].startsWith("tarnwick: cannot open " + device.path + ": "));
        QCOMPARE(boxes.shown(), moment == Moment::WhileBoxIsOpen ? 1 : 0);
        QCOMPARE(second->received(), QByteArray("S"));
        QVERIFY(form.Command1->isEnabled());
        measureAndRead(window, *second);
    }

    // A run's device comes back at its path and the run goes on: a live run gets its Measure
    // again and keeps counting; a memory run gets nothing, which would clear the log. The port
    // Receive left open stays closed: nothing but a run brings it back.
    void deviceBackAtItsPathResumesTheRun_data()
    {
        QTest::addColumn<Holder>("holder");
        QTest::addColumn<QByteArray>("sentOnReturn");
        QTest::newRow("live run") << Holder::LiveRun << QByteArray("R 1M");
        QTest::newRow("memory run") << Holder::MemoryRun << QByteArray();
        QTest::newRow("after Receive") << Holder::Receive << QByteArray();
    }

    void deviceBackAtItsPathResumesTheRun()
    {
        QFETCH(Holder, holder);
        QFETCH(QByteArray, sentOnReturn);
        DevicePath device;
        auto first = std::make_unique<ScriptedInstrument>();
        first->answer('T', protocol::Acknowledgement);
        QVERIFY(device.pointTo(first->devicePath()));
        Desk window(device.path);
        Form1 &form = window.form;
        const QTemporaryDir dir;
        QVERIFY(form.recording.start(dir.filePath(QStringLiteral("run.csv"))));
        if (holder == Holder::Receive) {
            form.Command3->click();
        } else {
            form.UpDown1->setValue(holder == Holder::MemoryRun ? 2 : 1);
            measureAndRead(window, *first);
            first->send("H60.1\r\n");
            QVERIFY(waitUntil([&] { return form.session().SampleCount == 1; }));
        }
        first->hangUp();
        device.remove();
        QVERIFY(waitUntil([&] { return !form.MSComm1.PortOpen(); }));

        ScriptedInstrument second;
        QVERIFY(device.pointTo(second.devicePath()));
        const bool reopens = holder != Holder::Receive;
        QCOMPARE(waitUntil([&] { return form.MSComm1.PortOpen(); }, 3 * PortWatch::PollMs),
                 reopens);
        QTest::qWait(100);
        QCOMPARE(second.received(), sentOnReturn);
        QCOMPARE(window.errors.size(), 0);
        if (!reopens)
            return;
        QVERIFY(window.locked());
        QVERIFY(form.windowTitle().endsWith(" に再接続しました"));
        second.send("T26.5\r\nH61.5\r\n");
        QVERIFY(waitUntil([&] { return form.session().SampleCount == 2; }));
        QCOMPARE(form.Label5->text(), QStringLiteral("温度 ： 26.5 ℃"));
        // The recording shows the gap where it fell, and why, and goes on after it.
        const RecordingFile file = readRecording(form.recording.path());
        QCOMPARE(file.runs.size(), 1u);
        const RecordedRun &run = file.runs.back();
        QCOMPARE(run.linkNotes.size(), 2u);
        QCOMPARE(run.linkNotes[0].event, LinkNote::Event::Lost);
        QVERIFY(!run.linkNotes[0].reason.isEmpty());
        QCOMPARE(run.linkNotes[1].event, LinkNote::Event::Restored);
        QCOMPARE(run.linkNotes[1].samplesBefore, 1u);
        QCOMPARE(run.samples.size(), 2u);
        QCOMPARE(run.samples.back().index, 1);
    }

    void deniedOrHeldDeviceFailsQuietlyAndRecovers_data()
    {
        QTest::addColumn<bool>("held");
        QTest::addColumn<bool>("groupHint");
        QTest::newRow("without read permission") << false << true;
        QTest::newRow("held by another process") << true << false;
    }

    void deniedOrHeldDeviceFailsQuietlyAndRecovers()
    {
        QFETCH(bool, held);
        QFETCH(bool, groupHint);
        ScriptedInstrument instrument;
        instrument.answer('S', protocol::Acknowledgement);
        instrument.onCommand = [&](char c) {
            if (c == 'M')
                instrument.send("T25.3\r\n");
        };
        const QString device = instrument.devicePath();
        const auto everyone = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                              QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther;
        std::unique_ptr<MSComm> holder;
        if (held) {
            QVERIFY(QFile::setPermissions(device, everyone));
            holder = std::make_unique<MSComm>();
            holder->setDeviceName(device);
            QVERIFY(holder->setPortOpen(true));
        } else {
            QVERIFY(QFile::setPermissions(device, QFile::WriteOwner | QFile::WriteGroup |
                                                      QFile::WriteOther));
        }

        QTemporaryDir runtimeDir;
        QProcess child;
        startUnprivileged(child, device, runtimeDir.path());
        QVERIFY(waitUntil([&] { return child.canReadLine(); }, ScenarioTimeoutMs));
        const QByteArray cpuLine = child.readLine().trimmed();
        qInfo("%s: CPU while the child waited %d ms: %s s", held ? "held" : "denied", IdleMs,
              cpuLine.mid(4).constData());
        QVERIFY2(cpuLine.startsWith("cpu ") && cpuLine.mid(4).toDouble() < IdleCpuBound,
                 cpuLine.constData());

        holder.reset();
        QVERIFY(QFile::setPermissions(device, everyone));
        child.write("back\n");
        QVERIFY(
            waitUntil([&] { return child.state() == QProcess::NotRunning; }, ScenarioTimeoutMs));
        const QString errors = QString::fromLocal8Bit(child.readAllStandardError());
        QCOMPARE(child.exitStatus(), QProcess::NormalExit);
        QVERIFY2(child.exitCode() == 0, qPrintable(errors));
        const QStringList lines = errors.split(u'\n', Qt::SkipEmptyParts);
        QVERIFY2(lines.size() == 1, qPrintable(errors));
        QVERIFY2(lines[0].startsWith("tarnwick: cannot open " + device + ": "), qPrintable(errors));
        QCOMPARE(lines[0].endsWith(QStringLiteral(" (is your user in the dialout group?)")),
                 groupHint);
        QCOMPARE(instrument.received(), QByteArray("SR 1M"));
    }
};

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsSet(ChildDeviceVariable))
        return unprivilegedChild(argc, argv);
    QApplication app(argc, argv);
    TestPortFaults test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_port_faults.moc"
