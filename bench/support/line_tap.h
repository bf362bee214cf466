#pragma once

#include "serial/pseudo_terminal.h"

#include <QByteArray>
#include <QString>
#include <ctime>
#include <mutex>
#include <thread>

// Sits on the line between the instrument's device and the window, on a thread of its own:
// passes the bytes both ways and keeps a copy of what the instrument sent, so that a run
// can be checked against exactly what went over the line.
class LineTap {
public:
    explicit LineTap(const QString &instrumentDevice);
    ~LineTap();
    LineTap(const LineTap &) = delete;
    LineTap &operator=(const LineTap &) = delete;

    bool isOpen() const { return instrumentFd_ >= 0 && window_.isOpen(); }
    // What the window opens as its port.
    QString devicePath() const { return window_.devicePath(); }

    // What the instrument has sent since the last call.
    QByteArray takeFromInstrument();
    // Processor time of the tap's thread so far, to be left out of the window's.
    double cpuSeconds() const;

private:
    void run();
    void pass(int from, int to, bool keep);

    PseudoTerminal window_;
    int instrumentFd_ = -1;
    int wake_[2] = {-1, -1};
    std::mutex mutex_;
    QByteArray fromInstrument_;
    std::thread thread_;
    clockid_t cpuClock_{};
    bool hasCpuClock_ = false;
};
