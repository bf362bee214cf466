#include "process_figures.h"

#include <pthread.h>
#include <windows.h>
// After windows.h, which it needs.
#include <psapi.h>

qint64 residentBytes()
{
    PROCESS_MEMORY_COUNTERS counters{};
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return qint64(counters.WorkingSetSize);
}

qint64 peakResidentBytes()
{
    PROCESS_MEMORY_COUNTERS counters{};
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return qint64(counters.PeakWorkingSetSize);
}

// winpthreads has no clock for another thread; Windows counts in 100-ns ticks.
double threadCpuSeconds(std::thread &thread)
{
    FILETIME created, exited, system, user;
    if (!GetThreadTimes(pthread_gethandle(thread.native_handle()), &created, &exited, &system,
                        &user))
        return 0;
    const auto ticks = [](const FILETIME &t) {
        return double((quint64(t.dwHighDateTime) << 32) | t.dwLowDateTime);
    };
    return (ticks(system) + ticks(user)) / 1e7;
}
