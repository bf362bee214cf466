#include "device/caption_text.h"

namespace caption {

QString readingText(float value)
{
    return QString::number(double(value), 'g', 7).toUpper();
}

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

} // namespace caption
