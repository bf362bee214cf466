#include "recording_window.h"

namespace {

QString labelName(DecoderWindow::Label label)
{
    using Label = DecoderWindow::Label;
    switch (label) {
    case Label::Label2:
        return QStringLiteral("Label2");
    case Label::Label3:
        return QStringLiteral("Label3");
    case Label::Label4:
        return QStringLiteral("Label4");
    case Label::Label5:
        return QStringLiteral("Label5");
    case Label::Label6:
        return QStringLiteral("Label6");
    case Label::Label7:
        return QStringLiteral("Label7");
    }
    return {};
}

QString exact(double value)
{
    return QString::number(value, 'g', 9);
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

QString RecordingWindow::plotLine(Trace trace, float value, float previous,
                                  std::int32_t sampleCount, float xStep)
{
    const QString name =
        trace == Trace::Temperature ? QStringLiteral("temperature") : QStringLiteral("humidity");
    return QStringLiteral("plot %1 %2 from %3 at %4 step %5")
        .arg(name, exact(value), exact(previous), QString::number(sampleCount), exact(xStep));
}

void RecordingWindow::PlotTraceSegment(Trace trace, float value, float previous,
                                       std::int32_t sampleCount, float xStep)
{
    effects << plotLine(trace, value, previous, sampleCount, xStep);
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
