#pragma once

#include <QByteArray>
#include <QString>

// Plain reads and writes on terminal devices, without Qt's serial layer: a reference to
// check the window against, and the floor it cannot beat.

// Writes command to the device and collects what comes back until a byte `last` ends it;
// empty when nothing complete came within the time.
QByteArray exchange(const QString &devicePath, const QByteArray &command, char last,
                    int timeoutMs = 30000);

// Seconds to copy bytes through a new pseudo-terminal pair in raw mode, from the first
// write to the last read; a negative figure when the copy failed.
double bareCopySeconds(const QByteArray &bytes);
