#include "record/recorded_time.h"

#include <cstdlib>

QString recordedTime(const QDateTime &time)
{
    // Written by hand: Qt's own ISO form leaves the offset out of local times and writes
    // UTC as "Z".
    const int offsetMinutes = time.offsetFromUtc() / 60;
    const QChar sign = offsetMinutes < 0 ? u'-' : u'+';
    const int magnitude = std::abs(offsetMinutes);
    return time.toString(QStringLiteral("yyyy-MM-dd'T'HH:mm:ss")) + sign +
           QStringLiteral("%1:%2")
               .arg(magnitude / 60, 2, 10, QLatin1Char('0'))
               .arg(magnitude % 60, 2, 10, QLatin1Char('0'));
}
