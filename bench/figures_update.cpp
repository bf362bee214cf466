#include "budget.h"
#include "figures/live_figures.h"
#include "process_figures.h"
#include "run/run_readings.h"
#include "views/figures_window.h"

#include <QApplication>
#include <cstdio>

// The run's figures as a full chart's readings come: a run of 32,767 samples, the figures
// window open on it, and the cost of the last samples' readings (the model's own work
// included); beside it, the figures of the whole run at once (a run opened from a file, or
// the window opened on a full chart) and what the window's showing them again costs, which
// it does at most a few times a second.

namespace {

constexpr std::int32_t FullChart = 32767;
constexpr std::int32_t Measured = 2000; // the last samples, whose readings are timed
constexpr int Repetitions = 5;

float wave(std::int32_t index, double middle)
{
    return float(middle + 10 * std::sin(index / 500.0));
}

// Both readings of samples from..to-1, one second apart.
void addSamples(RunReadings &readings, std::int32_t from, std::int32_t to, const QDateTime &start)
{
    for (std::int32_t index = from; index < to; ++index) {
        const QDateTime time = start.addSecs(index);
        readings.add(Trace::Temperature, wave(index, 20), index, time, {});
        readings.add(Trace::Humidity, wave(index, 55), index, time, {});
    }
}

// Processor milliseconds per reading of the last samples of a full chart, the median of
// the repetitions.
double lastReadingsMs(RunReadings &readings, const QDateTime &start)
{
    std::vector<double> perReading;
    for (int i = 0; i < Repetitions; ++i) {
        readings.begin({}, start);
        addSamples(readings, 0, FullChart - Measured, start);
        const double before = cpuSeconds();
        addSamples(readings, FullChart - Measured, FullChart, start);
        perReading.push_back((cpuSeconds() - before) * 1000 / (2 * Measured));
        QCoreApplication::processEvents(); // the window shows them, as its timer allows
    }
    return median(perReading);
}

// Processor milliseconds of one call of work, the median of the repetitions.
template <class Work> double medianMs(Work work)
{
    std::vector<double> ms;
    for (int i = 0; i < Repetitions; ++i) {
        const double before = cpuSeconds();
        work();
        ms.push_back((cpuSeconds() - before) * 1000);
    }
    return median(ms);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QDateTime start = QDateTime::currentDateTime();
    RunReadings bare;
    const double modelAlone = lastReadingsMs(bare, start);

    RunReadings readings;
    views::FiguresWindow window(readings);
    window.show();
    const double withFigures = lastReadingsMs(readings, start);
    reportFigure("a reading into the run alone", modelAlone, "ms");
    reportFigure("the figures of the whole run at once",
                 medianMs([&] { figures::figuresOf(readings.samples()); }), "ms");
    reportFigure("the figures window's texts made anew", medianMs([&] { window.table(); }), "ms");
    reportFigure("the figures window painted whole", medianMs([&] { window.grab(); }), "ms");
    reportBudget({"a reading into the run and its figures at the end of a 32,767-sample run",
                  Budget::Bound::AtMost, 1, "ms"},
                 withFigures);
    return 0;
}
