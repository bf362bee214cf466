#include "views/figures_table.h"

#include "device/caption_text.h"
#include "run/run_readings.h"
#include "views/readout_text.h"

#include <algorithm>

namespace views {

namespace {

// Extremes of readings as the window shows readings; computed ones to a tenth.
QString readingValueText(double value)
{
    return caption::readingText(float(value));
}

QString computedValueText(double value)
{
    return roundedText(value, 1);
}

QStringList quantityRow(const QString &name, const figures::QuantityFigures &figures,
                        QString (*valueText)(double))
{
    if (figures.count == 0)
        return {name, {}, {}, {}, {}, {}, QStringLiteral("0")};
    return {name,
            valueText(figures.minimum.value),
            timeText(figures.minimum.time),
            valueText(figures.maximum.value),
            timeText(figures.maximum.time),
            roundedText(figures.mean(), 2),
            QString::number(figures.count)};
}

QString intervalText(const RunSettings &settings)
{
    return QString::number(settings.interval) +
           (settings.unit == protocol::Unit::Minutes ? caption::PerMinute : caption::PerHour);
}

// Where the run's readings came from: measured live, fetched from the instrument's log,
// both, or read from a recording.
QString sourceText(const RunReadings &readings)
{
    if (readings.source() == RunReadings::Source::Recording)
        return QStringLiteral("記録ファイル");
    const std::vector<Sample> &samples = readings.samples();
    const auto logged = [](const Sample &sample) { return sample.origin.logged; };
    if (std::all_of(samples.begin(), samples.end(), logged) && !samples.empty())
        return QStringLiteral("受信した記録");
    if (std::none_of(samples.begin(), samples.end(), logged))
        return QStringLiteral("測定（ライブ）");
    return QStringLiteral("測定と受信した記録");
}

} // namespace

QString FiguresTable::tabSeparated() const
{
    QStringList lines;
    for (const QStringList &row : run)
        lines << row.join(u'\t');
    lines << QString();
    for (const QStringList &row : quantities)
        lines << row.join(u'\t');
    return lines.join(u'\n') + u'\n';
}

FiguresTable figuresTable(const RunReadings &readings, const figures::RunFigures &figures)
{
    const RunSettings &settings = readings.settings();
    return {.run = {{QStringLiteral("最初の時刻"), timeText(figures.first)},
                    {QStringLiteral("最後の時刻"), timeText(figures.last)},
                    {QStringLiteral("測定間隔"), intervalText(settings)},
                    {QStringLiteral("測定時間"), settings.span + QStringLiteral(" 時間")},
                    {QStringLiteral("データ"), sourceText(readings)}},
            .quantities = {
                {QString(), QStringLiteral("最小"), QStringLiteral("最小の時刻"),
                 QStringLiteral("最大"), QStringLiteral("最大の時刻"), QStringLiteral("平均"),
                 QStringLiteral("個数")},
                quantityRow(QStringLiteral("温度 (℃)"), figures.temperature, readingValueText),
                quantityRow(QStringLiteral("湿度 (%RH)"), figures.humidity, readingValueText),
                quantityRow(QStringLiteral("露点 (℃)"), figures.dewPoint, computedValueText)}};
}

} // namespace views
