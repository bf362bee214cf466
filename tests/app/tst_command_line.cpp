#include "pdf_reading.h"
#include "process_output.h"
#include "recorded_runs.h"
#include "small_recording.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString Tarnwick = QStringLiteral(TARNWICK_PROGRAM);
const QString Emulator = QStringLiteral(EMULATOR_PROGRAM);

// A window system that does not exist makes any attempt to open a window fail at once, so a
// program that gets that far cannot pass for one that stopped before.
QProcessEnvironment withoutWindowSystem()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("no-such-platform"));
    return environment;
}

// Runs a program to its end, without a window system.
ChildEnd run(const QString &program, const QStringList &arguments, int timeoutMs = 10000)
{
    return runChild(program, arguments, withoutWindowSystem(), timeoutMs);
}

} // namespace

class TestCommandLine : public QObject {
    Q_OBJECT

private slots:
    void unusableCommandLineIsAUsageError_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("message");

        QTest::newRow("unknown option")
            << Tarnwick << QStringList{"--colour"} << "tarnwick: Unknown option 'colour'.";
        QTest::newRow("unknown option, one dash")
            << Tarnwick << QStringList{"-frobnicate"} << "tarnwick: Unknown option 'frobnicate'.";
        QTest::newRow("Qt option without its value")
            << Tarnwick << QStringList{"-style"} << "tarnwick: Unknown option 'style'.";
        QTest::newRow("argument") << Tarnwick << QStringList{"readings.csv"}
                                  << "tarnwick: unexpected argument \"readings.csv\"";
        QTest::newRow("record without a file")
            << Tarnwick << QStringList{"--record"} << "tarnwick: Missing value after '--record'.";
        QTest::newRow("record with an empty name")
            << Tarnwick << QStringList{"--record", ""} << "tarnwick: --record needs a file name";
        QTest::newRow("open with an empty name")
            << Tarnwick << QStringList{"--open", ""} << "tarnwick: --open needs a file name";
        QTest::newRow("report without a recording")
            << Tarnwick << QStringList{"--report", "run.pdf"}
            << "tarnwick: --report needs a file name and --open";
        QTest::newRow("report while recording")
            << Tarnwick << QStringList{"--open", "a.csv", "--report", "a.pdf", "--record", "b.csv"}
            << "tarnwick: --report takes no --record, --simulate or --port";
        QTest::newRow("instrument option alone")
            << Tarnwick << QStringList{"--speed", "5"} << "tarnwick: --speed needs --simulate";
        QTest::newRow("emulator, unknown option")
            << Emulator << QStringList{"--colour"} << "tarnwick-emulator: Unknown option 'colour'.";
        QTest::newRow("emulator, argument")
            << Emulator << QStringList{"/dev/pts/3"} << "tarnwick-emulator: unexpected argument";
    }

    void unusableCommandLineIsAUsageError()
    {
        QFETCH(QString, program);
        QFETCH(QStringList, arguments);
        QFETCH(QString, message);
        const ChildEnd result = run(program, arguments);
        QCOMPARE(result.exitCode, 2);
        QVERIFY2(result.standardError.startsWith(message.toLocal8Bit()), result.standardError);
        QVERIFY(result.standardError.contains("--help"));
        QCOMPARE(result.standardOutput, QByteArray());
    }

    void helpAndVersionNeedNoDisplay_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("option");
        QTest::addColumn<QStringList>("expected");

        // Named as typed, and with the built-in instrument's own defaults.
        QTest::newRow("help") << Tarnwick << "--help"
                              << QStringList{"Usage: tarnwick [options]",
                                             "--port <DEVICE>",
                                             "--list-ports",
                                             "--simulate",
                                             "--record <FILE>",
                                             "--continuous",
                                             "--scenario <name>",
                                             "1/FACTOR of a minute (default 60).",
                                             "(0 to 32767, default 144)."};
        QTest::newRow("version") << Tarnwick << "--version"
                                 << QStringList{"tarnwick " PROJECT_VERSION_TEXT "\n"};
        // Each system's own ports, and what --simulate talks to there.
