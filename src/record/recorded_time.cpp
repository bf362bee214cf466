#include "record/recorded_time.h"

#include <cstdlib>
#include <optional>

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

QString spreadsheetTime(const QDateTime &time)
{
    return time.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

namespace {

// The number of `count` digits at `at`; nothing when one of them is not a digit.
std::optional<int> digits(QByteArrayView text, qsizetype at, qsizetype count)
{
    int number = 0;
    for (qsizetype i = at; i < at + count; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return std::nullopt;
        number = number * 10 + (text[i] - '0');
    }
    return number;
}

bool separatorsAt(QByteArrayView text)
{
    return text[4] == '-' && text[7] == '-' && (text[10] == 'T' || text[10] == ' ') &&
           text[13] == ':' && text[16] == ':';
}

// Seconds east of UTC for "+09:00", "-03:30" or "Z".
std::optional<int> offsetSeconds(QByteArrayView text)
{
    if (text == "Z")
        return 0;
    if (text.size() != 6 || (text[0] != '+' && text[0] != '-') || text[3] != ':')
        return std::nullopt;
    const auto hours = digits(text, 1, 2);
    const auto minutes = digits(text, 4, 2);
    if (!hours || !minutes || *hours > 23 || *minutes > 59)
        return std::nullopt;
    const int seconds = *hours * 3600 + *minutes * 60;
    return text[0] == '-' ? -seconds : seconds;
}

} // namespace

// By hand, for speed: a recording holds tens of thousands of these.
QDateTime parseRecordedTime(QByteArrayView text)
{
    constexpr qsizetype WallClock = 19; // yyyy-MM-dd HH:mm:ss
    if (text.size() < WallClock || !separatorsAt(text))
        return {};
    const auto year = digits(text, 0, 4);
    const auto month = digits(text, 5, 2);
    const auto day = digits(text, 8, 2);
    const auto hour = digits(text, 11, 2);
    const auto minute = digits(text, 14, 2);
    const auto second = digits(text, 17, 2);
    if (!year || !month || !day || !hour || !minute || !second)
        return {};
    const QDate date(*year, *month, *day);
    const QTime time(*hour, *minute, *second);
    if (!date.isValid() || !time.isValid())
        return {};
    if (text.size() == WallClock)
        return QDateTime(date, time);
    const std::optional<int> offset = offsetSeconds(text.sliced(WallClock));
    if (!offset)
        return {};
    return QDateTime(date, time, Qt::OffsetFromUTC, *offset);
}
