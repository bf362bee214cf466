#include "budget.h"
#include "desk.h"
#include "device/device_protocol.h"
#include "lines/pseudo_terminal.h"
#include "process_figures.h"

#include <QApplication>
#include <QTimer>
#include <cstdio>

// Stop waiting for an acknowledgement that does not come: the window should sleep.
// The instrument's end of the line stays silent for the whole wait and only then sends
// the acknowledgement that ends it.

namespace {

constexpr int WaitMs = 5000;
constexpr int Repetitions = 3;

// The share of one core the process used while Stop waited.
double waitingLoad()
{
    PseudoTerminal line;
    Desk desk(line.devicePath());
    QTimer::singleShot(WaitMs, Qt::PreciseTimer,
                       [&line] { line.write(protocol::Acknowledgement); });
    const double cpu = cpuSeconds();
    const double start = monotonicSeconds();
    desk.form.Command2_Click();
    const double load = (cpuSeconds() - cpu) / (monotonicSeconds() - start);
    std::printf("Stop waited %.2f s at %.3f %% of a core\n", monotonicSeconds() - start,
                load * 100);
    std::fflush(stdout);
    return load;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    std::vector<double> loads;
    for (int i = 0; i < Repetitions; ++i)
        loads.push_back(waitingLoad());
    reportBudget({"processor while Stop waits 5 s", Budget::Bound::AtMost, 1, "% of a core"},
                 median(loads) * 100);
    return 0;
}
