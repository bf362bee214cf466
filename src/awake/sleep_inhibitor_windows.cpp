#include "awake/sleep_inhibitor.h"

#include <windows.h>

// The execution state belongs to the thread: the window's one thread sets and clears it.
struct SleepInhibitor::Platform {};

SleepInhibitor::SleepInhibitor(QObject *parent) : QObject(parent) {}

SleepInhibitor::~SleepInhibitor()
{
    release();
}

void SleepInhibitor::hold()
{
    if (held_)
        return;
    held_ = true;
    SetThreadExecutionState(ES_CONTINUOUS | ES_SYSTEM_REQUIRED);
}

void SleepInhibitor::release()
{
    if (!held_)
        return;
    held_ = false;
    SetThreadExecutionState(ES_CONTINUOUS);
}
