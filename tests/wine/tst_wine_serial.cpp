#include "desk.h"
#include "device/caption_text.h"
#include "wait.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

// Set by serial_run.sh: the COM port Wine links to the pseudo-terminal of a Linux
// tarnwick-emulator started with --speed 1200 --logged 3.
const char *const PortVariable = "TARNWICK_WINE_PORT";

// What keeps the readings away, as WINEDEBUG=+comm,+file shows: QSerialPort learns of
// received bytes from WaitCommEvent's packet on its I/O completion port, and Wine's serial
// wait never posts one, so QSerialPort never issues a ReadFile.
const char *const WineReadLimit =
    "Wine 8.0 posts no completion packet for WaitCommEvent, so QSerialPort never reads";

// A minute of the instrument in 50 ms: the first reading is due long before this.
constexpr int FirstReadingMs = 2000;
constexpr int FullChartMs = 10000;
constexpr int AcknowledgementMs = 1000;

// Clicks a command that waits for the instrument's acknowledgement; if none has shown after
// a while, the test ends the window's wait by showing it, and false is returned.
bool clickAcknowledged(Form1 &form, QPushButton *command)
{
    bool ended = false;
    QTimer::singleShot(AcknowledgementMs, &form, [&] {
        if (form.Label7->text() == caption::Acknowledged)
            return;
        ended = true;
        form.Label7->setText(caption::Acknowledged);
    });
    command->click();
    return !ended;
}

} // namespace

class TestWineSerial : public QObject {
    Q_OBJECT

private slots:
    // A live run, a Receive of the instrument's log and the window's close, over a COM port
    // of Wine's. The commands' bytes are checked on the instrument's side, by the script.
    void wholeRunOverComPort()
    {
        const QString port = qEnvironmentVariable(PortVariable);
        QVERIFY2(!port.isEmpty(), "TARNWICK_WINE_PORT did not reach the program");
        Desk desk(port);
        Form1 &form = desk.form;

        form.Command1->click();
        QVERIFY2(form.MSComm1.PortOpen(), qPrintable(desk.errors.join(u'\n')));
        QVERIFY(desk.locked());
        const bool reading =
            waitUntil([&] { return form.session().SampleCount > 0; }, FirstReadingMs);
        QEXPECT_FAIL("", WineReadLimit, Continue);
        QVERIFY2(reading, "no reading arrived");
        if (reading) {
            // A full chart stops the run by itself.
            QVERIFY(waitUntil([&] { return desk.unlocked(); }, FullChartMs));
            QCOMPARE(form.session().SampleCount, 60);
            QCOMPARE(form.Label7->text(), caption::Acknowledged);
        } else {
            const bool acknowledged = clickAcknowledged(form, form.Command2);
            QEXPECT_FAIL("", WineReadLimit, Continue);
            QVERIFY2(acknowledged, "no acknowledgement of Stop arrived");
        }
        QVERIFY(desk.unlocked());
        QVERIFY(!form.MSComm1.PortOpen());

        const std::int32_t before = form.session().SampleCount;
        const bool acknowledged = clickAcknowledged(form, form.Command3);
        QEXPECT_FAIL("", WineReadLimit, Continue);
        QVERIFY2(acknowledged && form.session().SampleCount == before + 3,
                 "the instrument's three logged pairs did not arrive");
        QVERIFY(form.MSComm1.PortOpen()); // Receive leaves the port open

        form.close();
        QVERIFY(desk.ended);
        QVERIFY(!form.MSComm1.PortOpen());
        QVERIFY(desk.errors.isEmpty());
    }
};

QTEST_MAIN(TestWineSerial)
#include "tst_wine_serial.moc"
