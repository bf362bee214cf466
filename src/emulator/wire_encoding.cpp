#include "emulator/wire_encoding.h"

#include "device/device_protocol.h"

#include <cmath>

namespace wire {

namespace {

const QByteArray LineEnd = QByteArray(1, protocol::Cr) + protocol::Lf;

// The value in tenths, clamped into the range first so that rounding cannot overflow.
// A NaN counts as the lowest value.
int tenths(double value, double lowest, double highest)
{
    if (!(value >= lowest))
        return int(std::lround(lowest * 10));
    if (value > highest)
        return int(std::lround(highest * 10));
    return int(std::lround(value * 10));
}

// Digits, the point and the tenths digit of a magnitude below 100: 53 is "5.3", 3 is "0.3".
QByteArray decimal(int magnitudeInTenths)
{
    return QByteArray::number(magnitudeInTenths / 10) + protocol::DecimalPoint +
           char('0' + magnitudeInTenths % 10);
}

} // namespace

QByteArray temperatureReading(double celsius)
{
    const int t = tenths(celsius, TemperatureLowest, TemperatureHighest);
    QByteArray body;
    if (t >= 1000)
        body = protocol::LeadingTen + decimal(t - 1000);
    else if (t >= 0)
        body = decimal(t);
    else if (t > -100)
        body = protocol::MinusSign + decimal(-t);
    else
        body = protocol::MinusLeadingOne + decimal(-t - 100);
    return protocol::TemperatureLetter + body + LineEnd;
}

QByteArray humidityReading(double percent)
{
    const int h = tenths(percent, HumidityLowest, HumidityHighest);
    const QByteArray body = h >= 1000 ? protocol::LeadingTen + decimal(h - 1000) : decimal(h);
    return protocol::HumidityLetter + body + LineEnd;
}

QByteArray loggingReport(int interval, protocol::Unit unit)
{
    return protocol::LoggingLetter + QByteArray::number(interval) + protocol::unitLetter(unit) +
           LineEnd;
}

} // namespace wire
