#pragma once

#include "device/reading_origin.h"

#include <QDateTime>
#include <cstdint>
#include <optional>

// The readings plotted at one place of the chart: a temperature and a humidity, either of
// which may be missing when the run ended or the line broke before it came.
struct Sample {
    std::int32_t index = 0; // the SampleCount it was plotted at
    QDateTime time;         // when its first reading arrived
    std::optional<float> temperature;
    std::optional<float> humidity;
    ReadingOrigin origin;

    bool complete() const { return temperature && humidity; }
};
