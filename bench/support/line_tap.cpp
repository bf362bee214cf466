#include "line_tap.h"

#include <QFile>
#include <ctime>
#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <unistd.h>
#include <utility>

namespace {

void writeAll(int fd, const char *bytes, ssize_t size)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, bytes, std::size_t(size));
        if (n > 0) {
            bytes += n;
            size -= n;
            continue;
        }
        pollfd writable{fd, POLLOUT, 0};
        if (poll(&writable, 1, 1000) < 0)
            return;
    }
}

} // namespace

LineTap::LineTap(const QString &instrumentDevice)
{
    instrumentFd_ = ::open(QFile::encodeName(instrumentDevice).constData(),
                           O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (!isOpen() || pipe2(wake_, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    thread_ = std::thread([this] { run(); });
    hasCpuClock_ = pthread_getcpuclockid(thread_.native_handle(), &cpuClock_) == 0;
}

LineTap::~LineTap()
{
    if (thread_.joinable()) {
        const char stop = 0;
        [[maybe_unused]] const ssize_t n = ::write(wake_[1], &stop, 1);
        thread_.join();
    }
    for (const int fd : {instrumentFd_, wake_[0], wake_[1]}) {
        if (fd >= 0)
            ::close(fd);
    }
}

QByteArray LineTap::takeFromInstrument()
{
    const std::lock_guard lock(mutex_);
    return std::exchange(fromInstrument_, {});
}

double LineTap::cpuSeconds() const
{
    timespec t{};
    if (!hasCpuClock_ || clock_gettime(cpuClock_, &t) != 0)
        return 0;
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

void LineTap::run()
{
    pollfd fds[3] = {
        {instrumentFd_, POLLIN, 0}, {window_.masterFd(), POLLIN, 0}, {wake_[0], POLLIN, 0}};
    constexpr short Gone = POLLHUP | POLLERR | POLLNVAL;
    while (poll(fds, 3, -1) >= 0 && fds[2].revents == 0) {
        if (fds[0].revents & POLLIN)
            pass(instrumentFd_, window_.masterFd(), true);
        if (fds[1].revents & POLLIN)
            pass(window_.masterFd(), instrumentFd_, false);
        // A line that hung up would wake the poll for ever.
        if (((fds[0].revents | fds[1].revents) & Gone) != 0)
            return;
    }
}

void LineTap::pass(int from, int to, bool keep)
{
    char buffer[4096];
    const ssize_t n = ::read(from, buffer, sizeof buffer);
    if (n <= 0)
        return;
    if (keep) {
        const std::lock_guard lock(mutex_);
        fromInstrument_.append(buffer, n);
    }
    writeAll(to, buffer, n);
}
