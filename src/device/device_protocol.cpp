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

QByteArray measureCommand(Mode mode, int interval, Unit unit)
{
    const char modeLetter = mode == Mode::Memory ? MemoryLetter : SendLetter;
    return modeLetter + intervalField(interval) + unitLetter(unit);
}

} // namespace protocol
