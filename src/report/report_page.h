#pragma once

#include "run/run_settings.h"
#include "run/sample.h"

#include <QDateTime>
#include <QString>
#include <vector>

class DrawingLog;

// What a report is about: the run, its chart as drawn, and where it came from.
struct ReportSubject {
    const RunSettings &settings;
    QDateTime start;
    const std::vector<Sample> &samples;
    bool fromRecording = false;
    const DrawingLog &chart;
    QString port;          // the serial port of a run measured now; empty for none
    QString recordingPath; // the recording it was read from; empty for none
    QString version;       // the program's
    // The recording's layout lacked the mode, interval and span, which the reader assumed.
    bool settingsAssumed = false;
};

// Writes the run's one-page A4 report as PDF: the chart as vectors, the run's figures, its
// settings, the port and the program's version, in Japanese with the font embedded. The
// file is written whole or not at all; the reason when it cannot be.
bool writeReport(const ReportSubject &subject, const QString &path, QString *error);
