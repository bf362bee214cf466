#include "budget.h"
#include "device/device_protocol.h"
#include "device/receive_decoder.h"
#include "emulator/wire_encoding.h"
#include "median_reporter.h"

#include <benchmark/benchmark.h>
#include <limits>

// The receive decoder alone: a recorded stream through a window that does nothing. The
// figure is bytes per second of processor time, which other work on a shared machine
// disturbs less than the clock.

namespace {

constexpr int Samples = 100000;
constexpr qsizetype DeliverySize = 4096; // what one read of a busy line hands over
// The decoder stops the run at the chart's capacity; staying below it keeps whole
// deliveries flowing, as a run of that length would on a chart wide enough.
constexpr std::int32_t RunLength = 30000;

class NullWindow : public DecoderWindow {
public:
    void setCaption(Label, const QString &) override {}
    void setUpDown2Value(int) override {}
    void setUpDown3Value(int) override {}
    void PlotTraceSegment(Trace, float, float, std::int32_t, float) override {}
    void announceReading(Trace, float, std::int32_t) override {}
    void Command2_Click() override {}
    void showNoLoggingMessage() override {}
    void yieldToEventLoop() override {}
    QString currentTimeText() override { return {}; }
};

// Bytes the decoder passes over, as a noisy line puts them before a message.
const QByteArray StrayBytes("\0 az\x81\xC3", 6);

// One to three stray bytes before every fifth message.
QByteArray strayPrefix(int message)
{
    if (message % 5 != 0)
        return {};
    return StrayBytes.mid(message % StrayBytes.size(), 1 + message % 3);
}

// Readings sweep the whole range the wire carries, so every sign and leading-digit form
// occurs; a logging report comes every 1000 samples and an acknowledgement every 250.
QByteArray recordedStream()
{
    QByteArray stream;
    int message = 0;
    const auto send = [&](const QByteArray &bytes) { stream += strayPrefix(message++) + bytes; };
    for (int i = 0; i < Samples; ++i) {
        if (i % 1000 == 0)
            send(wire::loggingReport(1 + i / 1000 % protocol::IntervalMax,
                                     i % 2000 == 0 ? protocol::Unit::Minutes
                                                   : protocol::Unit::Hours));
        const double phase = double(i % 1300) / 1300;
        send(wire::temperatureReading(-19.9 + 129.8 * phase));
        send(wire::humidityReading(109.9 * (1 - phase)));
        if (i % 250 == 249)
            send(protocol::Acknowledgement);
    }
    return stream;
}

void Decode(benchmark::State &state)
{
    const QByteArray stream = recordedStream();
    SessionState session;
    session.MaxSamples = std::numeric_limits<std::int16_t>::max();
    session.XStep = 450.0f / session.MaxSamples;
    NullWindow window;
    ReceiveDecoder decoder(session, window);
    for (auto _ : state) {
        for (qsizetype at = 0; at < stream.size(); at += DeliverySize) {
            const qsizetype size = std::min(DeliverySize, stream.size() - at);
            decoder.decode(QByteArray::fromRawData(stream.constData() + at, size));
            if (session.SampleCount > RunLength)
                session.SampleCount = 1;
        }
    }
    state.SetBytesProcessed(state.iterations() * stream.size());
    state.counters["stream_bytes"] = double(stream.size());
}

BENCHMARK(Decode)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char *argv[])
{
    benchmark::Initialize(&argc, argv);
    MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    const double megabytesPerSecond = reporter.counter("Decode", "bytes_per_second") / 1e6;
    reportBudget({"decoder throughput", Budget::Bound::AtLeast, 50, "MB/s"}, megabytesPerSecond);
    return 0;
}
