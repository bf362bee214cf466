#pragma once

#include "emulator/emulator_options.h"

#include <QString>
#include <QStringList>
#include <optional>

// What the program says instead of opening its window: its help, its version, or why it
// cannot start.
struct Answer {
    QString text;       // whole lines
    int exitStatus = 0; // UsageError for a command line it cannot use
};

// What the program was asked to do from its command line.
struct CommandLine {
    QString port; // the serial device; empty for the one the program chooses
    bool listPorts = false;
    bool simulate = false;
    QString record;               // the CSV file the run is appended to; empty for none
    QString open;                 // the recording the window shows at start; empty for none
    bool continuous = false;      // a new run after each full chart, for this start
    QString report;               // the PDF the opened recording's report goes to, with no window
    EmulatorOptions emulator;     // the built-in instrument, with --simulate
    std::optional<Answer> answer; // when set, the program says it and ends
};

inline constexpr int UsageError = 2;

// The parsed command line. --help, --version and anything unusable are answers; only
// --help-all, which lists Qt's options too, is printed and ends the program here.
CommandLine parseCommandLine(const QStringList &arguments);
