#pragma once

#include <QString>

// Set in the environment of a test program that runs itself again as this child: its value
// is the device of an instrument that never acknowledges, or Emulated.
inline const QString CloseDuringStopVariable = QStringLiteral("TARNWICK_TEST_CLOSE_DURING_STOP");
inline const QString Emulated = QStringLiteral("emulated");

// The child: Stop waits for an acknowledgement that never comes, and the window is closed
// from inside that wait; the process must end there, with status 0. On a device, Stop is
// clicked alone; on the emulated instrument (--no-ack), during a run. Returns 3 if the
// window's close did not end the process.
int closeDuringStopsWait(int argc, char *argv[]);
