#pragma once

#include "device/device_protocol.h"
#include "emulator/device_line.h"
#include "emulator/room_climate.h"

#include <QString>
#include <cstdint>
#include <optional>

class QCommandLineParser;

// How the emulated instrument behaves, from its command line.
struct EmulatorOptions {
    ClimateScenario scenario;
    std::uint32_t seed = 1;
    double speed = 1; // one minute of the instrument passes in 1/speed of a minute
    int logged = 0;   // reading pairs in memory at start
    int logInterval = 10;
    protocol::Unit logUnit = protocol::Unit::Minutes;
    bool noAck = false;
    double noise = 0; // chance of stray bytes before each message
    LineOptions line;
    QString device; // serve this device; empty for a new pseudo-terminal
};

// The most reading pairs the instrument's memory holds.
inline constexpr int MemoryCapacity = 32767;

// The options' help names the defaults given and what --device stands in for: ownLine, or
// when empty the line the emulator opens itself where the system has one.
void addEmulatorOptions(QCommandLineParser &parser, const EmulatorOptions &defaults = {},
                        const QString &ownLine = {});
// The options given to a parser that has parsed the command line, over the defaults; nullopt
// and a message naming the option when a value is not usable.
std::optional<EmulatorOptions> emulatorOptions(const QCommandLineParser &parser, QString *error,
                                               const EmulatorOptions &defaults = {});
