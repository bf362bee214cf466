#include "budget.h"
#include "desk.h"
#include "emulator_process.h"
#include "process_figures.h"
#include "scripted_instrument.h"
#include "serial/port_watch.h"
#include "wait.h"
#include "window/continuous_runs.h"
#include "window/run_continuation.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>

// A week of one-minute readings in well under a minute: the emulator measures a minute in
// 3 ms, the chart spans a day (1440 samples), continuous runs follow one another, and seven
// of them bring 10080 pairs. Memory and descriptors must not grow after the first run, and a
// reading must cost the last run what it cost the first. Then the watch for a lost device:
// what waiting for it costs.

namespace {

constexpr int ReadingMs = 3;
constexpr int Runs = 7;
constexpr int BlockPairs = 144;
constexpr int WatchMs = 5000;
const QString Span = QStringLiteral("24");

qsizetype openDescriptors()
{
    return QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::NoDotAndDotDot).size();
}

struct RunFigures {
    // Seconds: the least of its blocks', the one a neighbour's work on a shared machine
    // disturbed least; a cost that grows with the run's length grows in every block.
    double cpuPerPair = 0;
    qint64 resident = 0; // bytes, at the run's end
    qsizetype descriptors = 0;
};

// Each run ends where the next one's first reading arrives.
std::vector<RunFigures> continuousRuns(const QString &device)
{
    Desk desk(device);
    Form1 &form = desk.form;
    desk.setSpan(Span);
    form.continuous()->setOn(true);
    std::vector<RunFigures> runs;
    std::vector<double> blocks;
    double blockCpu = cpuSeconds();
    int pairs = 0;
    QObject::connect(&form, &Form1::readingCompleted, &form,
                     [&](Trace trace, float, std::int32_t sample, ReadingOrigin) {
                         if (trace == Trace::Humidity && ++pairs % BlockPairs == 0) {
                             const double now = cpuSeconds();
                             blocks.push_back((now - blockCpu) / BlockPairs);
                             blockCpu = now;
                         }
                         if (trace == Trace::Humidity || sample != 0 || blocks.empty())
                             return;
                         runs.push_back({*std::min_element(blocks.begin(), blocks.end()),
                                         residentBytes(), openDescriptors()});
                         blocks.clear();
                         blockCpu = cpuSeconds();
                         pairs = 0;
                     });
    form.Command1_Click();
    waitUntil([&] { return runs.size() == Runs; }, Runs * 1440 * ReadingMs * 3);
    form.Command2->click();
    return runs;
}

// The share of a core the window takes while its run's device stays away.
double watchLoad()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("instrument"));
    ScriptedInstrument instrument;
    QFile::link(instrument.devicePath(), path);
    Desk desk(path);
    desk.form.Command1_Click();
    instrument.hangUp();
    QFile::remove(path);
    waitUntil([&] { return desk.form.continuation()->watch().watching(); });
    const double cpu = cpuSeconds();
    const double begin = monotonicSeconds();
    QEventLoop waiting;
    QTimer::singleShot(WatchMs, &waiting, &QEventLoop::quit);
    waiting.exec();
    const double load = (cpuSeconds() - cpu) / (monotonicSeconds() - begin);
    return desk.form.continuation()->watch().watching() ? load : 1;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const EmulatorProcess emulator(
        {QStringLiteral("--speed"), QString::number(60000.0 / ReadingMs)});
    const double begin = monotonicSeconds();
    const std::vector<RunFigures> runs = continuousRuns(emulator.devicePath());
    const bool complete = runs.size() == Runs;
    std::printf("%zu runs of 1440 pairs in %.1f s\n", runs.size(), monotonicSeconds() - begin);
    for (std::size_t i = 0; i < runs.size(); ++i)
        std::printf("run %zu: %.1f us a pair, resident %.1f MB, %lld descriptors\n", i + 1,
                    runs[i].cpuPerPair * 1e6, runs[i].resident / 1e6,
                    static_cast<long long>(runs[i].descriptors));
    const RunFigures first = complete ? runs.front() : RunFigures{1, 0, 0};
    const RunFigures last = complete ? runs.back() : RunFigures{2, 1 << 30, 1 << 10};
    reportBudget(
        {"resident memory growth after the first run of a week", Budget::Bound::AtMost, 2, "MB"},
        (last.resident - first.resident) / 1e6);
    reportBudget({"descriptor growth after the first run of a week", Budget::Bound::AtMost, 0,
                  "descriptors"},
                 double(last.descriptors - first.descriptors));
    reportBudget(
        {"processor per reading, last run against the first", Budget::Bound::AtMost, 1.2, "times"},
        last.cpuPerPair / first.cpuPerPair);
    reportBudget(
        {"processor while watching for a lost device", Budget::Bound::AtMost, 1, "% of a core"},
        watchLoad() * 100);
    return 0;
}
