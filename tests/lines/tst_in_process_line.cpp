#include "lines/in_process_line.h"

#include <QSignalSpy>
#include <QTest>

class TestInProcessLine : public QObject {
    Q_OBJECT

private slots:
    // Each end's writes reach the other in order, unchanged, and announced once per pass of
    // the event loop, never from inside the write.
    void bytesArriveInOrderAfterAPassOfTheEventLoop()
    {
        InProcessLine line;
        QVERIFY(line.deviceEnd().open(QIODevice::ReadWrite));
        QVERIFY(line.hostEnd().open(QIODevice::ReadWrite));
        for (InProcessEnd *from : {&line.hostEnd(), &line.deviceEnd()}) {
            InProcessEnd &to = from == &line.hostEnd() ? line.deviceEnd() : line.hostEnd();
            QSignalSpy announced(&to, &QIODevice::readyRead);
            QCOMPARE(from->write("T25"), 3);
            QCOMPARE(from->write(QByteArray(".3\0\xFF", 4)), 4);
            QCOMPARE(announced.size(), 0);
            QVERIFY(announced.wait(1000));
            QCoreApplication::processEvents();
            QCOMPARE(announced.size(), 1);
            QCOMPARE(to.readAll(), QByteArray("T25.3\0\xFF", 7));
            QCOMPARE(to.bytesAvailable(), 0);
        }
    }

    // As a port opens only while its device is there, and sees it vanish.
    void hostEndOpensOnlyWhileTheDeviceEndIsOpen()
    {
        InProcessLine line;
        QVERIFY(!line.hostEnd().open(QIODevice::ReadWrite));
        QCOMPARE(line.hostEnd().errorString(), QStringLiteral("no instrument on the line"));
        QVERIFY(line.deviceEnd().open(QIODevice::ReadWrite));
        QVERIFY(!line.deviceEnd().open(QIODevice::ReadWrite));
        QVERIFY(line.hostEnd().open(QIODevice::ReadWrite));

        QSignalSpy hostFinished(&line.hostEnd(), &QIODevice::readChannelFinished);
        QSignalSpy deviceFinished(&line.deviceEnd(), &QIODevice::readChannelFinished);
        line.deviceEnd().close();
        QCOMPARE(hostFinished.size(), 1);
        line.hostEnd().close();
        QCOMPARE(deviceFinished.size(), 0); // nobody there to tell
    }

    // The instrument's bytes written while the host is closed wait for its next open.
    void bytesForAClosedEndWaitForItsOpen()
    {
        InProcessLine line;
        QVERIFY(line.deviceEnd().open(QIODevice::ReadWrite));
        QCOMPARE(line.deviceEnd().write("\x06"), 1);
        QSignalSpy announced(&line.hostEnd(), &QIODevice::readyRead);
        QCoreApplication::processEvents();
        QCOMPARE(announced.size(), 0);
        QVERIFY(line.hostEnd().open(QIODevice::ReadWrite));
        QVERIFY(announced.wait(1000));
        QCOMPARE(line.hostEnd().readAll(), QByteArray("\x06"));
    }
};

QTEST_GUILESS_MAIN(TestInProcessLine)
#include "tst_in_process_line.moc"
