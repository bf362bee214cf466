#include "emulator/device_line.h"

#include "device/device_protocol.h"
#include "emulator/io_line_end.h"
#include "lines/in_process_line.h"

#include <algorithm>
#include <cmath>

namespace {

// A start bit, the data bits and a stop bit for each byte.
constexpr double BytesPerSecond = protocol::Line.baud / (protocol::Line.dataBits + 2.0);
constexpr qsizetype PacedChunk = 16;
constexpr int SplitGapMs = 1;
constexpr int HangUpDelayMs = 200;

} // namespace

DeviceLine::DeviceLine(const LineOptions &options, QObject *parent)
    : QObject(parent), options_(options)
{
    gap_.setSingleShot(true);
    gap_.callOnTimeout(this, &DeviceLine::flush);
    hangUp_.setSingleShot(true);
    hangUp_.callOnTimeout(this, &DeviceLine::close);
}

DeviceLine::~DeviceLine()
{
    release();
}

bool DeviceLine::openPseudoTerminal()
{
    release();
    return watch(openPseudoTerminalEnd(&devicePath_, &error_));
}

bool DeviceLine::open(const QString &devicePath)
{
    release();
    if (!watch(openDeviceEnd(devicePath, &error_)))
        return false;
    devicePath_ = devicePath;
    return true;
}

bool DeviceLine::openInProcess()
{
    release();
    if (!inProcess_)
        inProcess_ = std::make_unique<InProcessLine>();
    inProcess_->deviceEnd().open(QIODevice::ReadWrite);
    devicePath_ = QStringLiteral("the built-in line");
    return watch(std::make_unique<IoLineEnd>(&inProcess_->deviceEnd()));
}

bool DeviceLine::openForThisProgram(LineKind kind)
{
    return kind == LineKind::InProcess ? openInProcess() : openPseudoTerminal();
}

HostEnd DeviceLine::hostEnd() const
{
    return {devicePath_, inProcess_ ? &inProcess_->hostEnd() : nullptr};
}

bool DeviceLine::waitUntilHostCanRead(int timeoutMs) const
{
    // A line inside the program hands bytes over as they are written.
    if (inProcess_)
        return inProcess_->hostEnd().bytesAvailable() > 0;
    return isOpen() && end_->waitUntilHostCanRead(timeoutMs);
}

bool DeviceLine::watch(std::unique_ptr<LineEnd> end)
{
    if (!end)
        return false;
    end_ = end.release();
    end_->setParent(this);
    written_ = 0;
    dropped_ = false;
    waitingForRoom_ = false;
    connect(end_, &LineEnd::readable, this, &DeviceLine::readWaiting);
    connect(end_, &LineEnd::writable, this, [this] {
        waitingForRoom_ = false;
        flush();
    });
    return true;
}

void DeviceLine::send(const QByteArray &bytes)
{
    if (!isOpen() || dropped_)
        return;
    pending_ += bytes;
    if (!gap_.isActive() && !waitingForRoom_)
        flush();
}

void DeviceLine::close()
{
    if (!isOpen())
        return;
    release();
    emit closed();
}

// Closes without a word; the end may be mid-signal, so it goes later.
void DeviceLine::release()
{
    if (!isOpen())
        return;
    end_->disconnect(this);
    end_->close();
    end_->deleteLater();
    end_ = nullptr;
    gap_.stop();
    hangUp_.stop();
    pending_.clear();
}

void DeviceLine::readWaiting()
{
    if (!isOpen())
        return;
    const LineEnd::Reading reading = end_->readWaiting();
    if (!reading.bytes.isEmpty() && !dropped_)
        emit received(reading.bytes);
    if (reading.hungUp)
        close();
}

void DeviceLine::flush()
{
    while (isOpen() && !pending_.isEmpty() && !gap_.isActive()) {
        if (!writeChunk())
            return;
    }
    if (dropIsDue())
        drop();
}

// False when the line is full or gone.
bool DeviceLine::writeChunk()
{
    if (dropIsDue()) {
        drop();
        return false;
    }
    const qint64 n = end_->write(pending_.constData(), nextChunkSize());
    if (n <= 0) {
        if (n < 0)
            close();
        else
            waitingForRoom_ = true;
        return false;
    }
    pending_.remove(0, n);
    written_ += n;
    if (const int gap = gapAfter(n); gap > 0)
        gap_.start(gap);
    return true;
}

qsizetype DeviceLine::nextChunkSize() const
{
    qsizetype size = pending_.size();
    if (options_.split)
        size = 1;
    else if (options_.pace)
        size = std::min(size, PacedChunk);
    if (options_.dropAfter)
        size = std::min(size, qsizetype(*options_.dropAfter - written_));
    return size;
}

int DeviceLine::gapAfter(qsizetype written) const
{
    const int paced = options_.pace ? int(std::ceil(written * 1000 / BytesPerSecond)) : 0;
    return std::max(options_.split ? SplitGapMs : 0, paced);
}

bool DeviceLine::dropIsDue() const
{
    return isOpen() && !dropped_ && options_.dropAfter && written_ >= *options_.dropAfter;
}

// Hanging up at once would take the last bytes with it, unread.
void DeviceLine::drop()
{
    dropped_ = true;
    pending_.clear();
    hangUp_.start(HangUpDelayMs);
}
