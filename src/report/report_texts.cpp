#include "report/report_texts.h"

#include "device/caption_text.h"

#include <algorithm>

namespace report {

namespace {

const QString NoValue = QStringLiteral("—");

// A reading as the window shows it; a computed value to a tenth.
QString extremeText(double value, Values values)
{
    return values == Values::Readings ? caption::readingText(float(value))
                                      : QString::number(value, 'f', 1);
}

// The mean of readings a digit finer than the readings.
QString meanText(double value, Values values)
{
    return QString::number(value, 'f', values == Values::Readings ? 2 : 1);
}

} // namespace

QString modeText(const RunSettings &settings)
{
    return settings.mode == protocol::Mode::Send ? QStringLiteral("送信")
                                                 : QStringLiteral("メモリ");
}

QString intervalText(const RunSettings &settings)
{
    const QString unit =
        settings.unit == protocol::Unit::Minutes ? caption::PerMinute : caption::PerHour;
    return QStringLiteral("%1 %2").arg(settings.interval).arg(unit);
}

QString spanText(const RunSettings &settings)
{
    return QStringLiteral("%1 時間").arg(settings.span);
}

QString originText(const std::vector<Sample> &samples, bool fromRecording)
{
    if (fromRecording)
        return QStringLiteral("記録ファイル");
    const bool logged = std::any_of(samples.begin(), samples.end(),
                                    [](const Sample &s) { return s.origin.logged; });
    return logged ? QStringLiteral("受信（機器のメモリ）") : QStringLiteral("測定（送信）");
}

QString timeText(const QDateTime &time)
{
    return time.isValid() ? time.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) : NoValue;
}

QStringList figuresRow(const QString &name, const figures::QuantityFigures &quantity, Values values)
{
    if (quantity.count == 0)
        return {name, NoValue, NoValue, NoValue, NoValue, NoValue, QStringLiteral("0")};
    return {name,
            extremeText(quantity.minimum.value, values),
            timeText(quantity.minimum.time),
            extremeText(quantity.maximum.value, values),
            timeText(quantity.maximum.time),
            meanText(quantity.mean(), values),
            QString::number(quantity.count)};
}

} // namespace report
