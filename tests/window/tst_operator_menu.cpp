#include "desk.h"
#include "device/caption_text.h"
#include "menu_item.h"
#include "record/recording_layout.h"
#include "serial/present_ports.h"
#include "wait.h"
#include "window/continuous_runs.h"
#include "window/operator_menu.h"
#include "window/remembered_choices.h"

#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QSet>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#ifdef Q_OS_WIN
#include <vector>
#include <windows.h>
#endif

namespace {

const QString Missing = QStringLiteral("/nonexistent/ttyUSB9");

// The port items of the menu as it opens now: text, checked, enabled.
QList<std::tuple<QString, bool, bool>> portItems(Form1 &form)
{
    QMenu menu;
    form.menu()->fill(menu);
    QList<std::tuple<QString, bool, bool>> items;
    for (QAction *item : menu.actions()) {
        if (item->actionGroup())
            items.append({item->text(), item->isChecked(), item->isEnabled()});
    }
    return items;
}

QString shownMenuText(Form1 &form, const QString &start)
{
    QMenu menu;
    form.menu()->fill(menu);
    for (QAction *action : menu.actions()) {
        if (action->text().startsWith(start))
            return action->text();
    }
    return {};
}

// The folder the record item's file dialog opens in; the dialog is then cancelled.
QString recordDialogFolder(Form1 &form)
{
    QString folder;
    QTimer::singleShot(0, &form, [&] {
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (auto *dialog = qobject_cast<QFileDialog *>(window); dialog && dialog->isVisible()) {
                folder = dialog->directory().absolutePath();
                dialog->reject();
            }
        }
    });
    QMenu menu;
    form.menu()->fill(menu);
    menuItem(menu, "CSV ファイルに記録(&R)...")->trigger();
    return folder;
}

#ifdef Q_OS_WIN
// Keys as the keyboard gives them, each with whether it is let go.
using Keys = std::vector<std::pair<WORD, bool>>;

void sendKeys(const Keys &strokes)
{
    std::vector<INPUT> inputs;
    for (const auto &[key, up] : strokes) {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
        input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        inputs.push_back(input);
    }
    QCOMPARE(SendInput(UINT(inputs.size()), inputs.data(), sizeof(INPUT)), UINT(inputs.size()));
}
#endif

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

#ifdef Q_OS_WIN
    // First, while no window of another test has been: the system menu's keys have been seen
    // to go astray after them under Wine.
    // The item at the end of the system menu, chosen as the operator chooses it: by its key
    // after Alt+Space, or by the WM_SYSCOMMAND that choosing it posts to the window.
    void systemMenuItemOpensTheMenu_data()
    {
        QTest::addColumn<bool>("byKeyboard");
        QTest::newRow("Alt+Space,P") << true;
        QTest::newRow("posted") << false;
    }

    void systemMenuItemOpensTheMenu()
    {
        QFETCH(bool, byKeyboard);
        if (QGuiApplication::platformName() != QStringLiteral("windows"))
            QSKIP("the system menu is Windows' own, on its windows platform");
        Desk desk(Missing);
        desk.form.show();
        QVERIFY(QTest::qWaitForWindowActive(&desk.form));
        const auto window = reinterpret_cast<HWND>(desk.form.winId());
        const HMENU systemMenu = GetSystemMenu(window, FALSE);
        const int count = GetMenuItemCount(systemMenu);
        QVERIFY(count > 0);
        wchar_t text[64] = {};
        GetMenuStringW(systemMenu, count - 1, text, 64, MF_BYPOSITION);
        QCOMPARE(QString::fromWCharArray(text), QStringLiteral("ポートと記録(&P)..."));
        if (byKeyboard) {
            // Alt+Space opens the system menu, whose own loop takes the keys after it: P, still
            // with Alt down, chooses the item. Alt is taken by the window first, as a person's is.
            const Keys alt(1, {VK_MENU, false});
            const Keys rest = {
                {VK_SPACE, false}, {VK_SPACE, true}, {'P', false}, {'P', true}, {VK_MENU, true},
            };
            sendKeys(alt);
            QTest::qWait(200);
            sendKeys(rest);
        } else {
            PostMessageW(window, WM_SYSCOMMAND, GetMenuItemID(systemMenu, count - 1), 0);
        }
        // The menu runs a loop of its own: it is looked for, and closed, from inside it.
        QString shown;
        QTimer look;
        look.callOnTimeout([&] {
            if (auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())) {
                shown = menu->accessibleName();
                menu->close();
            }
        });
        look.start(50);
        QVERIFY(waitUntil([&] { return !shown.isEmpty(); }));
        QCOMPARE(shown, QStringLiteral("ポートと記録"));
    }
