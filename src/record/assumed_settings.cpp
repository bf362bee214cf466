#include "record/assumed_settings.h"

#include "record/recorded_fields.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int MostInterval = 30; // the interval selector's largest
constexpr int MostSpan = 24;     // hours, the chart-span box's largest

struct Assumption {
    recorded::Duration interval;
    QString why;
};

std::optional<recorded::Duration> loggedInterval(const std::vector<Sample> &samples)
{
    for (const Sample &sample : samples) {
        if (sample.origin.logged && sample.origin.interval <= MostInterval)
            return recorded::Duration{sample.origin.interval, sample.origin.unit};
    }
    return std::nullopt;
}

// The median of the times between consecutive samples, in seconds; 0 when there are none.
double typicalSeconds(const std::vector<Sample> &samples)
{
    std::vector<qint64> gaps;
    for (std::size_t i = 1; i < samples.size(); ++i) {
        const qint64 gap = samples[i - 1].time.secsTo(samples[i].time);
        if (gap > 0)
            gaps.push_back(gap);
    }
    if (gaps.empty())
        return 0;
    const auto middle = gaps.begin() + qsizetype(gaps.size() / 2);
    std::nth_element(gaps.begin(), middle, gaps.end());
    return double(*middle);
}

recorded::Duration roundedInterval(double seconds)
{
    const double minutes = std::round(seconds / 60);
    if (minutes <= MostInterval)
        return {std::int16_t(std::max(1.0, minutes)), protocol::Unit::Minutes};
    const double hours = std::clamp(std::round(seconds / 3600), 1.0, double(MostInterval));
    return {std::int16_t(hours), protocol::Unit::Hours};
}

Assumption assumedInterval(const std::vector<Sample> &samples)
{
    if (const auto logged = loggedInterval(samples))
        return {*logged, QStringLiteral("the log interval of its logged readings")};
    const double seconds = typicalSeconds(samples);
    if (seconds == 0)
        return {{}, QStringLiteral("no time between its samples to go by")};
    return {roundedInterval(seconds), QStringLiteral("the typical time between its samples")};
}

// The samples a chart of `hours` holds at this interval, reckoned as the chart does.
double samplesHeld(int hours, recorded::Duration interval)
{
    return interval.unit == protocol::Unit::Minutes ? hours * 60.0 / interval.count
                                                    : double(hours) / interval.count;
}

// The fewest whole hours whose chart, span over interval samples wide, holds every index.
int assumedSpan(const std::vector<Sample> &samples, recorded::Duration interval)
{
    std::int32_t last = 0;
    for (const Sample &sample : samples)
        last = std::max(last, sample.index);
    for (int hours = 1; hours < MostSpan; ++hours) {
        if (std::floor(samplesHeld(hours, interval)) > last)
            return hours;
    }
    return MostSpan;
}

} // namespace

void assumeSettings(RecordedRun &run)
{
    const Assumption interval = assumedInterval(run.samples);
    const int span = assumedSpan(run.samples, interval.interval);
    run.settings = {.mode = protocol::Mode::Send,
                    .interval = interval.interval.count,
                    .unit = interval.interval.unit,
                    .span = QString::number(span)};
    run.assumed = QStringLiteral("an older layout without settings: interval %1 (%2), span %3 "
                                 "h (the fewest that hold its samples, at most %4), mode send")
                      .arg(recorded::durationText(interval.interval), interval.why)
                      .arg(span)
                      .arg(MostSpan);
}
