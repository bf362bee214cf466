#include "figures/run_figures.h"

#include "figures/dew_point.h"

namespace figures {

void RunFigures::takeTemperature(const Sample &sample)
{
    temperature.take(*sample.temperature, sample.time);
}

void RunFigures::takeHumidity(const Sample &sample)
{
    humidity.take(*sample.humidity, sample.time);
}

void RunFigures::takeDewPoint(const Sample &sample)
{
    if (const auto value = figures::dewPoint(*sample.temperature, *sample.humidity))
        dewPoint.take(*value, sample.time);
}

void RunFigures::takeTime(const Sample &sample)
{
    if (!first.isValid())
        first = sample.time;
    last = sample.time;
}

RunFigures figuresOf(const std::vector<Sample> &samples)
{
    RunFigures figures;
    for (const Sample &sample : samples) {
        figures.takeTime(sample);
        if (sample.temperature)
            figures.takeTemperature(sample);
        if (sample.humidity)
            figures.takeHumidity(sample);
        if (sample.complete())
            figures.takeDewPoint(sample);
    }
    return figures;
}

} // namespace figures
