#include "serial/pseudo_terminal.h"

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

PseudoTerminal::PseudoTerminal()
{
    char name[256] = {};
    if (openpty(&masterFd_, &slaveFd_, name, nullptr, nullptr) != 0) {
        masterFd_ = slaveFd_ = -1;
        return;
    }
    termios raw{};
    tcgetattr(slaveFd_, &raw);
    cfmakeraw(&raw);
    tcsetattr(slaveFd_, TCSANOW, &raw);
    fcntl(masterFd_, F_SETFL, fcntl(masterFd_, F_GETFL) | O_NONBLOCK);
    fcntl(masterFd_, F_SETFD, FD_CLOEXEC);
    fcntl(slaveFd_, F_SETFD, FD_CLOEXEC);
    devicePath_ = QString::fromLocal8Bit(name);
}

PseudoTerminal::~PseudoTerminal()
{
    close();
}

bool PseudoTerminal::write(const QByteArray &bytes)
{
    qsizetype written = 0;
    while (isOpen() && written < bytes.size()) {
        const ssize_t n = ::write(masterFd_, bytes.constData() + written, bytes.size() - written);
        if (n > 0) {
            written += n;
        } else if (n < 0 && (errno == EAGAIN || errno == EINTR)) {
            pollfd writable{masterFd_, POLLOUT, 0};
            poll(&writable, 1, 100);
        } else {
            return false;
        }
    }
    return isOpen();
}

QByteArray PseudoTerminal::readAvailable()
{
    QByteArray bytes;
    char buffer[4096];
    while (isOpen()) {
        const ssize_t n = ::read(masterFd_, buffer, sizeof buffer);
        if (n <= 0)
            break;
        bytes.append(buffer, n);
    }
    return bytes;
}

void PseudoTerminal::close()
{
    if (slaveFd_ >= 0)
        ::close(slaveFd_);
    if (masterFd_ >= 0)
        ::close(masterFd_);
    masterFd_ = slaveFd_ = -1;
}
