#include "budget.h"
#include "desk.h"
#include "device/caption_text.h"
#include "emulator_process.h"
#include "process_figures.h"
#include "raw_line.h"
#include "wait.h"

#include <QApplication>
#include <QLabel>
#include <QProcess>
#include <cstdio>

// Receive of logged pairs through the whole program: the window off screen, the serial
// link on a pseudo-terminal, the emulator unpaced in its own process. The logging report
// sets a one-minute interval, and the typed span of 546 hours then fills the chart with
// 32760 samples, so no auto-stop cuts a transfer short.

namespace {

const QString Span = QStringLiteral("546");
const QString PeakMemoryMode = QStringLiteral("--peak-memory");
constexpr int LargeTransfer = 32000;

struct Transfer {
    int pairs = 0;
    double seconds = 0;   // median
    double floor = 0;     // median of the bare copies
    bool complete = true; // every repetition drew every pair and saw the acknowledgement
};

QStringList emulatorArguments(int pairs)
{
    return {QStringLiteral("--logged"), QString::number(pairs), QStringLiteral("--log-interval"),
            QStringLiteral("1M")};
}

// From the "T" to the last pair drawn, the acknowledgement seen and the screen updated.
// False in complete when a pair or the acknowledgement went missing.
double receiveSeconds(const QString &device, int pairs, bool &complete)
{
    Desk desk(device);
    desk.setSpan(Span);
    settle();
    const double start = monotonicSeconds();
    desk.form.Command3_Click();
    settle();
    const double seconds = monotonicSeconds() - start;
    complete = complete && desk.form.session().SampleCount == pairs &&
               desk.form.Label7->text() == caption::Acknowledged;
    return seconds;
}

Transfer measure(int pairs, int repetitions)
{
    Transfer transfer{pairs};
    const EmulatorProcess emulator(emulatorArguments(pairs));
    const QByteArray stream = exchange(emulator.devicePath(), QByteArrayLiteral("T"), '\x06');
    if (stream.isEmpty())
        return {pairs, 0, 0, false};
    std::vector<double> received;
    std::vector<double> copied;
    for (int i = 0; i < repetitions; ++i) {
        received.push_back(receiveSeconds(emulator.devicePath(), pairs, transfer.complete));
        copied.push_back(bareCopySeconds(stream));
    }
    transfer.seconds = median(received);
    transfer.floor = median(copied);
    transfer.complete = transfer.complete && transfer.floor > 0;
    std::printf("%d pairs, %lld bytes: receive %.1f ms (%.2f us a pair), bare copy %.2f ms, "
                "ratio to the copy %.1f\n",
                pairs, static_cast<long long>(stream.size()), transfer.seconds * 1e3,
                transfer.seconds / pairs * 1e6, transfer.floor * 1e3,
                transfer.seconds / transfer.floor);
    std::fflush(stdout);
    return transfer;
}

// One large transfer in a process of its own, then the process's highest resident memory.
int peakMemory()
{
    const EmulatorProcess emulator(emulatorArguments(LargeTransfer));
    bool complete = true;
    receiveSeconds(emulator.devicePath(), LargeTransfer, complete);
    reportBudget(
        {"peak resident memory after a 32000-pair transfer", Budget::Bound::AtMost, 80, "MB"},
        complete ? double(peakResidentBytes()) / (1 << 20) : 1e9);
    return 0;
}

void runPeakMemoryChild()
{
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedChannels);
    child.start(QCoreApplication::applicationFilePath(), {PeakMemoryMode});
    child.waitForFinished(120000);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (QCoreApplication::arguments().contains(PeakMemoryMode))
        return peakMemory();

    const Transfer small = measure(1440, 9);
    const Transfer large = measure(LargeTransfer, 5);
    reportBudget({"every pair of both transfers drawn and acknowledged", Budget::Bound::AtLeast, 1,
                  "(1 = yes)"},
                 small.complete && large.complete ? 1 : 0);
    reportBudget({"receive of 1440 pairs", Budget::Bound::AtMost, 100, "ms"}, small.seconds * 1e3);
    const double perPairSmall = small.seconds / small.pairs;
    const double perPairLarge = large.seconds / large.pairs;
    reportBudget(
        {"cost a pair at 32000 over the cost a pair at 1440", Budget::Bound::AtMost, 1.2, "x"},
        perPairLarge / perPairSmall);
    reportFigure("receive of 1440 pairs over the bare copy", small.seconds / small.floor, "x");
    reportFigure("receive of 32000 pairs over the bare copy", large.seconds / large.floor, "x");
    runPeakMemoryChild();
    return 0;
}