#ifdef Q_OS_WIN
        QTest::newRow("help names Windows' ports")
            << Tarnwick << "--help"
            << QStringList{"COM3", "\\\\.\\COM12", "inside the program;",
                           "Serve this serial device instead of the line inside the program."};
#else
        QTest::newRow("help names Linux's ports")
            << Tarnwick << "--help"
            << QStringList{"/dev/ttyUSB0", "/dev/serial/by-id/", "/dev/pts/N",
                           "on a pseudo-terminal", "instead of a new pseudo-terminal."};
#endif
        QTest::newRow("help with Qt's options")
            << Tarnwick << "--help-all" << QStringList{"--port <DEVICE>", "--qmljsdebugger"};
        QTest::newRow("list ports") << Tarnwick << "--list-ports" << QStringList{};
        QTest::newRow("emulator help")
            << Emulator << "--help"
            << QStringList{"--scenario <name>", "--device <PATH>", "minute (default 1)."};
        QTest::newRow("emulator version")
            << Emulator << "--version" << QStringList{"tarnwick-emulator " PROJECT_VERSION_TEXT};
    }

    void helpAndVersionNeedNoDisplay()
    {
        QFETCH(QString, program);
        QFETCH(QString, option);
        QFETCH(QStringList, expected);
        const ChildEnd result = run(program, {option});
        QCOMPARE(result.exitCode, 0);
        // Help wraps its descriptions wherever the column ends.
        const QString said = QString::fromLocal8Bit(result.standardOutput).simplified();
        for (const QString &text : expected)
            QVERIFY2(said.contains(text.simplified()), result.standardOutput);
#ifdef Q_OS_WIN
        for (const char *linuxOnly : {"/dev/", "pseudo-terminal"})
            QVERIFY2(!result.standardOutput.contains(linuxOnly), result.standardOutput);
#endif
    }

    // Only a window system named on the command line works, so the program stays up only
    // when QApplication got its options.
    void qtOptionsReachTheWindow_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("diagnostic"); // what Qt says of them on standard error

        QTest::newRow("platform") << QStringList{"-platform", "offscreen"} << QString();
        QTest::newRow("two dashes, style")
            << QStringList{"--platform", "offscreen", "-style", "fusion"} << QString();
        QTest::newRow("joined value, among ours")
            << QStringList{"-reverse", "--port", "ttyS0", "-platform", "offscreen", "-style=fusion"}
            << QString();
        QTest::newRow("style Qt lacks")
            << QStringList{"-platform", "offscreen", "-style", "no-such-style"} << "no-such-style";
    }

    void qtOptionsReachTheWindow()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, diagnostic);
        const ChildEnd result = run(Tarnwick, arguments, 2000);
        const bool up = !result.finished;
        const QString err = QString::fromLocal8Bit(result.standardError);
        QVERIFY2(up && err.contains(diagnostic) && !err.contains(u"tarnwick:"), qPrintable(err));
    }

#ifndef Q_OS_WIN
    // The port chosen in the window's menu is the one used while present; gone, the default
    // choice takes its place. --list-ports marks the one used.
    void rememberedPortIsUsedWhilePresent()
    {
        const QByteArray plain = run(Tarnwick, {"--list-ports"}).standardOutput;
        const QList<QByteArray> lines = plain.trimmed().split('\n');
        if (plain.isEmpty())
            QSKIP("no serial port here");
        const QByteArray last = lines.constLast().split('\t').value(1);
        for (const QByteArray &remembered : {QByteArray("/dev/ttyGone0"), last}) {
            QTemporaryDir config;
            QFile file(config.filePath("Tarnwick/tarnwick.conf"));
            QVERIFY(QDir().mkpath(config.filePath("Tarnwick")) && file.open(QIODevice::WriteOnly));
            file.write("[serial]\nport=" + remembered + "\n");
            file.close();
            QProcessEnvironment environment = withoutWindowSystem();
            environment.insert("XDG_CONFIG_HOME", config.path());
            const QByteArray listed =
                runChild(Tarnwick, {"--list-ports"}, environment).standardOutput;
            if (remembered == last)
                QVERIFY2(listed.contains("*\t" + last + '\t'), listed);
            else
                QCOMPARE(listed, plain);
        }
    }
