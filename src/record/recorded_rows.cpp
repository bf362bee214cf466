#include "record/recorded_rows.h"

#include "device/caption_text.h"
#include "record/recorded_fields.h"
#include "record/recorded_time.h"

namespace recorded {

namespace {

QString readingText(std::optional<float> value)
{
    return value ? caption::readingText(*value) : QString();
}

// The columns from the mode on, which every row of the sample layout has.
QStringList runFields(const RunSettings &settings, const QDateTime &start)
{
    return {modeText(settings.mode), durationText({settings.interval, settings.unit}),
            settings.span, recordedTime(start)};
}

} // namespace

QStringList sampleFields(const Sample &sample, const RunSettings &settings, const QDateTime &start)
{
    return QStringList{spreadsheetTime(sample.time),  readingText(sample.temperature),
                       readingText(sample.humidity),  recordedTime(sample.time),
                       QString::number(sample.index), originText(sample.origin),
                       logIntervalText(sample.origin)} +
           runFields(settings, start) + QStringList{QString()};
}

QStringList linkFields(const LinkNote &note, const RunSettings &settings, const QDateTime &start)
{
    return QStringList{spreadsheetTime(note.time), {}, {}, recordedTime(note.time), {}, {}, {}} +
           runFields(settings, start) + QStringList{linkText(note)};
}

QStringList readingFields(recording::Layout layout, Trace trace, float value, std::int32_t sample,
                          const QDateTime &time, ReadingOrigin origin)
{
    const bool temperature = trace == Trace::Temperature;
    QStringList fields{recordedTime(time), QString::number(sample),
                       temperature ? QStringLiteral("temperature") : QStringLiteral("humidity"),
                       caption::readingText(value),
                       temperature ? QStringLiteral("°C") : QStringLiteral("%RH")};
    if (layout == recording::Layout::Readings)
        fields << originText(origin) << logIntervalText(origin);
    return fields;
}

} // namespace recorded
