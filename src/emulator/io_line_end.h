#pragma once

#include "emulator/line_end.h"

class QIODevice;

// A line end over a QIODevice that is open already: an in-process line, or a serial port.
// Bytes written are queued by the device, so the line is never full.
class IoLineEnd : public LineEnd {
    Q_OBJECT

public:
    explicit IoLineEnd(QIODevice *device, QObject *parent = nullptr);

    qint64 write(const char *data, qint64 size) override;
    Reading readWaiting() override;
    void close() override;

    // The device went away under the end, as an unplugged adapter does.
    void hangUp();

private:
    QIODevice *device_;
    bool hungUp_ = false;
};
