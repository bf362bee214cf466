#pragma once

#include "device/reading_origin.h"

#include <cstdint>

// Where the receive decoder stands within the current record.
enum class ParseToken {
    Between,           // ""
    Temperature,       // "T"
    TemperatureTenths, // "T."
    Humidity,          // "H"
    HumidityTenths,    // "H."
    LoggingReport,     // "L"
};

// The token as the decoder's character table writes it: "", "T", "T.", "H", "H." or "L".
const char *text(ParseToken token);

// The run's state, carried between receive notifications. Form1 owns one for its whole life.
struct SessionState {
    ParseToken ParseState = ParseToken::Between;
    std::int16_t LogInterval = 0;
    std::int32_t SampleCount = 0;
    float XStep = 0;
    std::int16_t MaxSamples = 0;
    float TempValue = 0;
    float HumidValue = 0;
    float PrevTemp = 0;
    float PrevHumid = 0;
    std::int16_t TempSign = 0;
    // Logged from a transfer's interval report until the acknowledgement that ends it;
    // a line end does not touch it, Measure makes it live again.
    ReadingOrigin Origin;

    // Starts the next record from nothing: no token, no digits, no interval report.
    void clearRecord();
};
