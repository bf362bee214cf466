#include "recording_window.h"

namespace {

QString labelName(DecoderWindow::Label label)
{
    // In the order of DecoderWindow::Label.
    static const QStringList names = {"Label2", "Label3", "Label4", "Label5", "Label6", "Label7"};
    return names.at(int(label));
}

QString exact(double value)
{
    return QString::number(value, 'g', 9);
}

QString traceName(Trace trace)
{
    return trace == Trace::Temperature ? QStringLiteral("temperature") : QStringLiteral("humidity");
}

QString plotLine(Trace trace, float value, float previous, std::int32_t sampleCount, float xStep)
{
    return QStringLiteral("plot %1 %2 from %3 at %4 step %5")
        .arg(traceName(trace), exact(value), exact(previous), QString::number(sampleCount),
             exact(xStep));
}

QString readingLine(Trace trace, float value, std::int32_t sampleCount)
{
    return QStringLiteral("reading %1 %2 at %3")
        .arg(traceName(trace), exact(value), QString::number(sampleCount));
}

} // namespace

void RecordingWindow::setCaption(Label label, const QString &caption)
{
    effects << labelName(label) + u' ' + caption;
}

void RecordingWindow::setUpDown2Value(int value)
{
    effects << QStringLiteral("UpDown2 %1").arg(value);
}

void RecordingWindow::setUpDown3Value(int value)
{
    effects << QStringLiteral("UpDown3 %1").arg(value);
}

QStringList RecordingWindow::completion(Trace trace, float value, float previous,
                                        std::int32_t sampleCount, float xStep)
{
    return {plotLine(trace, value, previous, sampleCount, xStep),
            readingLine(trace, value, sampleCount)};
}

void RecordingWindow::PlotTraceSegment(Trace trace, float value, float previous,
                                       std::int32_t sampleCount, float xStep)
{
    effects << plotLine(trace, value, previous, sampleCount, xStep);
}

void RecordingWindow::announceReading(Trace trace, float value, std::int32_t sampleCount)
{
    effects << readingLine(trace, value, sampleCount);
}

void RecordingWindow::Command2_Click()
{
    effects << QStringLiteral("Command2_Click");
    if (onStop)
        onStop();
}

void RecordingWindow::showNoLoggingMessage()
{
    effects << QStringLiteral("NO Logging ?!");
}

void RecordingWindow::yieldToEventLoop()
{
    effects << QStringLiteral("yield");
    if (onYield)
        onYield();
}
