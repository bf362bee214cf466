#include "process_output.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTest>

// The program itself, started with its built-in instrument, as a user would start it.
class TestSimulateMode : public QObject {
    Q_OBJECT

private slots:
    void startsAndStaysUp_data()
    {
        QTest::addColumn<QStringList>("arguments");

        QTest::newRow("defaults") << QStringList{"--simulate"};
        QTest::newRow("a faulty instrument")
            << QStringList{"--simulate", "--scenario", "cold",    "--noise", "0.5",
                           "--split",    "--no-ack",   "--speed", "600"};
    }

    void startsAndStaysUp()
    {
        QFETCH(QStringList, arguments);
        QProcess program;
        program.start(QStringLiteral(TARNWICK_PROGRAM), arguments);
        QVERIFY(program.waitForStarted());
        QVERIFY2(!program.waitForFinished(1000), program.readAllStandardError().constData());
        QCOMPARE(program.state(), QProcess::Running);
        const QByteArray errors = withoutEnvironmentNotes(program.readAllStandardError());
        QVERIFY2(errors.isEmpty(), errors.constData());
        program.kill();
        QVERIFY(program.waitForFinished());
    }
};

QTEST_GUILESS_MAIN(TestSimulateMode)
#include "tst_simulate_mode.moc"
