#include "window/clock_text.h"

#include <QDateTime>
#include <limits>

namespace caption {

QString longTimeFormat(const QLocale &locale)
{
    // Qt's long format ends with the zone ("t"), which the time of a reading does without.
    // Quoted literal text is kept as it stands.
    const QString format = locale.timeFormat(QLocale::LongFormat);
    QString result;
    bool quoted = false;
    for (const QChar c : format) {
        if (c == u'\'')
            quoted = !quoted;
        if (quoted || c != u't')
            result += c;
    }
    return result.simplified();
}

QString timeText(const QTime &time, const QLocale &locale)
{
    return locale.toString(time, longTimeFormat(locale));
}

ClockText::ClockText(const QString &format)
    : format_(format), showsMilliseconds_(format.contains(u'z')),
      shownSecond_(std::numeric_limits<qint64>::min())
{
}

QString ClockText::now()
{
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    if (showsMilliseconds_)
        return system_.toString(QDateTime::fromMSecsSinceEpoch(now).time(), format_);
    // Zone offsets are whole seconds, so the local time of day turns to its next second when
    // the clock does: the conversion to local time, which has the system check its time zone
    // file, and the text are made once a second, however often the clock is read.
    const qint64 second = now / 1000 - (now % 1000 < 0 ? 1 : 0);
    if (second != shownSecond_) {
        shownSecond_ = second;
        shown_ = system_.toString(QDateTime::fromMSecsSinceEpoch(now).time(), format_);
    }
    return shown_;
}

} // namespace caption
