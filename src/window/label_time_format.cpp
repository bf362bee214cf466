#include "window/label_time_format.h"

#include "device/caption_text.h"

#include <QTime>

QString labelTimeFormat(const QLocale &locale, const QFontMetrics &metrics, int labelWidth)
{
    if (locale.language() == QLocale::Japanese)
        return caption::PlainTimeFormat;
    const QString format = caption::longTimeFormat(locale);
    for (int hour = 0; hour < 24; ++hour) {
        const QString widest = caption::TimePrefix + locale.toString(QTime(hour, 59, 59), format);
        if (metrics.horizontalAdvance(widest) > labelWidth)
            return caption::PlainTimeFormat;
    }
    return format;
}
