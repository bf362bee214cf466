#include "views/readout_text.h"

#include "device/caption_text.h"
#include "figures/dew_point.h"

#include <QStringList>
#include <cmath>

namespace views {

namespace {

const QString Missing = QStringLiteral("―");

QString valueText(std::optional<double> value, int decimals)
{
    return value ? roundedText(*value, decimals) : Missing;
}

QString caption(const QString &prefix, std::optional<float> value, const QString &unit)
{
    if (!value)
        return prefix + Missing;
    return caption::readingCaption(prefix, *value, unit);
}

std::optional<double> dewPointOf(const Sample &sample)
{
    if (!sample.complete())
        return std::nullopt;
    return figures::dewPoint(*sample.temperature, *sample.humidity);
}

} // namespace

QString timeText(const QDateTime &time)
{
    return time.toString(QStringLiteral("yyyy/MM/dd HH:mm:ss"));
}

QString roundedText(double value, int decimals)
{
    const double scale = std::pow(10, decimals);
    return caption::readingText(float(std::round(value * scale) / scale));
}

QString originText(const ReadingOrigin &origin)
{
    if (!origin.logged)
        return QStringLiteral("測定（ライブ）");
    const QString per =
        origin.unit == protocol::Unit::Minutes ? caption::PerMinute : caption::PerHour;
    return QStringLiteral("受信した記録（%1%2）").arg(origin.interval).arg(per);
}

QString readoutText(const Sample &sample)
{
    const std::optional<double> dewPoint = dewPointOf(sample);
    return QStringList{
        caption::TimePrefix + timeText(sample.time),
        caption(caption::TemperaturePrefix, sample.temperature, caption::TemperatureUnit),
        caption(caption::HumidityPrefix, sample.humidity, caption::HumidityUnit),
        QStringLiteral("露点 ： ") + valueText(dewPoint, 1) +
            (dewPoint ? caption::TemperatureUnit : QString()),
        originText(sample.origin)}
        .join(u'\n');
}

} // namespace views
