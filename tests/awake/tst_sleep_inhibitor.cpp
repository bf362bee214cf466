#include "desk.h"
#include "device/device_protocol.h"
#include "wait.h"

#include <QDBusConnection>
#include <QDBusUnixFileDescriptor>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <poll.h>
#include <unistd.h>

namespace {

const QString Login1 = QStringLiteral("org.freedesktop.login1");

// The login manager's Inhibit: the inhibitor lasts while the descriptor handed out stays open
// anywhere, which the stand-in sees as the far end of a pipe hanging up.
class StandInLoginManager : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Manager")

public:
    QStringList request;
    int heldEnd = -1;

    bool released() const
    {
        pollfd end{heldEnd, POLLIN, 0};
        return poll(&end, 1, 0) == 1 && (end.revents & POLLHUP);
    }

public slots:
    QDBusUnixFileDescriptor Inhibit(const QString &what, const QString &who, const QString &why,
                                    const QString &mode)
    {
        request = {what, who, why, mode};
        int ends[2];
        if (pipe(ends) != 0)
            return {};
        heldEnd = ends[0];
        const QDBusUnixFileDescriptor handedOut(ends[1]);
        ::close(ends[1]);
        return handedOut;
    }
};

// A run from Measure to the acknowledged Stop.
void measureAndStop(ScriptedDesk &desk, const std::function<void()> &duringRun)
{
    desk.instrument.answer('S', protocol::Acknowledgement);
    desk.measure();
    duringRun();
    desk.form.Command2->click();
    QVERIFY(desk.unlocked());
}

} // namespace

class TestSleepInhibitor : public QObject {
    Q_OBJECT

    QProcess bus;
    StandInLoginManager manager;

private slots:
    // The program finds the system bus where this one is.
    void initTestCase()
    {
        bus.start(QStringLiteral("dbus-daemon"),
                  {QStringLiteral("--session"), QStringLiteral("--nofork"),
                   QStringLiteral("--print-address=1")});
        QVERIFY(bus.waitForReadyRead(DefaultWaitMs));
        const QByteArray address = bus.readLine().trimmed();
        qputenv("DBUS_SYSTEM_BUS_ADDRESS", address);
        QDBusConnection standIn = QDBusConnection::connectToBus(QString::fromUtf8(address), Login1);
        QVERIFY(standIn.registerObject(QStringLiteral("/org/freedesktop/login1"), &manager,
                                       QDBusConnection::ExportAllSlots));
        QVERIFY(standIn.registerService(Login1));
    }

    void cleanupTestCase()
    {
        bus.kill();
        bus.waitForFinished();
    }

    void runHoldsTheSystemAwakeUntilItsStop()
    {
        ScriptedDesk desk;
        measureAndStop(desk, [&] {
            QVERIFY(waitUntil([&] { return manager.heldEnd >= 0; }));
            QCOMPARE(manager.request,
                     QStringList({"sleep", "Tarnwick", "Tarnwick is measuring", "block"}));
            QTest::qWait(50);
            QVERIFY(!manager.released());
        });
        QVERIFY(waitUntil([&] { return manager.released(); }));
    }

    // Without a login manager the run goes as ever, and nothing is said.
    void withoutLoginManagerNothingHappens()
    {
        QVERIFY(QDBusConnection(Login1).unregisterService(Login1));
        ScriptedDesk desk;
        measureAndStop(desk, [&] { QVERIFY(desk.form.awake.held()); });
        QVERIFY(!desk.form.awake.held());
        QVERIFY(desk.errors.isEmpty());
    }
};

QTEST_MAIN(TestSleepInhibitor)
#include "tst_sleep_inhibitor.moc"
