#include "replay/run_drawing.h"

#include "chart/chart_grid.h"
#include "chart/chart_plot.h"

void drawRun(PictureBox &picture, const RunSettings &settings, const std::vector<Sample> &samples)
{
    DrawChartGrid(picture);
    const float xStep = chartScale(settings.span, settings.interval, int(settings.unit)).XStep;
    float previousTemperature = 0;
    float previousHumidity = 0;
    const auto plot = [&](Trace trace, std::optional<float> value, float &previous,
                          std::int32_t index) {
        if (!value)
            return;
        PlotTraceSegment(picture, trace, *value, previous, index, xStep);
        previous = *value;
    };
    for (const Sample &sample : samples) {
        plot(Trace::Temperature, sample.temperature, previousTemperature, sample.index);
        plot(Trace::Humidity, sample.humidity, previousHumidity, sample.index);
    }
}
