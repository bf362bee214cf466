#include "raw_line.h"

#include "lines/pseudo_terminal.h"
#include "process_figures.h"

#include <QDeadlineTimer>
#include <QFile>
#include <fcntl.h>
#include <poll.h>
#include <thread>
#include <unistd.h>

namespace {

int openRaw(const QString &devicePath)
{
    return ::open(QFile::encodeName(devicePath).constData(),
                  O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
}

// Appends what is waiting on fd, waiting up to the deadline for something; false on
// end of file, error or time out.
bool readSome(int fd, QByteArray &into, const QDeadlineTimer &deadline)
{
    pollfd readable{fd, POLLIN, 0};
    if (poll(&readable, 1, int(deadline.remainingTime())) <= 0)
        return false;
    char buffer[65536];
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n <= 0)
        return false;
    into.append(buffer, n);
    return true;
}

// Writes all of bytes to a non-blocking fd, waiting for room up to the deadline.
bool writeAll(int fd, const QByteArray &bytes, const QDeadlineTimer &deadline)
{
    qsizetype written = 0;
    while (written < bytes.size() && !deadline.hasExpired()) {
        const ssize_t n = ::write(fd, bytes.constData() + written, bytes.size() - written);
        if (n > 0) {
            written += n;
            continue;
        }
        pollfd writable{fd, POLLOUT, 0};
        poll(&writable, 1, 10);
    }
    return written == bytes.size();
}

} // namespace

QByteArray exchange(const QString &devicePath, const QByteArray &command, char last, int timeoutMs)
{
    const int fd = openRaw(devicePath);
    if (fd < 0)
        return {};
    QByteArray answer;
    const QDeadlineTimer deadline(timeoutMs);
    bool complete = ::write(fd, command.constData(), command.size()) == command.size();
    while (complete && !answer.endsWith(last))
        complete = readSome(fd, answer, deadline);
    ::close(fd);
    return complete ? answer : QByteArray();
}

double bareCopySeconds(const QByteArray &bytes)
{
    PseudoTerminal pair;
    const int fd = openRaw(pair.devicePath());
    if (!pair.isOpen() || fd < 0)
        return -1;
    QByteArray copied;
    const QDeadlineTimer deadline(30000);
    bool reading = true;
    const double start = monotonicSeconds();
    std::thread writer([&] { writeAll(pair.masterFd(), bytes, deadline); });
    while (reading && copied.size() < bytes.size())
        reading = readSome(fd, copied, deadline);
    const double seconds = monotonicSeconds() - start;
    writer.join();
    ::close(fd);
    return copied == bytes ? seconds : -1;
}
