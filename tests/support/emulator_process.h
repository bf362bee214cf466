#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

// tarnwick-emulator in a child process on a new pseudo-terminal, so that its work is not
// counted with the window's (the benchmarks' figures). Ended when this object goes.
class EmulatorProcess {
public:
    explicit EmulatorProcess(const QStringList &arguments);
    ~EmulatorProcess();
    EmulatorProcess(const EmulatorProcess &) = delete;
    EmulatorProcess &operator=(const EmulatorProcess &) = delete;

    // Empty when the emulator did not come up.
    QString devicePath() const { return devicePath_; }

private:
    QProcess process_;
    QString devicePath_;
};
