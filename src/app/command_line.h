#pragma once

#include "emulator/emulator_options.h"

#include <QString>
#include <QStringList>
#include <optional>

// What the program was asked to do from its command line.
struct CommandLine {
    QString port; // the serial device; empty for the one the program chooses
    bool listPorts = false;
    bool simulate = false;
    QString record;           // the CSV file every reading is appended to; empty for none
    EmulatorOptions emulator; // the built-in instrument, with --simulate
};

inline constexpr int UsageError = 2;

// The parsed command line; --help and --version print and exit, and anything unusable
// prints a message and exits with UsageError.
CommandLine parseCommandLine(const QStringList &arguments);
