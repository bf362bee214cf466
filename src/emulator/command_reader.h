#pragma once

#include "device/device_protocol.h"

#include <QByteArray>
#include <QList>

// The instrument measures at any interval its two digits carry, beyond what the window's
// selector offers.
inline constexpr int LargestInterval = 99;

// A command from the host, as the instrument understands it.
struct Command {
    enum class Kind {
        Measure,  // "R" or "L", two interval characters, "M" or "H"
        Stop,     // "S"
        Transfer, // "T"
    };
    Kind kind = Kind::Stop;
    QByteArray bytes;    // as received
    bool memory = false; // Measure: log into memory ("L") instead of sending ("R")
    int interval = 0;    // Measure: 1 to LargestInterval
    protocol::Unit unit = protocol::Unit::Minutes; // Measure: "M" or "H"
};

// Picks the commands out of the bytes the host sends, however they are split over reads.
// Bytes that are no command are skipped. A Measure that breaks off is dropped, and the
// byte that broke it is read again as the possible start of the next command, so a
// stray "R" cannot swallow the "S" after it.
class CommandReader {
public:
    QList<Command> read(const QByteArray &bytes);

private:
    void start(char c, QList<Command> &commands);
    bool continuesMeasure(char c) const;
    void completeMeasure(QList<Command> &commands);

    QByteArray measure_; // the Measure read so far, empty between commands
};
