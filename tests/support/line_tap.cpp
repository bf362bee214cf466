#include "line_tap.h"

#include "process_figures.h"

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

LineTap::LineTap()
{
    if (!instrumentSide_.isOpen() || !windowSide_.isOpen() ||
        pipe2(wake_, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    thread_ = std::thread([this] { run(); });
}

LineTap::~LineTap()
{
    if (thread_.joinable()) {
        const char stop = 0;
        [[maybe_unused]] const ssize_t n = ::write(wake_[1], &stop, 1);
        thread_.join();
    }
    for (const int fd : wake_) {
        if (fd >= 0)
            ::close(fd);
    }
}

bool LineTap::isOpen() const
{
    return thread_.joinable();
}

QByteArray LineTap::fromInstrument() const
{
    const std::lock_guard lock(mutex_);
    return fromInstrument_;
}

QByteArray LineTap::fromWindow() const
{
    const std::lock_guard lock(mutex_);
    return fromWindow_;
}

double LineTap::cpuSeconds()
{
    return thread_.joinable() ? threadCpuSeconds(thread_) : 0;
}

void LineTap::run()
{
    pollfd fds[3] = {{instrumentSide_.masterFd(), POLLIN, 0},
                     {windowSide_.masterFd(), POLLIN, 0},
                     {wake_[0], POLLIN, 0}};
    for (;;) {
        if (poll(fds, 3, -1) < 0) {
            if (errno == EINTR)
                continue;
            return;
        }
        if (fds[2].revents != 0)
            return;
        if (fds[0].revents & POLLIN)
            pass(instrumentSide_, windowSide_, fromInstrument_);
        if (fds[1].revents & POLLIN)
            pass(windowSide_, instrumentSide_, fromWindow_);
        // A side that hung up would wake the poll for ever.
        if (((fds[0].revents | fds[1].revents) & (POLLHUP | POLLERR | POLLNVAL)) != 0)
            return;
    }
}

// Keeps the copy before passing the bytes on, so that whatever the far side answers to
// them is kept after them.
void LineTap::pass(PseudoTerminal &from, PseudoTerminal &to, QByteArray &kept)
{
    const QByteArray bytes = from.readAvailable();
    {
        const std::lock_guard lock(mutex_);
        kept += bytes;
    }
    to.write(bytes);
}
