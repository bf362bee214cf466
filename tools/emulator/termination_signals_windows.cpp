#include "termination_signals.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <windows.h>

namespace {

// Windows calls this on a thread of its own; the quit is queued to the application's.
BOOL WINAPI quitOnConsoleEvent(DWORD event)
{
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT && event != CTRL_CLOSE_EVENT)
        return FALSE;
    QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit,
                              Qt::QueuedConnection);
    return TRUE;
}

} // namespace

bool quitOnTerminationSignals(QCoreApplication &)
{
    return SetConsoleCtrlHandler(quitOnConsoleEvent, TRUE) != 0;
}
