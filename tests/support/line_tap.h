#pragma once

#include "lines/pseudo_terminal.h"

#include <QByteArray>
#include <QString>
#include <mutex>
#include <thread>

// Two pseudo-terminals joined end to end on a thread of their own: the instrument serves
// one, the window opens the other, and every byte is passed on at once and kept, so that a
// run can be checked against exactly what went over the line in either direction. The
// thread needs no event loop, and its processor time can be left out of the window's.
class LineTap {
public:
    LineTap();
    ~LineTap();
    LineTap(const LineTap &) = delete;
    LineTap &operator=(const LineTap &) = delete;

    bool isOpen() const;
    QString instrumentPath() const { return instrumentSide_.devicePath(); }
    QString windowPath() const { return windowSide_.devicePath(); }

    QByteArray fromInstrument() const;
    QByteArray fromWindow() const;

    // Processor time of the tap's thread so far.
    double cpuSeconds();

private:
    void run();
    void pass(PseudoTerminal &from, PseudoTerminal &to, QByteArray &kept);

    PseudoTerminal instrumentSide_;
    PseudoTerminal windowSide_;
    int wake_[2] = {-1, -1};
    mutable std::mutex mutex_;
    QByteArray fromInstrument_;
    QByteArray fromWindow_;
    std::thread thread_;
};
