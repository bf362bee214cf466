#include "window/window_rules.h"

#include "chart/chart_plot.h"
#include "device/caption_text.h"

NestedHandler::Level::Level(NestedHandler &handler)
    : handler_(handler), entered_(handler.depth_ < handler.mostNested_)
{
    if (entered_)
        ++handler_.depth_;
}

NestedHandler::Level::~Level()
{
    if (entered_)
        --handler_.depth_;
}

void runStop(NestedHandler &stops, const StopSteps &steps)
{
    steps.clearStatus();
    const NestedHandler::Level stop(stops);
    if (!stop.entered()) {
        steps.sendStop();
        return;
    }
    steps.yield();
    steps.sendStop();
    steps.waitForAcknowledgement();
    steps.endRun();
}

bool waitIsOver(const QString &statusLine)
{
    return statusLine == caption::Acknowledged;
}

void applyChartScale(SessionState &session, const QString &spanText, int count, int unit)
{
    const ChartScale scale = chartScale(spanText, count, unit);
    session.MaxSamples = scale.MaxSamples;
    session.XStep = scale.XStep;
}
