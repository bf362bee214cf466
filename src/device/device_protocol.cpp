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

} // namespace

QByteArray measureCommand(int mode, int interval, int unit)
{
    const char modeLetter = mode == ModeMemory ? 'L' : 'R';
    const char unitLetter = unit == UnitMinutes ? 'M' : 'H';
    return modeLetter + intervalField(interval) + unitLetter;
}

} // namespace protocol
