#include "window/continuous_runs.h"

#include "window/main_window.h"

#include <QPushButton>

ContinuousRuns::ContinuousRuns(Form1 &form) : QObject(&form), form_(form) {}

void ContinuousRuns::runStarted()
{
    running_ = true;
    stoppedByOperator_ = false;
}

void ContinuousRuns::operatorStopped()
{
    stoppedByOperator_ = true;
}

// Posted, not called: the Stop of a full chart runs inside the decoder, and the new run must
// start after both have returned. Nested Stops end a run more than once, and a full chart of
// a transfer stops too; one Measure follows a run alone.
void ContinuousRuns::runEnded()
{
    if (!running_)
        return;
    running_ = false;
    if (!on_ || stoppedByOperator_)
        return;
    QMetaObject::invokeMethod(this, &ContinuousRuns::measureAgain, Qt::QueuedConnection);
}

// A command the operator started meanwhile goes first.
void ContinuousRuns::measureAgain()
{
    if (on_ && !stoppedByOperator_ && form_.Command1->isEnabled())
        form_.Command1_Click();
}
