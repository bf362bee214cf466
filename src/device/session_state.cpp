#include "device/session_state.h"

const char *text(ParseToken token)
{
    switch (token) {
    case ParseToken::Between:
        return "";
    case ParseToken::Temperature:
        return "T";
    case ParseToken::TemperatureTenths:
        return "T.";
    case ParseToken::Humidity:
        return "H";
    case ParseToken::HumidityTenths:
        return "H.";
    case ParseToken::LoggingReport:
        return "L";
    }
    return "";
}

void SessionState::clearRecord()
{
    ParseState = ParseToken::Between;
    TempValue = 0;
    HumidValue = 0;
    LogInterval = 0;
}
