#pragma once

#include "lines/program_line.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>
#include <memory>
#include <optional>

class InProcessLine;
class LineEnd;

// How the instrument's end of the line sends.
struct LineOptions {
    bool pace = false;  // no faster than the line's baud rate: 1920 bytes a second
    bool split = false; // one byte at a time, about 1 ms apart
    // Once this many bytes are written, send nothing more and hang up shortly after,
    // when the host has had time to read them.
    std::optional<qint64> dropAfter;
};

// The instrument's end of a serial line: a new pseudo-terminal, a device it opens, or a line
// inside the program. Everything runs on the event loop of the object's thread: reads when
// the host has written, writes as fast as the line takes them (or as paced), never blocks.
class DeviceLine : public QObject {
    Q_OBJECT

public:
    explicit DeviceLine(const LineOptions &options, QObject *parent = nullptr);
    ~DeviceLine() override;

    bool openPseudoTerminal();
    // A serial port or one end of a pseudo-terminal pair, set to the protocol's raw 8N1 line.
    bool open(const QString &devicePath);
    // A line inside the program, whose other end is in hostEnd().
    bool openInProcess();
    // For a host in this program, which finds it at hostEnd(): the kind of line this system
    // offers such a pair, unless a test asks for the other.
    bool openForThisProgram(LineKind kind = programLine());
    bool isOpen() const { return end_ != nullptr; }
    // What the host connects to: a device, or with a line inside the program its name.
    QString devicePath() const { return devicePath_; }
    // Where the host finds this end: its device path, or the host's end of a line inside
    // the program.
    HostEnd hostEnd() const;
    QString errorString() const { return error_; }

    // Queues bytes for the host; they go out in order, as the line allows.
    void send(const QByteArray &bytes);
    // Bytes queued and not yet written.
    qsizetype pendingBytes() const { return pending_.size(); }
    // Every byte sent since the line opened: written, or queued to be.
    qint64 bytesSent() const { return written_ + pending_.size(); }
    // Blocks until bytes written wait at the host's end, where its next read finds them;
    // false when none arrive in time, or when the line cannot see the host's end.
    bool waitUntilHostCanRead(int timeoutMs) const;
    // Hangs up at once, as an unplugged adapter.
    void close();

signals:
    void received(const QByteArray &bytes);
    void closed();

private:
    bool watch(std::unique_ptr<LineEnd> end);
    void release();
    void readWaiting();
    void flush();
    bool writeChunk();
    qsizetype nextChunkSize() const;
    int gapAfter(qsizetype written) const;
    bool dropIsDue() const;
    void drop();

    LineOptions options_;
    std::unique_ptr<InProcessLine> inProcess_; // kept while the host may hold its end
    LineEnd *end_ = nullptr;
    bool waitingForRoom_ = false; // the line was full: the end says when it takes more
    QString devicePath_;
    QString error_;
    QTimer gap_; // holds the next write back while pacing or splitting
    QTimer hangUp_;
    bool dropped_ = false; // deaf and mute, waiting for the hang-up
    QByteArray pending_;
    qint64 written_ = 0;
};
