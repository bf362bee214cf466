#include "window/stop_sequence.h"

#include "device/caption_text.h"

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
