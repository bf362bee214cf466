#include "window/label_time_format.h"

#include "device/caption_text.h"
#include "window/clock_text.h"

#include <QTime>

QString labelTimeFormat(const QLocale &locale, const QFontMetrics &metrics, int labelWidth)
{
    if (locale.language() == QLocale::Japanese)
        return caption::PlainTimeFormat;
    for (int hour = 0; hour < 24; ++hour) {
        const QString widest = caption::TimePrefix + caption::timeText(QTime(hour, 59, 59), locale);
        if (metrics.horizontalAdvance(widest) > labelWidth)
            return caption::PlainTimeFormat;
    }
    return caption::longTimeFormat(locale);
}
