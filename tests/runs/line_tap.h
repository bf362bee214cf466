#pragma once

#include "serial/pseudo_terminal.h"

#include <QByteArray>
#include <QSocketNotifier>
#include <QString>

// Two pseudo-terminals joined end to end: the instrument serves one, the window opens the
// other, and every byte is passed on at once and kept, so a test can see exactly what went
// over the line in either direction.
class LineTap {
public:
    LineTap();

    QString instrumentPath() const { return instrumentSide_.devicePath(); }
    QString windowPath() const { return windowSide_.devicePath(); }

    QByteArray fromInstrument() const { return fromInstrument_; }
    QByteArray fromWindow() const { return fromWindow_; }

private:
    PseudoTerminal instrumentSide_;
    PseudoTerminal windowSide_;
    QSocketNotifier instrumentReadable_;
    QSocketNotifier windowReadable_;
    QByteArray fromInstrument_;
    QByteArray fromWindow_;
};
