#pragma once

#include <QByteArray>
#include <QIODevice>

// One end of an InProcessLine. What it writes, the other end reads: in order, unchanged, and
// only after a pass of the event loop, as bytes come from a serial port. When the other end
// closes, this one signals readChannelFinished, as a port whose device has vanished.
class InProcessEnd : public QIODevice {
    Q_OBJECT

public:
    bool open(OpenMode mode) override;
    void close() override;
    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override;

protected:
    qint64 readData(char *data, qint64 maxSize) override;
    qint64 writeData(const char *data, qint64 size) override;

private:
    friend class InProcessLine;
    void deliver(const QByteArray &bytes);
    void announce();

    InProcessEnd *peer_ = nullptr;
    bool opensAlone_ = true; // false: opens only while the peer is open
    QByteArray waiting_;     // written by the peer, not yet read
    bool announcing_ = false;
};

// A serial line inside the program, for the built-in instrument where the system offers no
// pseudo-terminal. Bytes written while the other end is closed wait for it, as in a
// pseudo-terminal whose instrument side stays open. The host end opens only while the device
// end is open, as a port opens only while its device is there.
class InProcessLine {
public:
    InProcessLine();
    InProcessLine(const InProcessLine &) = delete;
    InProcessLine &operator=(const InProcessLine &) = delete;

    InProcessEnd &hostEnd() { return host_; }
    InProcessEnd &deviceEnd() { return device_; }

private:
    InProcessEnd host_;
    InProcessEnd device_;
};
