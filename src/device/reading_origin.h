#pragma once

#include "device/device_protocol.h"

#include <cstdint>

// Where a completed reading comes from: measured as it arrived, or fetched from the
// instrument's memory by a transfer, with the logging interval the instrument reported for
// it (its count as sent, up to 32767, not the selector's value).
struct ReadingOrigin {
    bool logged = false;
    std::int16_t interval = 0;
    protocol::Unit unit = protocol::Unit::Minutes;
};
