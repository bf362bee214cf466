#include "budget.h"
#include "chart/chart_plot.h"
#include "chart/picture_box.h"
#include "desk.h"
#include "process_figures.h"
#include "wait.h"

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
std::unique_ptr<Desk> chartWindow(int samples)
{
    auto desk = std::make_unique<Desk>(QStringLiteral("/nonexistent/tarnwick-bench"));
    desk->setSpan(QStringLiteral("546"));
    desk->form.Command1_Click(); // a fresh chart; the port does not open, which changes nothing
    drawSamples(desk->form, samples);
    settle();
    return desk;
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
    QApplication app(argc, argv);
    const std::unique_ptr<Desk> empty = chartWindow(0);
    const std::unique_ptr<Desk> full = chartWindow(FullChart);
    std::vector<double> emptyTimes;
    std::vector<double> fullTimes;
    for (int i = 0; i < Rounds; ++i) {
        emptyTimes.push_back(repaintSeconds(empty->form));
        fullTimes.push_back(repaintSeconds(full->form));
    }
    const double emptyMedian = median(emptyTimes);
    const double fullMedian = median(fullTimes);
    reportFigure("repaint of the empty chart", emptyMedian * 1e6, "us of processor");
    reportFigure("repaint of a chart of 32000 samples", fullMedian * 1e6, "us of processor");
    reportBudget({"repaint of a full chart over an empty one", Budget::Bound::AtMost, 1.1, "x"},
                 fullMedian / emptyMedian);
    return 0;
}
