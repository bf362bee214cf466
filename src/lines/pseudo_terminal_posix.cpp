#include "lines/pseudo_terminal.h"

#include "lines/program_line.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

LineKind programLine()
{
    return LineKind::PseudoTerminal;
}

PseudoTerminal::PseudoTerminal()
{
    char name[256] = {};
    masterFd_ = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (masterFd_ < 0 || grantpt(masterFd_) != 0 || unlockpt(masterFd_) != 0 ||
        ptsname_r(masterFd_, name, sizeof name) != 0 ||
        (slaveFd_ = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC)) < 0) {
        close();
        return;
    }
    termios raw{};
    tcgetattr(slaveFd_, &raw);
    cfmakeraw(&raw);
    tcsetattr(slaveFd_, TCSANOW, &raw);
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

// The kernel hands written bytes on to the program's side a moment later; that side, which
// this object holds open too, polls readable once they are there.
bool PseudoTerminal::waitUntilProgramCanRead(int timeoutMs) const
{
    pollfd readable{slaveFd_, POLLIN, 0};
    return isOpen() && poll(&readable, 1, timeoutMs) > 0 && (readable.revents & POLLIN);
}

void PseudoTerminal::close()
{
    if (slaveFd_ >= 0)
        ::close(slaveFd_);
    if (masterFd_ >= 0)
        ::close(masterFd_);
    masterFd_ = slaveFd_ = -1;
}
