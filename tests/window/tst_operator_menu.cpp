#include "desk.h"
#include "device/caption_text.h"
#include "record/recording_layout.h"
#include "serial/present_ports.h"
#include "wait.h"
#include "window/operator_menu.h"
#include "window/remembered_choices.h"

#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString Missing = QStringLiteral("/nonexistent/ttyUSB9");

// The port items of the menu as it opens now: text, checked, enabled.
QList<std::tuple<QString, bool, bool>> portItems(Form1 &form)
{
    QMenu menu;
    form.menu()->fill(menu);
    QList<std::tuple<QString, bool, bool>> items;
    for (QAction *item : menu.actions()) {
        if (item->isCheckable())
            items.append({item->text(), item->isChecked(), item->isEnabled()});
    }
    return items;
}

QAction *item(QMenu &menu, const QString &text)
{
    for (QAction *action : menu.actions()) {
        if (action->text() == text)
            return action;
    }
    return nullptr;
}

} // namespace

class TestOperatorMenu : public QObject {
    Q_OBJECT

    QTemporaryDir settings;

private slots:
    // The menu's choices go to settings of the test's own: on Windows in the registry, as
    // the program keeps them, elsewhere in a file of its own.
    void initTestCase()
    {
        QCoreApplication::setOrganizationName(QStringLiteral("TarnwickTest"));
#ifdef Q_OS_WIN
        QSettings().clear();
#else
        QSettings::setDefaultFormat(QSettings::IniFormat);
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
#endif
    }

    // The title says what is wrong until the port opens; the status line stays the commands'.
    void portFaultShowsInTheTitleUntilThePortOpens()
    {
        ScriptedDesk desk;
        const QString caption = desk.form.windowTitle();
        desk.form.MSComm1.setDeviceName(Missing);
        desk.form.Command1->click();
        QCOMPARE(desk.form.windowTitle(), caption + " ― " + Missing + " が見つかりません");
        QCOMPARE(desk.form.Label7->text(), caption::StatusPrefix);
        QCOMPARE(desk.errors.size(), 1); // the line on standard error stays

        // The device is back: Stop opens it, the notice goes, and the acknowledgement ends the run.
        desk.form.MSComm1.setLine(desk.instrument.hostEnd());
        desk.instrument.answer('S', "\x06");
        desk.form.Command2->click();
        QCOMPARE(desk.form.windowTitle(), caption);
        QVERIFY(desk.unlocked());
        desk.measure();
        desk.instrument.hangUp();
        QVERIFY(
            waitUntil([&] { return desk.form.windowTitle().endsWith("との接続が切れました"); }));
        QVERIFY(desk.locked()); // the run goes on until Stop, as without the notice
    }

    void menuListsThePortsAndSwitches()
    {
        Desk desk(Missing);
        const QList<PortDescription> present = presentSerialPorts();
        auto items = portItems(desk.form);
        QCOMPARE(items.size(), present.size() + 1);
        QCOMPARE(items.constFirst(), std::tuple(Missing + "（見つかりません）", true, true));
        if (present.isEmpty())
            QSKIP("no serial port here to switch to");
        const QString port = openingPath(present.constFirst());
        QVERIFY(desk.form.menu()->choosePort(port));
        QCOMPARE(desk.form.MSComm1.deviceName(), port);
        QCOMPARE(remembered::port(), port);
#ifdef Q_OS_WIN
        QProcess reg;
        reg.start("reg.exe", {"query", "HKCU\\Software\\TarnwickTest\\" +
                                           QCoreApplication::applicationName() + "\\serial"});
        QVERIFY(reg.waitForFinished(10000));
        QVERIFY2(reg.readAllStandardOutput().contains(port.toLocal8Bit()), "not in the registry");
#endif
        items = portItems(desk.form);
        QCOMPARE(items.size(), present.size());
        QVERIFY(std::get<1>(items.constFirst()));
    }

    void portStaysWhileTheRunLockHolds()
    {
        ScriptedDesk desk;
        desk.measure();
        for (const auto &[text, checked, enabled] : portItems(desk.form))
            QVERIFY2(!enabled, qPrintable(text));
        QVERIFY(!desk.form.menu()->choosePort(Missing));
        QCOMPARE(desk.form.MSComm1.deviceName(), desk.instrument.devicePath());
    }

    // The menu's recording writes the rows --record writes, and ends when told.
    void recordingStartsAndEndsFromTheMenu()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("readings.csv"));
        ScriptedDesk desk;
        QVERIFY(desk.form.menu()->recordTo(file));
        QCOMPARE(remembered::recordFile(), file);
        desk.measure();
        desk.instrument.send("T25.3\r\nH60.1\r\nT25.4\r\n");
        QVERIFY(waitUntil([&] { return desk.form.Label5->text().contains("25.4"); }));
        QMenu menu;
        desk.form.menu()->fill(menu);
        QVERIFY(item(menu, "記録：" + QDir::toNativeSeparators(file)));
        item(menu, "記録を終了(&E)")->trigger();
        QVERIFY(remembered::recordFile().isEmpty());
        desk.instrument.send("H61.0\r\nT26.0\r\n");
        QVERIFY2(waitUntil([&] { return desk.form.Label5->text().contains("26"); }),
                 qPrintable(desk.form.Label5->text()));

        QFile csv(file);
        QVERIFY(csv.open(QIODevice::ReadOnly));
        QList<QByteArray> rows = csv.readAll().split('\n');
        QCOMPARE(rows.takeFirst() + '\n',
                 recording::ByteOrderMark + recording::header(recording::Layout::Samples));
        QStringList fields;
        for (const QByteArray &row : rows)
            fields << QString::fromUtf8(row).section(u',', 1, 2);
        // The sample still open when the recording ended is in it as it stood.
        QCOMPARE(fields, QStringList({"25.3,60.1", "25.4,", ""}));
        QVERIFY(!desk.form.menu()->recordTo(dir.filePath("missing/readings.csv")));
        QVERIFY(!desk.form.recording.isOn());
    }

    // Shift+F10 opens the menu from the keyboard, with its items named for a screen reader.
    void keyboardOpensTheMenu()
    {
        Desk desk(Missing);
        QString name;
        bool inUseShown = false;
        QTimer::singleShot(0, &desk.form, [&] {
            auto *shown = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            if (!shown)
                return;
            name = shown->accessibleName();
            inUseShown = item(*shown, "使用中のポート：" + Missing);
            shown->close();
        });
        QTest::keyClick(&desk.form, Qt::Key_F10, Qt::ShiftModifier);
        QCOMPARE(name, QStringLiteral("ポートと記録"));
        QVERIFY(inUseShown);
    }
};

QTEST_MAIN(TestOperatorMenu)
#include "tst_operator_menu.moc"
