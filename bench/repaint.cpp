#include "bench_window.h"
#include "budget.h"
#include "chart/chart_plot.h"
#include "chart/picture_box.h"
#include "measure.h"

#include <QApplication>
#include <cmath>
#include <cstdio>

// Repainting the chart must not grow with what it shows: a full chart of 32000 samples
// against an empty one. Two windows, one of each, take turns, so that other work on the
// machine weighs on both alike; each repaint is timed in processor time of this thread.

namespace {

constexpr int FullChart = 32000;
constexpr int Rounds = 400;

// Daily swings of temperature and humidity, as a long run would draw them.
void drawSamples(Form1 &window, int samples)
{
    const float step = window.session().XStep;
    float temperature = 0;
    float humidity = 0;
    for (std::int32_t k = 0; k < samples; ++k) {
        const double day = std::sin(k * 0.0044);
        const float t = float(21 + 8 * day);
        const float h = float(55 - 20 * day);
        PlotTraceSegment(*window.Picture1, Trace::Temperature, t, temperature, k, step);
        PlotTraceSegment(*window.Picture1, Trace::Humidity, h, humidity, k, step);
        temperature = t;
        humidity = h;
    }
}

// A window whose chart holds the samples, with the span that fits them.
std::unique_ptr<Form1> chartWindow(int samples)
{
    std::unique_ptr<Form1> window = openWindow(QStringLiteral("/nonexistent/tarnwick-bench"));
    window->MSComm1.setErrorSink([](const QString &) {});
    setSpan(*window, QStringLiteral("546"));
    window->Command1_Click(); // a fresh chart; the port does not open, which changes nothing here
    drawSamples(*window, samples);
    settle();
    return window;
}

double repaintSeconds(Form1 &window)
{
    const double start = threadCpuSeconds();
    window.Picture1->repaint();
    return threadCpuSeconds() - start;
}

} // namespace

int main(int argc, char *argv[])
{
    useOffscreenPlatform();
    QApplication app(argc, argv);
    const std::unique_ptr<Form1> empty = chartWindow(0);
    const std::unique_ptr<Form1> full = chartWindow(FullChart);
    std::vector<double> emptyTimes;
    std::vector<double> fullTimes;
    for (int i = 0; i < Rounds; ++i) {
        emptyTimes.push_back(repaintSeconds(*empty));
        fullTimes.push_back(repaintSeconds(*full));
    }
    const double emptyMedian = median(emptyTimes);
    const double fullMedian = median(fullTimes);
    reportFigure("repaint of the empty chart", emptyMedian * 1e6, "us of processor");
    reportFigure("repaint of a chart of 32000 samples", fullMedian * 1e6, "us of processor");
    reportBudget({"repaint of a full chart over an empty one", Budget::Bound::AtMost, 1.1, "x"},
                 fullMedian / emptyMedian);
    return 0;
}
