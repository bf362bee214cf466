#include "figures/live_figures.h"

#include "run/run_readings.h"

namespace figures {

LiveFigures::LiveFigures(const RunReadings &readings, QObject *parent)
    : QObject(parent), readings_(readings)
{
    connect(&readings, &RunReadings::begun, this, &LiveFigures::restart);
    connect(&readings, &RunReadings::settingsChanged, this, &LiveFigures::changed);
    connect(&readings, &RunReadings::readingAdded, this, &LiveFigures::readingAdded);
    takeAll();
}

void LiveFigures::takeAll()
{
    const std::vector<Sample> &samples = readings_.samples();
    figures_ = figuresOf(samples);
    position_ = qsizetype(samples.size()) - 1;
    temperatureTaken_ = !samples.empty() && samples.back().temperature;
    humidityTaken_ = !samples.empty() && samples.back().humidity;
}

void LiveFigures::restart()
{
    takeAll();
    emit changed();
}

// A reading either starts the sample at `position` or completes it.
void LiveFigures::readingAdded(qsizetype position)
{
    const Sample &sample = readings_.samples().at(std::size_t(position));
    if (position != position_) {
        position_ = position;
        temperatureTaken_ = humidityTaken_ = false;
        figures_.takeTime(sample);
    }
    if (sample.temperature && !temperatureTaken_) {
        figures_.takeTemperature(sample);
        temperatureTaken_ = true;
    }
    if (sample.humidity && !humidityTaken_) {
        figures_.takeHumidity(sample);
        humidityTaken_ = true;
    }
    if (sample.complete())
        figures_.takeDewPoint(sample);
    emit changed();
}

} // namespace figures