#endif

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

    void portStaysWhileARunOrAWaitHoldsIt_data()
    {
        QTest::addColumn<QString>("holder");
        QTest::newRow("run lock") << "Measure";
        QTest::newRow("Stop's wait") << "Stop";
        QTest::newRow("Receive's wait") << "Receive";
    }

    // A port switched under a wait would close the port the acknowledgement comes on.
    void portStaysWhileARunOrAWaitHoldsIt()
    {
        QFETCH(QString, holder);
        ScriptedDesk desk;
        QList<std::tuple<QString, bool, bool>> items;
        bool switched = true;
        const auto tryToSwitch = [&] {
            items = portItems(desk.form);
            switched = desk.form.menu()->choosePort(Missing);
        };
        if (holder == "Measure") {
            desk.measure();
            tryToSwitch();
        } else {
            QTimer::singleShot(50, &desk.form, [&] {
                tryToSwitch();
                desk.form.Label7->setText(caption::Acknowledged);
            });
            (holder == "Stop" ? desk.form.Command2 : desk.form.Command3)->click();
        }
        QVERIFY(!items.isEmpty());
        for (const auto &[text, checked, enabled] : items)
            QVERIFY2(!enabled, qPrintable(text));
        QVERIFY(!switched);
        QCOMPARE(desk.form.MSComm1.deviceName(), desk.instrument.devicePath());
        QVERIFY(desk.form.menu()->portChangeable() || holder == "Measure");
    }

    // The built-in instrument's line is named for what it is, never as missing.
    void builtInLineIsNamed()
    {
        Desk desk(Missing);
        desk.form.menu()->fixPort();
        const QString builtIn = QStringLiteral("内蔵の模擬測定器");
        QCOMPARE(portItems(desk.form).constFirst(), std::tuple(builtIn, true, false));
        for (const auto &[text, checked, enabled] : portItems(desk.form))
            QVERIFY2(!text.contains("見つかりません"), qPrintable(text));
        QCOMPARE(shownMenuText(desk.form, "使用中のポート："), "使用中のポート：" + builtIn);
    }

    // Never the working folder (the program's own, from the Start menu): the documents, then
    // the folder of the last recording.
    void recordDialogOpensWhereRecordingsBelong()
    {
        QTemporaryDir programFolder, records;
        const QString working = QDir::currentPath();
        QDir::setCurrent(programFolder.path());
        Desk desk(Missing);
        const QString documents =
            QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        const QString first = recordDialogFolder(desk.form);
        QVERIFY2(first == documents || first == QDir::homePath(), qPrintable(first));
        QVERIFY(desk.form.menu()->recordTo(records.filePath("readings.csv")));
        desk.form.menu()->endRecording();
        QCOMPARE(recordDialogFolder(desk.form), records.path());
        QDir::setCurrent(working);
    }

    // A remembered recording that cannot go on: the title names the file alone, so that it
    // reads whole; the menu says where and why.
    void unusableRememberedRecordingIsNamedInShort()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath("missing/readings.csv");
        remembered::setRecordFile(file);
        Desk desk(Missing);
        const QString caption = desk.form.windowTitle();
        desk.form.menu()->resumeRememberedRecording();
        QCOMPARE(desk.form.windowTitle(), caption + " ― readings.csv に記録できません");
        const QString said = "記録：" + QDir::toNativeSeparators(file) + " に記録できません：";
        QVERIFY2(shownMenuText(desk.form, said).size() > said.size(),
                 qPrintable(shownMenuText(desk.form, "記録：")));
        QVERIFY(remembered::recordFile().isEmpty());
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
        QVERIFY(menuItem(menu, "記録：" + QDir::toNativeSeparators(file)));
        menuItem(menu, "記録を終了(&E)")->trigger();
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

    void continuousRunsAreChosenAndRemembered()
    {
        Desk desk(Missing);
        const auto choose = [&] {
            QMenu menu;
            desk.form.menu()->fill(menu);
            menuItem(menu, "連続測定（グラフが満ちたら次の測定へ）(&N)")->trigger();
        };
        QVERIFY(!desk.form.continuous()->isOn());
        choose();
        QVERIFY(desk.form.continuous()->isOn());
        QVERIFY(remembered::continuous());
        choose();
        QVERIFY(!desk.form.continuous()->isOn());
        QVERIFY(!remembered::continuous());
    }

    // A key names one item: a key shared by two only moves between them.
    void everyItemHasAKeyOfItsOwn()
    {
        Desk desk(Missing);
        QMenu menu;
        desk.form.menu()->fill(menu);
        QStringList keys;
        for (const QAction *action : menu.actions()) {
            const qsizetype at = action->text().indexOf(u'&');
            if (at >= 0)
                keys << action->text().mid(at + 1, 1).toUpper();
        }
        QCOMPARE_GT(keys.size(), 5);
        QCOMPARE(QSet<QString>(keys.begin(), keys.end()).size(), keys.size());
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
            inUseShown = menuItem(*shown, "使用中のポート：" + Missing);
            shown->close();
        });
        QTest::keyClick(&desk.form, Qt::Key_F10, Qt::ShiftModifier);
        QCOMPARE(name, QStringLiteral("ポートと記録"));
        QVERIFY(inUseShown);
    }
};

QTEST_MAIN(TestOperatorMenu)
#include "tst_operator_menu.moc"
