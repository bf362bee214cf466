#pragma once

#include <QByteArray>
#include <QString>

// A pseudo-terminal pair in raw mode (not on Windows, which has none). A serial link opens
// devicePath() as its port; whoever plays the instrument reads and writes the other end through
// this object.
class PseudoTerminal {
public:
    PseudoTerminal();
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal &) = delete;
    PseudoTerminal &operator=(const PseudoTerminal &) = delete;

    bool isOpen() const { return masterFd_ >= 0; }
    QString devicePath() const { return devicePath_; }
    int masterFd() const { return masterFd_; }

    // Writes all of bytes to the program's side; false when the pair is closed.
    bool write(const QByteArray &bytes);
    // Everything the program has written so far, without waiting.
    QByteArray readAvailable();
    // Blocks until bytes written wait at the program's side, where its next read finds them;
    // false when none arrive in time.
    bool waitUntilProgramCanRead(int timeoutMs) const;
    // Hangs up: the program's side sees the device vanish.
    void close();

private:
    int masterFd_ = -1;
    int slaveFd_ = -1; // held open so the line stays up while the program's port is closed
    QString devicePath_;
};
