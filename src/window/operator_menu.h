#pragma once

#include <QObject>
#include <QPoint>
#include <optional>

class Form1;
class QMenu;

// The window's own menu: on a right-click on the chart, the context-menu key or Shift+F10,
// and on Windows also in the window's system menu. It offers the serial ports present, the
// one in use checked; recording to a CSV file and ending it; continuous runs; and what is in
// use now.
// The operator's choices are remembered for the next start.
class OperatorMenu : public QObject {
    Q_OBJECT

public:
    explicit OperatorMenu(Form1 &form);

    // The items as things stand: the ports present are looked up afresh each time.
    void fill(QMenu &menu);
    // Opens the menu at pos (global), or at the chart's corner when the keyboard asks for it.
    void popUp(std::optional<QPoint> pos = std::nullopt);

    // What the items do. The port does not change while a run holds the run lock or a
    // command waits for the acknowledgement on it, nor away from the built-in instrument;
    // false then.
    bool choosePort(const QString &path);
    bool recordTo(const QString &path);
    void endRecording();
    // A new run starts by itself after a full chart's Stop, or no longer does.
    void setContinuous(bool on);
    // The recording chosen at an earlier start goes on; one that cannot is said where the
    // operator looks and forgotten.
    void resumeRememberedRecording();

    // The port is the built-in instrument's line: shown, but no other is offered.
    void fixPort() { portFixed_ = true; }
    bool portChangeable() const;

private:
    void addPorts(QMenu &menu);
    void addRecording(QMenu &menu);
    void addContinuous(QMenu &menu);
    void addInUse(QMenu &menu);
    void askForRecordFile();
    // Where the file dialog opens: the last recording's folder, else the user's documents.
    QString recordFolder() const;
    QString cannotRecordNotice(const QString &path) const;

    Form1 &form_;
    bool portFixed_ = false;
    QString lastRecordFile_;
    QString recordingFault_; // why the remembered recording could not go on, in full
};
