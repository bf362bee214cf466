#pragma once

#include "record/recording_reader.h"

#include <QString>

// The report of a recording's last run written to reportPath, with no window on screen. A
// run of a recording stands on a chart drawn as the window draws it. Returns the exit
// status; what went wrong is said in one line on standard error.
int writeRecordingReport(const QString &recordingPath, const RecordingFile &recording,
                         const QString &reportPath);

// Where no window is shown, none needs a screen: the program runs in a script or on a
// machine without a display. Must run before the application object is made.
void drawWithoutScreen();