#endif

    void unusableRecordingStopsBeforeTheWindow_data()
    {
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("message");

        const QString record = QStringLiteral("tarnwick: cannot record to ");
        const QString open = QStringLiteral("tarnwick: cannot show the recording ");
        QTest::newRow("missing folder") << "--record"
                                        << "missing/readings.csv" << record;
        QTest::newRow("folder") << "--record"
                                << "." << record;
        QTest::newRow("full device") << "--record"
                                     << "/dev/full" << record;
        QTest::newRow("open, missing file") << "--open"
                                            << "missing/readings.csv" << open;
        QTest::newRow("open, folder") << "--open"
                                      << "." << open;
    }

    void unusableRecordingStopsBeforeTheWindow()
    {
        QFETCH(QString, option);
        QFETCH(QString, path);
        QFETCH(QString, message);
        QTemporaryDir dir;
        const QString file = QDir(dir.path()).filePath(path);
        const ChildEnd result = run(Tarnwick, {option, file});
        QCOMPARE(result.exitCode, 2);
        const QString err = QString::fromLocal8Bit(result.standardError);
        QVERIFY2(err.startsWith(message + QDir::toNativeSeparators(file) + ": "), qPrintable(err));
        QVERIFY(!QFileInfo(dir.filePath(QStringLiteral("missing"))).exists());
    }

#ifndef Q_OS_WIN
    // A script without a display: the report of a recording's last run, and a report that
    // cannot be written.
    void reportIsWrittenWithoutAWindow()
    {
        QTemporaryDir dir;
        const QString recording = dir.filePath(QStringLiteral("run.csv"));
        QVERIFY(writeSmallRecording(recording));
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
            environment.remove(QString::fromLatin1(name));
        const QString pdf = dir.filePath(QStringLiteral("run.pdf"));
        const auto report = [&](const QString &path) {
            return runChild(Tarnwick, {"--open", recording, "--report", path}, environment);
        };

        const ChildEnd written = report(pdf);
        QCOMPARE(written.exitCode, 0);
        QCOMPARE(withoutEnvironmentNotes(written.standardError), QByteArray());
        const QString text = pdfText(pdf);
        for (const QString &expected :
             QStringList{"温度 ℃ +25.3 .* +27.5 .* +26.40 +2",
                         "モード：送信 +測定間隔：10 分毎 +測定時間：2 時間",
                         "記録ファイル：" + recording, "Tarnwick " PROJECT_VERSION_TEXT})
            QVERIFY2(text.contains(QRegularExpression(expected)), qPrintable(text));

        const ChildEnd refused = report(dir.filePath(QStringLiteral("missing/run.pdf")));
        QCOMPARE(refused.exitCode, 2);
        const QByteArray said = withoutEnvironmentNotes(refused.standardError);
        QVERIFY2(said.startsWith("tarnwick: cannot write the report ") && said.count('\n') == 0,
                 said);

        // A layout without the run's settings: the reader's assumption said, and on the page.
        QVERIFY(writeFile(recording, "time,sample,quantity,value,unit\r\n"
                                     "2026-12-09T16:31:23+09:00,0,temperature,25.3,°C\r\n"));
        const ChildEnd assumed = report(pdf);
        QCOMPARE(assumed.exitCode, 0);
        QVERIFY2(assumed.standardError.contains("an older layout"), assumed.standardError);
        QVERIFY(pdfText(pdf).contains(QStringLiteral("推定した値")));
    }
#endif
};

QTEST_APPLESS_MAIN(TestCommandLine)
#include "tst_command_line.moc"
