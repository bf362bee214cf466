#include "run/run_readings.h"

namespace {

std::optional<float> &slot(Sample &sample, Trace trace)
{
    return trace == Trace::Temperature ? sample.temperature : sample.humidity;
}

bool holds(const Sample &sample, Trace trace)
{
    return (trace == Trace::Temperature ? sample.temperature : sample.humidity).has_value();
}

} // namespace

void RunReadings::begin(const RunSettings &settings, const QDateTime &start, Source source)
{
    finish();
    settings_ = settings;
    start_ = start;
    source_ = source;
    samples_.clear();
    linkNotes_.clear();
    emit begun();
}

void RunReadings::resume(const RunSettings &settings, const QDateTime &start,
                         std::vector<Sample> samples, std::vector<LinkNote> linkNotes)
{
    finish();
    settings_ = settings;
    start_ = start;
    source_ = Source::Instrument;
    samples_ = std::move(samples);
    linkNotes_ = std::move(linkNotes);
    emit begun();
}

void RunReadings::setSettings(const RunSettings &settings)
{
    if (settings == settings_)
        return;
    settings_ = settings;
    emit settingsChanged();
}

bool RunReadings::takes(Trace trace, std::int32_t index) const
{
    if (lastFinished_ || samples_.empty())
        return false;
    return samples_.back().index == index && !holds(samples_.back(), trace);
}

void RunReadings::add(Trace trace, float value, std::int32_t index, const QDateTime &time,
                      ReadingOrigin origin)
{
    if (!takes(trace, index)) {
        finish();
        samples_.push_back(
            {.index = index, .time = time, .temperature = {}, .humidity = {}, .origin = origin});
        lastFinished_ = false;
    }
    slot(samples_.back(), trace) = value;
    const auto position = qsizetype(samples_.size()) - 1;
    emit readingAdded(position);
    if (samples_.back().complete())
        finish();
}

void RunReadings::finish()
{
    if (lastFinished_)
        return;
    lastFinished_ = true;
    emit sampleFinished(qsizetype(samples_.size()) - 1);
}

void RunReadings::noteLink(LinkNote note)
{
    note.samplesBefore = samples_.size();
    linkNotes_.push_back(std::move(note));
    emit linkNoted(qsizetype(linkNotes_.size()) - 1);
}
