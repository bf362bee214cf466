#pragma once

#include "figures/quantity_figures.h"
#include "run/sample.h"

#include <QDateTime>
#include <vector>

namespace figures {

// The figures of a run: each quantity's extremes, mean and count, and the time of its
// first and last sample. The dew point counts the samples that hold both readings.
struct RunFigures {
    QuantityFigures temperature;
    QuantityFigures humidity;
    QuantityFigures dewPoint;
    QDateTime first;
    QDateTime last;

    void takeTemperature(const Sample &sample);
    void takeHumidity(const Sample &sample);
    void takeDewPoint(const Sample &sample);
    // The sample's time as the run's first or last.
    void takeTime(const Sample &sample);
};

// The figures of a whole run at once, as of a recording.
RunFigures figuresOf(const std::vector<Sample> &samples);

} // namespace figures
