#include "device/device_protocol.h"
#include "emulator/line_end.h"
#include "lines/pseudo_terminal.h"

#include <QFile>
#include <QSocketNotifier>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace {

// What failed, followed by the reason in errno.
QString systemError(const QString &what)
{
    return what + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(errno));
}

// The instrument's line, raw; glibc's cfsetspeed takes the rate as a number.
bool setRawLine(int fd)
{
    constexpr protocol::LineSettings line = protocol::Line;
    static_assert(line.dataBits == 8 && line.parity == protocol::LineSettings::Parity::None &&
                      line.stopBits == protocol::LineSettings::StopBits::One,
                  "the flags below set 8N1");
    termios settings{};
    if (tcgetattr(fd, &settings) != 0)
        return false;
    cfmakeraw(&settings);
    if (cfsetspeed(&settings, line.baud) != 0)
        return false;
    settings.c_cflag &= ~(CSIZE | PARENB | CSTOPB | CRTSCTS);
    settings.c_cflag |= CS8 | CLOCAL | CREAD;
    settings.c_iflag &= ~(IXON | IXOFF | IXANY);
    return tcsetattr(fd, TCSANOW, &settings) == 0;
}

// A non-blocking descriptor, watched by the event loop; with a pseudo-terminal, its
// master side.
class FdLineEnd : public LineEnd {
public:
    FdLineEnd(int fd, std::unique_ptr<PseudoTerminal> pty) : fd_(fd), pty_(std::move(pty))
    {
        readable_ = new QSocketNotifier(fd, QSocketNotifier::Read, this);
        connect(readable_, &QSocketNotifier::activated, this, &LineEnd::readable);
        writable_ = new QSocketNotifier(fd, QSocketNotifier::Write, this);
        writable_->setEnabled(false);
        connect(writable_, &QSocketNotifier::activated, this, [this] {
            writable_->setEnabled(false);
            emit writable();
        });
    }
    ~FdLineEnd() override { close(); }

    qint64 write(const char *data, qint64 size) override
    {
        ssize_t n = 0;
        while ((n = ::write(fd_, data, size_t(size))) < 0 && errno == EINTR) {
        }
        if (n >= 0)
            return n;
        if (errno != EAGAIN && errno != EWOULDBLOCK)
            return -1;
        writable_->setEnabled(true);
        return 0;
    }

    Reading readWaiting() override
    {
        Reading reading;
        char buffer[512];
        ssize_t n = 0;
        while ((n = ::read(fd_, buffer, sizeof buffer)) > 0 || (n < 0 && errno == EINTR)) {
            if (n > 0)
                reading.bytes.append(buffer, n);
        }
        // End of file or an error other than "nothing more waiting": the other end has gone.
        reading.hungUp = n == 0 || (errno != EAGAIN && errno != EWOULDBLOCK);
        return reading;
    }

    bool waitUntilHostCanRead(int timeoutMs) const override
    {
        return pty_ && pty_->waitUntilProgramCanRead(timeoutMs);
    }

    void close() override
    {
        if (fd_ < 0)
            return;
        readable_->setEnabled(false);
        writable_->setEnabled(false);
        if (pty_)
            pty_.reset();
        else
            ::close(fd_);
        fd_ = -1;
    }

private:
    int fd_;
    std::unique_ptr<PseudoTerminal> pty_;
    QSocketNotifier *readable_;
    QSocketNotifier *writable_;
};

} // namespace

std::unique_ptr<LineEnd> openPseudoTerminalEnd(QString *devicePath, QString *error)
{
    auto pty = std::make_unique<PseudoTerminal>();
    if (!pty->isOpen()) {
        *error = systemError(QStringLiteral("cannot create a pseudo-terminal"));
        return nullptr;
    }
    *devicePath = pty->devicePath();
    const int fd = pty->masterFd();
    return std::make_unique<FdLineEnd>(fd, std::move(pty));
}

std::unique_ptr<LineEnd> openDeviceEnd(const QString &devicePath, QString *error)
{
    const QByteArray path = QFile::encodeName(devicePath);
    const int fd = ::open(path.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        *error = systemError(QStringLiteral("cannot open ") + devicePath);
        return nullptr;
    }
    if (!setRawLine(fd)) {
        *error = systemError(devicePath + QStringLiteral(" takes no serial settings"));
        ::close(fd);
        return nullptr;
    }
    return std::make_unique<FdLineEnd>(fd, nullptr);
}
