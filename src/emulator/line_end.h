#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <memory>

// What carries the instrument's bytes to and from the host: a pseudo-terminal or a serial
// device, or a line inside the program. DeviceLine paces and splits; an end only moves bytes.
class LineEnd : public QObject {
    Q_OBJECT

public:
    struct Reading {
        QByteArray bytes;
        bool hungUp = false; // the other side has gone for good
    };

    using QObject::QObject;

    // How much of data went out; 0 when the line takes nothing more for now (writable()
    // follows once it does), -1 when the line has gone.
    virtual qint64 write(const char *data, qint64 size) = 0;
    // Everything waiting, without blocking.
    virtual Reading readWaiting() = 0;
    // Blocks until bytes written wait at the host's side, where its next read finds them;
    // false when none arrive in time, or when this end cannot see the host's side.
    virtual bool waitUntilHostCanRead(int /*timeoutMs*/) const { return false; }
    // Hangs up at once. The object itself may be in one of its signals, so whoever owns it
    // deletes it later.
    virtual void close() = 0;

signals:
    void readable();
    void writable();
};

// The system's own lines; each sets error and returns nullptr when it cannot be had.

// A new pseudo-terminal pair; devicePath is the side the host opens.
std::unique_ptr<LineEnd> openPseudoTerminalEnd(QString *devicePath, QString *error);
// A serial device or one side of a pseudo-terminal pair, set raw to protocol::Line.
std::unique_ptr<LineEnd> openDeviceEnd(const QString &devicePath, QString *error);
