#include "window/operator_menu.h"

#include "chart/picture_box.h"
#include "record/reading_recorder.h"
#include "serial/present_ports.h"
#include "window/continuous_runs.h"
#include "window/figures_item.h"
#include "window/main_window.h"
#include "window/picture_items.h"
#include "window/remembered_choices.h"
#include "window/system_menu.h"

#include <QActionGroup>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QStandardPaths>
#include <cstdio>

namespace {

// A menu item shows a single & as the mark of its access key.
QString itemText(QString text)
{
    return text.replace(u'&', QStringLiteral("&&"));
}

QString portItemText(const PortDescription &port)
{
    if (port.description.isEmpty())
        return itemText(port.device);
    return itemText(QStringLiteral("%1 (%2)").arg(port.device, port.description));
}

bool isInUse(const PortDescription &port, const QString &device)
{
    return port.device == device || (!port.byIdPath.isEmpty() && port.byIdPath == device);
}

// The line of the instrument inside the program: named for what it is, since its path (a
// pseudo-terminal, or none at all) says nothing to the operator.
const QString BuiltInLine = QStringLiteral("内蔵の模擬測定器");

} // namespace

OperatorMenu::OperatorMenu(Form1 &form) : QObject(&form), form_(form)
{
    addToSystemMenu(form, QStringLiteral("ポートと記録(&P)..."), [this] { popUp(); });
}

void OperatorMenu::fill(QMenu &menu)
{
    menu.clear();
    menu.setTitle(QStringLiteral("Tarnwick"));
    menu.setAccessibleName(QStringLiteral("ポートと記録"));
    addPorts(menu);
    menu.addSeparator();
    addRecording(menu);
    form_.viewing.addItems(menu);
    menu.addSeparator();
    addPictureItems(menu, form_);
    addFiguresItem(menu, form_);
    addContinuous(menu);
    menu.addSeparator();
    addInUse(menu);
}

void OperatorMenu::addPorts(QMenu &menu)
{
    menu.addSection(QStringLiteral("シリアルポート"));
    const QString inUse = form_.MSComm1.deviceName();
    const QList<PortDescription> ports = presentSerialPorts();
    auto *group = new QActionGroup(&menu);
    const auto add = [&](const QString &text, const QString &path, bool checked) {
        QAction *item = menu.addAction(text);
        item->setCheckable(true);
        item->setChecked(checked);
        item->setEnabled(portChangeable());
        item->setData(path);
        group->addAction(item);
        connect(item, &QAction::triggered, this, [this, path] { choosePort(path); });
    };
    if (portFixed_)
        add(BuiltInLine, inUse, true);
    else if (!isPresent(ports, inUse))
        add(itemText(inUse) + QStringLiteral("（見つかりません）"), inUse, true);
    for (const PortDescription &port : ports)
        add(portItemText(port), openingPath(port), isInUse(port, inUse));
}

void OperatorMenu::addRecording(QMenu &menu)
{
    connect(menu.addAction(QStringLiteral("CSV ファイルに記録(&R)...")), &QAction::triggered, this,
            &OperatorMenu::askForRecordFile);
    QAction *end = menu.addAction(QStringLiteral("記録を終了(&E)"));
    end->setEnabled(form_.recording.isOn());
    connect(end, &QAction::triggered, this, &OperatorMenu::endRecording);
}

void OperatorMenu::addContinuous(QMenu &menu)
{
    QAction *item = menu.addAction(QStringLiteral("連続測定（グラフが満ちたら次の測定へ）(&N)"));
    item->setCheckable(true);
    item->setChecked(form_.continuous()->isOn());
    connect(item, &QAction::toggled, this, &OperatorMenu::setContinuous);
}

void OperatorMenu::addInUse(QMenu &menu)
{
    const QString record = form_.recording.isOn() ? QDir::toNativeSeparators(form_.recording.path())
                           : recordingFault_.isEmpty() ? QStringLiteral("なし")
                                                       : recordingFault_;
    const QStringList lines = {
        QStringLiteral("使用中のポート：%1")
            .arg(portFixed_ ? BuiltInLine : form_.MSComm1.deviceName()),
        QStringLiteral("記録：%1").arg(record),
        QStringLiteral("Tarnwick %1").arg(QCoreApplication::applicationVersion())};
    for (const QString &line : lines)
        menu.addAction(itemText(line))->setEnabled(false);
}

void OperatorMenu::popUp(std::optional<QPoint> pos)
{
    QMenu menu(&form_);
    fill(menu);
    const QPoint corner =
        form_.Picture1->mapToGlobal(form_.Picture1->innerOrigin() + QPoint(16, 16));
    menu.exec(pos.value_or(corner));
}

bool OperatorMenu::portChangeable() const
{
    return !portFixed_ && form_.runLock().constFirst()->isEnabled() && !form_.waiting();
}

bool OperatorMenu::choosePort(const QString &path)
{
    if (!portChangeable())
        return false;
    // A port left open by Receive is let go, so that the next command opens the new one.
    form_.MSComm1.setPortOpen(false);
    form_.MSComm1.setDeviceName(path);
    form_.notice.set(TitleNotice::Topic::Port, {});
    remembered::setPort(path);
    return true;
}

bool OperatorMenu::recordTo(const QString &path)
{
    if (!form_.recording.start(path))
        return false;
    form_.notice.set(TitleNotice::Topic::Recording, {});
    recordingFault_.clear();
    remembered::setRecordFile(path);
    lastRecordFile_ = path;
    return true;
}

void OperatorMenu::endRecording()
{
    form_.recording.stop();
    remembered::setRecordFile({});
}

void OperatorMenu::setContinuous(bool on)
{
    form_.continuous()->setOn(on);
    remembered::setContinuous(on);
}

void OperatorMenu::resumeRememberedRecording()
{
    const QString path = remembered::recordFile();
    if (path.isEmpty() || recordTo(path))
        return;
    std::fprintf(stderr, "%s\n", qPrintable(cannotRecordLine(path, form_.recording.errorString())));
    // The title has room for the file's name alone; the menu says where and why.
    recordingFault_ = cannotRecordNotice(path);
    form_.notice.set(TitleNotice::Topic::Recording,
                     QStringLiteral("%1 に記録できません").arg(QFileInfo(path).fileName()));
    remembered::setRecordFile({});
}

QString OperatorMenu::cannotRecordNotice(const QString &path) const
{
    return QStringLiteral("%1 に記録できません：%2")
        .arg(QDir::toNativeSeparators(path), form_.recording.errorString());
}

QString OperatorMenu::recordFolder() const
{
    const QString last = QFileInfo(lastRecordFile_).absolutePath();
    if (!lastRecordFile_.isEmpty() && QFileInfo(last).isDir())
        return last;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

void OperatorMenu::askForRecordFile()
{
    QFileDialog dialog(&form_, QStringLiteral("記録する CSV ファイル"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // The file is appended to, never overwritten.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setNameFilter(QStringLiteral("CSV (*.csv)"));
    dialog.setDefaultSuffix(QStringLiteral("csv"));
    // Never the working folder, which from the Start menu is the program's own: an uninstall
    // or an upgrade would take the recordings with it.
    dialog.setDirectory(recordFolder());
    if (form_.recording.isOn())
        dialog.selectFile(form_.recording.path());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString path = dialog.selectedFiles().constFirst();
    if (!recordTo(path))
        QMessageBox::warning(&form_, QStringLiteral("Tarnwick"), cannotRecordNotice(path));
}
