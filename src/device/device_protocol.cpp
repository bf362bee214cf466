#include "device/device_protocol.h"

namespace protocol {

namespace {

// The last two characters of "0" and the number with a blank where a plus sign would go,
// so 1 to 9 go out as a blank and the digit.
QByteArray intervalField(int interval)
{
    const QByteArray sign = interval < 0 ? "" : " ";
    return ("0" + sign + QByteArray::number(interval)).right(2);
}

const char *stopBitsText(LineSettings::StopBits stopBits)
{
    switch (stopBits) {
    case LineSettings::StopBits::One:
        return "1";
    case LineSettings::StopBits::OneAndHalf:
        return "1.5";
    case LineSettings::StopBits::Two:
        break;
    }
    return "2";
}

} // namespace

QString settingsText(const LineSettings &line)
{
    return QStringLiteral("%1,%2,%3,%4")
        .arg(line.baud)
        .arg(QChar(char(line.parity)))
        .arg(line.dataBits)
        .arg(QLatin1StringView(stopBitsText(line.stopBits)));
}

QByteArray measureCommand(Mode mode, int interval, Unit unit)
{
    const char modeLetter = mode == Mode::Memory ? MemoryLetter : SendLetter;
    return modeLetter + intervalField(interval) + unitLetter(unit);
}

} // namespace protocol
