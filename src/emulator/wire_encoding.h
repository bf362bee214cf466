#pragma once

#include "device/device_protocol.h"

#include <QByteArray>

// The instrument's messages as they go out on the line, each ending CR LF.
namespace wire {

// What the encodings can express; values outside are sent as the nearest end.
inline constexpr double TemperatureLowest = -19.9;
inline constexpr double TemperatureHighest = 109.9;
inline constexpr double HumidityLowest = 0.0;
inline constexpr double HumidityHighest = 109.9;

// One decimal: "T25.3"; "T:5.2" is -5.2; "T", byte 186, "5.2" is -15.2; "T", byte 176,
// "5.0" is 105.
QByteArray temperatureReading(double celsius);
// One decimal: "H60.1"; "H", byte 176, "2.5" is 102.5.
QByteArray humidityReading(double percent);
// "L10M": the logging interval and its unit letter, "M" or "H".
QByteArray loggingReport(int interval, protocol::Unit unit);

} // namespace wire
