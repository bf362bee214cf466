#include "budget.h"
#include "chart/picture_box.h"
#include "desk.h"
#include "process_figures.h"
#include "replay/run_drawing.h"
#include "report/chart_picture.h"
#include "wait.h"
#include "window/picture_items.h"

#include <QApplication>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cmath>

// The chart of a full run of 32767 samples saved as PNG from the window, and the run's PDF
// report written, each from the operator's click to the file on disk: the median of a few
// rounds of the clock.

namespace {

constexpr std::int32_t FullChart = 32767;
constexpr int Rounds = 9;

// A long run's daily swings, fed to the window's run and drawn on its chart.
void fillChart(Form1 &window)
{
    window.readings.begin({protocol::Mode::Send, 1, protocol::Unit::Minutes, QStringLiteral("546")},
                          QDateTime::currentDateTime());
    const QDateTime start = window.readings.start();
    for (std::int32_t k = 0; k < FullChart; ++k) {
        const double day = std::sin(k * 0.0044);
        const QDateTime time = start.addSecs(60 * k);
        window.readings.add(Trace::Temperature, float(21 + 8 * day), k, time, {});
        window.readings.add(Trace::Humidity, float(55 - 20 * day), k, time, {});
    }
    window.readings.finish();
    drawRun(*window.Picture1, window.readings.settings(), window.readings.samples());
    settle();
}

template <typename Write> double medianMs(Write write)
{
    std::vector<double> times;
    for (int i = 0; i < Rounds; ++i) {
        const double start = monotonicSeconds();
        write();
        times.push_back((monotonicSeconds() - start) * 1e3);
    }
    return median(times);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    Desk desk;
    fillChart(desk.form);
    QTemporaryDir dir;
    const QString png = dir.filePath(QStringLiteral("chart.png"));
    const QString pdf = dir.filePath(QStringLiteral("report.pdf"));
    QString error;
    const double pngMs = medianMs([&] { savePng(shownChart(desk.form), png, &error); });
    const double pdfMs = medianMs([&] { writeReport(reportSubject(desk.form), pdf, &error); });
    if (!error.isEmpty()) {
        std::fprintf(stderr, "cannot write: %s\n", qPrintable(error));
        return 1;
    }
    reportFigure("PNG of the chart", double(QFileInfo(png).size()) / 1024, "KiB");
    reportFigure("PDF report", double(QFileInfo(pdf).size()) / 1024, "KiB");
    reportBudget({"PNG of a chart of 32767 samples", Budget::Bound::AtMost, 300, "ms"}, pngMs);
    reportBudget({"PDF report of a chart of 32767 samples", Budget::Bound::AtMost, 300, "ms"},
                 pdfMs);
    return 0;
}
