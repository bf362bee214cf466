#pragma once

#include "window/handler_nesting.h"

#include <QString>
#include <functional>

// Stop's steps, taken by the window on its controls and its port, and by the fuzz target's
// stand-in on what it keeps of them.
struct StopSteps {
    std::function<void()> clearStatus;
    std::function<void()> yield;
    std::function<void()> sendStop;
    std::function<void()> waitForAcknowledgement;
    std::function<void()> endRun; // the port closed, the run's controls unlocked
};

// Stop: the status line cleared, then a yield, "S" and the wait for the acknowledgement,
// which ends the run; past the Stops that may wait, only "S" goes out.
void runStop(NestedHandler &stops, const StopSteps &steps);

// Stop and Receive wait until the status line reads "開始 ： OK !"; no other text ends it.
bool waitIsOver(const QString &statusLine);
