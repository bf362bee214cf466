#include "emulator/device_line.h"

#include "device/device_protocol.h"
#include "serial/pseudo_terminal.h"

#include <QFile>
#include <QSocketNotifier>
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace {

constexpr double BytesPerSecond = protocol::Baud / 10.0; // a start bit, 8 data bits, a stop bit
constexpr qsizetype PacedChunk = 16;
constexpr int SplitGapMs = 1;
constexpr int HangUpDelayMs = 200;

// What failed, followed by the reason in errno.
QString systemError(const QString &what)
{
    return what + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(errno));
}

// Raw 8N1 at the protocol's baud rate; glibc's cfsetspeed takes the rate as a number.
bool setRawLine(int fd)
{
    termios settings{};
    if (tcgetattr(fd, &settings) != 0)
        return false;
    cfmakeraw(&settings);
    if (cfsetspeed(&settings, protocol::Baud) != 0)
        return false;
    settings.c_cflag &= ~(CSIZE | PARENB | CSTOPB | CRTSCTS);
    settings.c_cflag |= CS8 | CLOCAL | CREAD;
    settings.c_iflag &= ~(IXON | IXOFF | IXANY);
    return tcsetattr(fd, TCSANOW, &settings) == 0;
}

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
    pty_ = std::make_unique<PseudoTerminal>();
    if (!pty_->isOpen()) {
        error_ = systemError(QStringLiteral("cannot create a pseudo-terminal"));
        pty_.reset();
        return false;
    }
    devicePath_ = pty_->devicePath();
    watch(pty_->masterFd());
    return true;
}

bool DeviceLine::open(const QString &devicePath)
{
    release();
    const QByteArray path = QFile::encodeName(devicePath);
    const int fd = ::open(path.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        error_ = systemError(QStringLiteral("cannot open ") + devicePath);
        return false;
    }
    if (!setRawLine(fd)) {
        error_ = systemError(devicePath + QStringLiteral(" takes no serial settings"));
        ::close(fd);
        return false;
    }
    devicePath_ = devicePath;
    watch(fd);
    return true;
}

void DeviceLine::watch(int fd)
{
    fd_ = fd;
    written_ = 0;
    dropped_ = false;
    readable_ = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    connect(readable_, &QSocketNotifier::activated, this, &DeviceLine::readWaiting);
    writable_ = new QSocketNotifier(fd, QSocketNotifier::Write, this);
    writable_->setEnabled(false);
    connect(writable_, &QSocketNotifier::activated, this, [this] {
        writable_->setEnabled(false);
        flush();
    });
}

void DeviceLine::send(const QByteArray &bytes)
{
    if (!isOpen() || dropped_)
        return;
    pending_ += bytes;
    if (!gap_.isActive() && !writable_->isEnabled())
        flush();
}

void DeviceLine::close()
{
    if (!isOpen())
        return;
    release();
    emit closed();
}

// Closes without a word; the notifiers may be mid-signal, so they go later.
void DeviceLine::release()
{
    if (!isOpen())
        return;
    for (QSocketNotifier *notifier : {readable_, writable_}) {
        notifier->setEnabled(false);
        notifier->deleteLater();
    }
    readable_ = writable_ = nullptr;
    gap_.stop();
    hangUp_.stop();
    pending_.clear();
    if (pty_)
        pty_.reset();
    else
        ::close(fd_);
    fd_ = -1;
}

void DeviceLine::readWaiting()
{
    if (!isOpen())
        return;
    QByteArray bytes;
    char buffer[512];
    ssize_t n = 0;
    while ((n = ::read(fd_, buffer, sizeof buffer)) > 0 || (n < 0 && errno == EINTR)) {
        if (n > 0)
            bytes.append(buffer, n);
    }
    // End of file or an error other than "nothing more waiting": the other end has gone.
    const bool hungUp = n == 0 || (errno != EAGAIN && errno != EWOULDBLOCK);
    if (!bytes.isEmpty() && !dropped_)
        emit received(bytes);
    if (hungUp)
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
    const ssize_t n = ::write(fd_, pending_.constData(), nextChunkSize());
    if (n < 0) {
        if (errno == EINTR)
            return true;
        if (errno == EAGAIN || errno == EWOULDBLOCK)
            writable_->setEnabled(true);
        else
            close();
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
