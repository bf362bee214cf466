#pragma once

#include "device/device_protocol.h"

#include <QString>
#include <cstdint>

// What a run was measured with, and what its chart needs to be drawn again: the mode, the
// measuring interval and the chart span as the window's selectors held them.
struct RunSettings {
    protocol::Mode mode = protocol::Mode::Send;
    std::int16_t interval = 1;
    protocol::Unit unit = protocol::Unit::Minutes;
    QString span = QStringLiteral("1"); // hours, as the chart-span box holds it

    bool operator==(const RunSettings &) const = default;
};
