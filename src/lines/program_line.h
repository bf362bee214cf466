#pragma once

#include <QString>

class QIODevice;

// The two lines a host and an instrument in one program can talk over.
enum class LineKind {
    PseudoTerminal, // the host opens a device by its path, as it would a real instrument's port
    InProcess,      // an InProcessLine
};

// What a host and an instrument in this program talk over: a pseudo-terminal where the system
// has them, so that the host takes the serial path a real instrument takes; else an
// InProcessLine.
LineKind programLine();

// Where a host finds the instrument: a device path it opens as a serial port, or the host's end
// of a line inside the program and the name that line goes by.
struct HostEnd {
    QString name;
    QIODevice *device = nullptr; // null for a device path
};
