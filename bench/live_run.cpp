#include "budget.h"
#include "chart/chart_grid.h"
#include "chart/chart_plot.h"
#include "chart/picture_box.h"
#include "desk.h"
#include "device/caption_text.h"
#include "emulator_process.h"
#include "line_tap.h"
#include "process_figures.h"
#include "wait.h"

#include <QApplication>
#include <QEventLoop>
#include <QLabel>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

// A live run at line rate: the emulator paced at 19200 baud, with a reading due every 7 ms
// (a minute of its time in 7 ms), a little sooner than the paced line carries a pair of
// 14 bytes (about 8 ms), so the line never rests. Its queue grows by about 300 bytes a
// second, to about 1200 after a run of 4 s: below the 4096 at which it would hold readings back,
// which the backlog found at Stop confirms. The window must keep up with little processor
// time, and show and draw every reading that went over the line.

namespace {

// Many short runs, and their median: a few long ones gave figures a factor of three apart
// on a shared machine, whose other work comes and goes in bursts.
constexpr int DefaultRuns = 9;
constexpr double DefaultRunSeconds = 4;
constexpr int ReadingMs = 7;
constexpr int HeldBackAt = 4096;
const QString Span = QStringLiteral("24"); // 1440 samples: more than a run brings

// Decodes what went over the line on its own and draws it into a picture of its own,
// for comparison with what the window shows.
class ReferenceWindow : public DecoderWindow {
public:
    explicit ReferenceWindow(const QFont &chartFont)
    {
        picture.setFont(chartFont);
        DrawChartGrid(picture);
    }

    void setCaption(Label label, const QString &caption) override
    {
        if (label == Label::Label5)
            temperature = caption;
        else if (label == Label::Label6)
            humidity = caption;
    }
    void setUpDown2Value(int) override {}
    void setUpDown3Value(int) override {}
    void PlotTraceSegment(Trace trace, float value, float previous, std::int32_t sampleCount,
                          float xStep) override
    {
        ::PlotTraceSegment(picture, trace, value, previous, sampleCount, xStep);
    }
    void announceReading(Trace, float, std::int32_t) override {}
    void Command2_Click() override {}
    void showNoLoggingMessage() override {}
    void yieldToEventLoop() override {}
    QString currentTimeText() override { return {}; }

    PictureBox picture;
    QString temperature;
    QString humidity;
};

struct LiveRun {
    double load = 0;     // share of a core
    double lineRate = 0; // bytes a second the window received
    double backlog = 0;  // bytes the instrument still had queued at Stop
    bool everyReading = false;
};

bool showsEveryReading(const Form1 &window, SessionState start, const QByteArray &sent)
{
    ReferenceWindow reference(window.Picture1->font());
    ReceiveDecoder(start, reference).decode(sent);
    return start.SampleCount == window.session().SampleCount && start.SampleCount > 0 &&
           reference.temperature == window.Label5->text() &&
           reference.humidity == window.Label6->text() &&
           reference.picture.image() == window.Picture1->image();
}

LiveRun liveRun(LineTap &tap, double seconds)
{
    Desk desk(tap.windowPath());
    const Form1 &window = desk.form;
    desk.setSpan(Span);
    SessionState start = window.session();
    start.ParseState = ParseToken::Between;
    start.LogInterval = 0;
    start.SampleCount = 0;
    const qsizetype sentBefore = tap.fromInstrument().size();

    const double cpu = cpuSeconds() - tap.cpuSeconds();
    const double begin = monotonicSeconds();
    desk.form.Command1_Click();
    QEventLoop running;
    QTimer::singleShot(int(seconds * 1000), Qt::PreciseTimer, &running, &QEventLoop::quit);
    running.exec();
    const double elapsed = monotonicSeconds() - begin;
    LiveRun run;
    run.load = (cpuSeconds() - tap.cpuSeconds() - cpu) / elapsed;

    const double stop = monotonicSeconds();
    desk.form.Command2_Click();
    settle();
    const double drained = monotonicSeconds() - stop;
    const QByteArray sent = tap.fromInstrument().mid(sentBefore);
    run.lineRate = double(sent.size()) / (elapsed + drained);
    run.backlog = drained * run.lineRate;
    run.everyReading = showsEveryReading(window, start, sent);
    std::printf("%d pairs (about %.0f due) in %.1f s at %.0f bytes/s: %.2f %% of a core; "
                "instrument backlog at Stop about %.0f bytes; every reading shown and drawn: %s\n",
                window.session().SampleCount, 1 + elapsed * 1000 / ReadingMs, elapsed + drained,
                run.lineRate, run.load * 100, run.backlog, run.everyReading ? "yes" : "no");
    std::fflush(stdout);
    return run;
}

} // namespace

// bench_live_run [RUNS [SECONDS]]: fewer or shorter runs, for a profiler.
int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : DefaultRuns;
    const double seconds = argc > 2 ? std::max(1.0, std::atof(argv[2])) : DefaultRunSeconds;
    LineTap tap;
    const EmulatorProcess emulator({QStringLiteral("--pace"), QStringLiteral("--speed"),
                                    QString::number(60000.0 / ReadingMs),
                                    QStringLiteral("--device"), tap.instrumentPath()});
    std::vector<double> loads;
    bool everyReading = tap.isOpen();
    double backlog = 0;
    for (int i = 0; i < runs && everyReading; ++i) {
        const LiveRun run = liveRun(tap, seconds);
        loads.push_back(run.load * 100);
        everyReading = everyReading && run.everyReading;
        backlog = std::max(backlog, run.backlog);
    }
    if (!loads.empty()) {
        reportFigure("least processor of the runs", *std::min_element(loads.begin(), loads.end()),
                     "% of a core");
        reportFigure("most processor of the runs", *std::max_element(loads.begin(), loads.end()),
                     "% of a core");
    }
    reportBudget({"processor during a live run at line rate (median)", Budget::Bound::AtMost, 3,
                  "% of a core"},
                 everyReading ? median(loads) : 100);
    reportBudget(
        {"every reading of the live runs shown and drawn", Budget::Bound::AtLeast, 1, "(1 = yes)"},
        everyReading ? 1 : 0);
    reportBudget({"instrument backlog at Stop (it holds readings back at 4096)",
                  Budget::Bound::AtMost, HeldBackAt, "bytes"},
                 backlog);
    return 0;
}
