#include "budget.h"
#include "chart/picture_box.h"
#include "desk.h"
#include "process_figures.h"
#include "wait.h"

#include <QApplication>
#include <QTemporaryDir>
#include <cmath>

// Opening the longest recording a run can make, from the file to the chart on the screen,
// beside the repaint of the same chart: the first is what the operator waits for once, the
// second what every exposure of the window costs. Wall-clock time: reading the file is part
// of the wait.

namespace {

constexpr std::int32_t Samples = 32767;
constexpr int Rounds = 15;

// Daily swings of temperature and humidity, recorded by a window as a live run feeds it.
void recordLongRun(const QString &path)
{
    Desk desk(QStringLiteral("/nonexistent/tarnwick-bench"));
    desk.setSpan(QStringLiteral("546"));
    if (!desk.form.recording.start(path))
        qFatal("cannot record to %s", qPrintable(path));
    RunReadings &readings = desk.form.readings;
    readings.begin(desk.form.runSettings(), QDateTime::currentDateTime());
    const QDateTime start = readings.start();
    for (std::int32_t k = 0; k < Samples; ++k) {
        const double day = std::sin(k * 0.0044);
        const QDateTime time = start.addSecs(60LL * k);
        readings.add(Trace::Temperature, float(21 + 8 * day), k, time, {});
        readings.add(Trace::Humidity, float(55 - 20 * day), k, time, {});
    }
    readings.finish();
    desk.form.recording.stop();
}

double openSeconds(Form1 &window, const QString &path)
{
    const double start = monotonicSeconds();
    if (!window.viewing.open(path))
        qFatal("the recording does not open");
    window.Picture1->repaint();
    return monotonicSeconds() - start;
}

double repaintSeconds(Form1 &window)
{
    const double start = monotonicSeconds();
    window.Picture1->repaint();
    return monotonicSeconds() - start;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("long-run.csv"));
    recordLongRun(path);
    Desk viewer(QStringLiteral("/nonexistent/tarnwick-bench"));
    std::vector<double> openTimes;
    std::vector<double> repaintTimes;
    for (int i = 0; i < Rounds; ++i) {
        openTimes.push_back(openSeconds(viewer.form, path));
        settle();
        repaintTimes.push_back(repaintSeconds(viewer.form));
    }
    if (viewer.form.readings.samples().size() != std::size_t(Samples))
        qFatal("the recording holds %zu samples", viewer.form.readings.samples().size());
    reportFigure("repaint of the opened chart of 32767 samples", median(repaintTimes) * 1e3, "ms");
    reportBudget({"opening a recording of 32767 samples to the drawn chart", Budget::Bound::AtMost,
                  200, "ms"},
                 median(openTimes) * 1e3);
    return 0;
}
