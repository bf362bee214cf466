#include "process_output.h"

#include <QDir>
#include <QFile>
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
        QTest::addColumn<QString>("path");

        QTest::newRow("missing folder") << QStringLiteral("missing/readings.csv");
        QTest::newRow("folder") << QStringLiteral(".");
        QTest::newRow("full device") << QStringLiteral("/dev/full");
    }

    void unusableRecordingStopsBeforeTheWindow()
    {
        QFETCH(QString, path);
        QTemporaryDir dir;
        const QString file = QDir(dir.path()).filePath(path);
        const ChildEnd result = run(Tarnwick, {"--record", file});
        QCOMPARE(result.exitCode, 2);
        const QString err = QString::fromLocal8Bit(result.standardError);
        QVERIFY2(err.startsWith(QStringLiteral("tarnwick: cannot record to ") + file + ": "),
                 qPrintable(err));
        QVERIFY(!QFileInfo(dir.filePath(QStringLiteral("missing"))).exists());
    }
};

QTEST_APPLESS_MAIN(TestCommandLine)
#include "tst_command_line.moc"
