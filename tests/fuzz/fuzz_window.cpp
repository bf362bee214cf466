#include "fuzz_window.h"

#include "fixed_clock.h"

#include "chart/chart_plot.h"
#include "device/caption_text.h"
#include "device/device_protocol.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace {

const QString &Time = FixedClockText;

void check(bool holds, const char *rule)
{
    if (holds)
        return;
    std::fprintf(stderr, "broken: %s\n", rule);
    std::abort();
}

// A caption made of prefix, reading and unit, the reading a finite number of a float's
// range with no blank around it.
bool isReadingCaption(const QString &caption, const QString &prefix, const QString &unit)
{
    if (!caption.startsWith(prefix) || !caption.endsWith(unit))
        return false;
    const QString reading =
        caption.sliced(prefix.size(), caption.size() - prefix.size() - unit.size());
    bool ok = false;
    const double value = reading.toDouble(&ok);
    return ok && reading == reading.trimmed() &&
           std::abs(value) <= double(std::numeric_limits<float>::max());
}

// A reading as the window must show it, formatted here apart from the program's own
// formatting code: the shortest general form with at most seven significant digits.
// Zero may show without its sign.
bool showsReading(const QString &caption, const QString &prefix, float value, const QString &unit)
{
    const QString general = QString::number(double(value), 'g', 7).toUpper();
    if (value == 0 && caption == prefix + QStringLiteral("0") + unit)
        return true;
    return caption == prefix + general + unit;
}

bool isStatus(const QString &caption)
{
    return caption == caption::Acknowledged || caption == caption::LoggedInMinutes ||
           caption == caption::LoggedInHours || caption == caption::TimePrefix + Time;
}

} // namespace

FuzzWindow::FuzzWindow(const FuzzRun &run, PictureBox &picture)
    : run_(run), picture_(picture), upDown2_(run.interval), upDown3_(run.unit)
{
    rescale();
    if (run.fullChart)
        state_.SampleCount = state_.MaxSamples;
    if (run.countNearItsEnd)
        state_.SampleCount = std::numeric_limits<std::int32_t>::max() - 1;
}

void FuzzWindow::play()
{
    while (deliverNext()) {
    }
}

bool FuzzWindow::deliverNext()
{
    if (next_ >= run_.deliveries.size())
        return false;
    decoder_.decode(run_.deliveries[next_++]);
    checkSession();
    return true;
}

void FuzzWindow::checkSession() const
{
    const int token = int(state_.ParseState);
    check(token >= int(ParseToken::Between) && token <= int(ParseToken::LoggingReport),
          "ParseState is one of its six values");
    check(state_.SampleCount >= 0, "SampleCount >= 0");
    check(state_.MaxSamples >= 1, "MaxSamples in 1 to 32767");
    check(std::isfinite(state_.XStep) && state_.XStep > 0, "XStep is positive and finite");
    check(state_.LogInterval >= 0, "LogInterval >= 0");
    check(state_.TempSign >= -1 && state_.TempSign <= 1, "TempSign is a sign");
    check(std::isfinite(state_.PrevTemp) && std::isfinite(state_.PrevHumid),
          "previous readings are finite");
}

void FuzzWindow::rescale()
{
    applyChartScale(state_, run_.spanText, upDown2_, upDown3_);
}

void FuzzWindow::setCaption(Label label, const QString &caption)
{
    switch (label) {
    case Label::Label2:
        check(caption == QString::number(upDown2_), "Label2 shows the interval selector");
        break;
    case Label::Label3:
        check(caption == (protocol::Unit(upDown3_) == protocol::Unit::Minutes ? caption::PerMinute
                                                                              : caption::PerHour),
              "Label3 shows the unit selector");
        break;
    case Label::Label4:
        check(caption == caption::TimePrefix + Time, "Label4 shows the time");
        break;
    case Label::Label5:
        check(isReadingCaption(caption, caption::TemperaturePrefix, caption::TemperatureUnit),
              "Label5 shows a temperature");
        shownTemperature_ = caption;
        break;
    case Label::Label6:
        check(isReadingCaption(caption, caption::HumidityPrefix, caption::HumidityUnit),
              "Label6 shows a humidity");
        shownHumidity_ = caption;
        break;
    case Label::Label7:
        check(isStatus(caption), "Label7 shows a status");
        label7_ = caption;
        break;
    }
}

// The selectors hold the interval range and the two units; a change reruns the chart
// scaling, as the window's change handlers do.
void FuzzWindow::setUpDown2Value(int value)
{
    check(value >= protocol::IntervalMin && value <= protocol::IntervalMax,
          "the interval selector's range");
    if (std::exchange(upDown2_, value) != value)
        rescale();
}

void FuzzWindow::setUpDown3Value(int value)
{
    const auto unit = protocol::Unit(value);
    check(unit == protocol::Unit::Minutes || unit == protocol::Unit::Hours,
          "the unit selector's range");
    if (std::exchange(upDown3_, value) != value)
        rescale();
}

void FuzzWindow::PlotTraceSegment(Trace trace, float value, float previous,
                                  std::int32_t sampleCount, float xStep)
{
    check(std::isfinite(value) && std::isfinite(previous), "plotted readings are finite");
    check(sampleCount >= 0, "a plotted sample is not negative");
    check(xStep == state_.XStep, "the plot uses XStep");
    const bool shown =
        trace == Trace::Temperature
            ? showsReading(shownTemperature_, caption::TemperaturePrefix, value,
                           caption::TemperatureUnit)
            : showsReading(shownHumidity_, caption::HumidityPrefix, value, caption::HumidityUnit);
    check(shown, "the plotted reading is the one shown, in its general form");
    check(!unannounced_, "every plotted reading is announced");
    ::PlotTraceSegment(picture_, trace, value, previous, sampleCount, xStep);
    unannounced_ = {trace, value, sampleCount};
}

void FuzzWindow::announceReading(Trace trace, float value, std::int32_t sampleCount)
{
    check(unannounced_ == std::tuple(trace, value, sampleCount),
          "the announced reading is the one just plotted");
    unannounced_.reset();
}

// The window's own Stop; its wait takes a delivery, then looks, and the "S" and the end of
// the run touch nothing the decoder sees.
void FuzzWindow::Command2_Click()
{
    runStop(nesting_.stops, {.clearStatus = [this] { label7_ = caption::StatusPrefix; },
                             .yield = [this] { yieldToEventLoop(); },
                             .sendStop = [] {},
                             .waitForAcknowledgement =
                                 [this] {
                                     while (deliverNext() && !waitIsOver(label7_)) {
                                     }
                                 },
                             .endRun = [] {}});
}

// The box's own event loop decodes what arrives while it is open; a second box is not
// stacked on the first.
void FuzzWindow::showNoLoggingMessage()
{
    const NestedHandler::Level box(nesting_.messageBoxes);
    if (box.entered())
        deliverNext();
}

void FuzzWindow::yieldToEventLoop()
{
    if (!run_.nested)
        return;
    const NestedHandler::Level yield(nesting_.yields);
    if (yield.entered())
        deliverNext();
}

QString FuzzWindow::currentTimeText()
{
    return Time;
}
