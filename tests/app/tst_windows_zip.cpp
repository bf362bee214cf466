#include "process_output.h"

#include <QProcess>
#include <QTest>

namespace {

const QString Folder = QStringLiteral(UNPACKED_ZIP);
const QString Program = Folder + "/tarnwick.exe";

// Windows' own folders and nothing else, as on a machine that never had Qt or MinGW.
QProcessEnvironment windowsAlone()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    const QString windows = environment.value(QStringLiteral("SystemRoot"));
    environment.insert(QStringLiteral("PATH"), windows + "\\system32;" + windows);
    return environment;
}

} // namespace

// The zip a Windows user gets, unpacked into an empty folder by the test before this one.
class TestWindowsZip : public QObject {
    Q_OBJECT

private slots:
    void programStartsFromTheFolder_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("output");

        QTest::newRow("version") << QStringList{"--version"}
                                 << QByteArray("tarnwick " PROJECT_VERSION_TEXT "\n");
        QTest::newRow("ports") << QStringList{"--list-ports"} << QByteArray();
    }

    void programStartsFromTheFolder()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, output);
        const ChildEnd end = runChild(Program, arguments, windowsAlone());
        QCOMPARE(end.exitCode, 0);
        if (!output.isEmpty())
            QCOMPARE(end.standardOutput, output);
    }

    // From a prompt "tarnwick" is the console twin: cmd waits for it, so its lines come
    // before the next command's and its exit status is the one cmd sees.
    void promptWaitsForTheConsoleTwin_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QByteArray>("output");

        QTest::newRow("bad option") << "tarnwick --bogus & echo status %ERRORLEVEL%"
                                    << QByteArray("Try 'tarnwick --help'.\r\nstatus 2");
        QTest::newRow("help into a file")
            << "tarnwick --help > help.txt & type help.txt & echo status %ERRORLEVEL%"
            << QByteArray("--list-ports).\r\n");
    }

    void promptWaitsForTheConsoleTwin()
    {
        QFETCH(QString, command);
        QFETCH(QByteArray, output);
        QProcess cmd;
        cmd.setProcessChannelMode(QProcess::MergedChannels);
        cmd.setProcessEnvironment(windowsAlone());
        cmd.setWorkingDirectory(Folder);
        cmd.setNativeArguments("/c " + command);
        cmd.start(QStringLiteral("cmd.exe"), {});
        QVERIFY(cmd.waitForFinished(20000));
        const QByteArray said = cmd.readAll();
        QVERIFY2(said.contains(output), said);
    }

    // Ports as Windows registers them, COM10 before COM3; listed by their number.
    void comPortsAreListedByNumber()
    {
        const QString map = QStringLiteral("HKLM\\HARDWARE\\DEVICEMAP\\SERIALCOMM");
        for (const QString port : {"COM10", "COM3"})
            QCOMPARE(
                runChild("reg.exe", {"add", map, "/v", "\\Device\\Test" + port, "/d", port, "/f"})
                    .exitCode,
                0);
        const ChildEnd end = runChild(Program, {"--list-ports"}, windowsAlone());
        for (const QString port : {"COM10", "COM3"})
            runChild("reg.exe", {"delete", map, "/v", "\\Device\\Test" + port, "/f"});
        QCOMPARE(end.exitCode, 0);
        QStringList devices;
        for (const QByteArray &line : end.standardOutput.split('\n'))
            devices << QString::fromLocal8Bit(line).section(u'\t', 1, 1);
        QVERIFY2(devices.indexOf("COM3") >= 0 && devices.indexOf("COM3") < devices.indexOf("COM10"),
                 end.standardOutput);
    }

    // Qt says so when a platform or style it is asked for is not there.
    void windowComesUpWithThePlatformAndStyleShipped()
    {
        const ChildEnd end = runChild(Program, {"-platform", "windows", "-style", "windowsvista"},
                                      windowsAlone(), 3000);
        QVERIFY(!end.finished);
        QCOMPARE(withoutEnvironmentNotes(end.standardError), QByteArray());
    }
};

QTEST_GUILESS_MAIN(TestWindowsZip)
#include "tst_windows_zip.moc"
