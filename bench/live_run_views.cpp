#include "budget.h"
#include "chart/picture_box.h"
#include "desk.h"
#include "emulator_process.h"
#include "figures/live_figures.h"
#include "line_tap.h"
#include "process_figures.h"
#include "views/figures_window.h"
#include "views/pointer_readout.h"
#include "wait.h"

#include <QApplication>
#include <QEventLoop>
#include <QMouseEvent>
#include <QTimer>
#include <cstdio>
#include <map>

// The live run at line rate of bench_live_run (the emulator paced at 19200 baud, a reading
// due every 7 ms), with the run's figures window open and the pointer over the chart: held
// still on a sample, or swept to and fro across the run as a hand does, a step every 20 ms;
// beside the same run with neither, in turns, so that the load of a shared machine weighs on
// all three alike. The views must leave the window within the live run's budget, and miss
// no reading.

namespace {

constexpr int RunMs = 10000;
constexpr int Repetitions = 3;
constexpr int ReadingMs = 7;
constexpr int SweepStepMs = 20;
const QString Span = QStringLiteral("24"); // 1440 samples: more than a run brings

enum class Pointer { NoViews, Still, Sweeping };

struct LiveRun {
    double load = 0; // share of a core
    bool everyReading = false;
};

// The pointer's move to chart pixel (x, 150), as the window system reports it.
void pointAt(Desk &desk, int x)
{
    const QPoint at = desk.form.Picture1->innerOrigin() + QPoint(x, 150);
    QMouseEvent move(QEvent::MouseMove, at, desk.form.Picture1->mapToGlobal(at), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(desk.form.Picture1, &move);
}

// The pointer moves one pixel every step over the part of the chart the run has reached.
void sweep(Desk &desk, int &x, int &direction)
{
    const int reached = 50 + int(desk.form.session().SampleCount * desk.form.session().XStep);
    if (x + direction > reached || x + direction < 50)
        direction = -direction;
    x += direction;
    pointAt(desk, x);
}

const char *name(Pointer pointer)
{
    static const char *const names[] = {"no views", "figures window, pointer still",
                                        "figures window, pointer sweeping"};
    return names[int(pointer)];
}

LiveRun liveRun(LineTap &tap, Pointer pointer)
{
    Desk desk(tap.windowPath());
    desk.setSpan(Span);
    views::FiguresWindow figures(desk.form.readings, &desk.form);
    if (pointer != Pointer::NoViews)
        figures.show();
    const auto *readout = desk.form.Picture1->findChild<views::PointerReadout *>();

    const double cpu = cpuSeconds() - tap.cpuSeconds();
    const double begin = monotonicSeconds();
    desk.form.Command1_Click();
    // The pointer comes to rest on the run's first sample.
    waitUntil([&] { return !desk.form.readings.samples().empty(); });
    if (pointer != Pointer::NoViews)
        pointAt(desk, 50);
    int x = 50, direction = 1;
    QTimer sweeping;
    QObject::connect(&sweeping, &QTimer::timeout, [&] { sweep(desk, x, direction); });
    if (pointer == Pointer::Sweeping)
        sweeping.start(SweepStepMs);
    QEventLoop running;
    QTimer::singleShot(RunMs, Qt::PreciseTimer, &running, &QEventLoop::quit);
    running.exec();
    sweeping.stop();
    const double elapsed = monotonicSeconds() - begin;
    LiveRun run;
    run.load = (cpuSeconds() - tap.cpuSeconds() - cpu) / elapsed;
    const bool shown = readout->shown().has_value() == (pointer != Pointer::NoViews);

    desk.form.Command2_Click();
    settle();
    const qsizetype samples = qsizetype(desk.form.readings.samples().size());
    const figures::RunFigures all = figures::figuresOf(desk.form.readings.samples());
    run.everyReading =
        shown && samples == desk.form.session().SampleCount && samples > 0 &&
        figures.table().quantities[1].back() == QString::number(all.temperature.count);
    std::printf("%s: %lld samples in %.1f s: %.2f %% of a core; readout as meant: %s; "
                "every reading in the run and its figures: %s\n",
                name(pointer), static_cast<long long>(samples), elapsed, run.load * 100,
                shown ? "yes" : "no", run.everyReading ? "yes" : "no");
    std::fflush(stdout);
    return run;
}

// The median load of each kind of run, or none when a run missed a reading.
std::map<Pointer, double> loads(LineTap &tap)
{
    std::map<Pointer, std::vector<double>> loads;
    for (int i = 0; i < Repetitions; ++i) {
        for (Pointer pointer : {Pointer::NoViews, Pointer::Still, Pointer::Sweeping}) {
            const LiveRun run = liveRun(tap, pointer);
            if (!run.everyReading)
                return {};
            loads[pointer].push_back(run.load);
        }
    }
    std::map<Pointer, double> medians;
    for (const auto &[pointer, each] : loads)
        medians[pointer] = median(each) * 100;
    return medians;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    LineTap tap;
    const EmulatorProcess emulator({QStringLiteral("--pace"), QStringLiteral("--speed"),
                                    QString::number(60000.0 / ReadingMs),
                                    QStringLiteral("--device"), tap.instrumentPath()});
    std::map<Pointer, double> load = tap.isOpen() ? loads(tap) : std::map<Pointer, double>{};
    if (load.empty())
        load = {{Pointer::NoViews, 100}, {Pointer::Still, 100}, {Pointer::Sweeping, 100}};
    reportFigure("the same run without the views", load[Pointer::NoViews], "% of a core");
    reportFigure("the pointer sweeping the chart, a step every 20 ms", load[Pointer::Sweeping],
                 "% of a core");
    reportFigure("added by the views with the pointer still",
                 load[Pointer::Still] - load[Pointer::NoViews], "% of a core");
    reportBudget({"processor during a live run at line rate, figures window open, the pointer "
                  "still over the chart",
                  Budget::Bound::AtMost, 3, "% of a core"},
                 load[Pointer::Still]);
    return 0;
}
