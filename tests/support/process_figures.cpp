#include "process_figures.h"

#include <QFile>
#include <ctime>
#include <pthread.h>
#ifdef Q_OS_WIN
#include <windows.h>
// After windows.h, which it needs.
#include <psapi.h>
#else
#include <sys/resource.h>
#include <unistd.h>
#endif

namespace {

double clockSeconds(clockid_t clock)
{
    timespec t{};
    if (clock_gettime(clock, &t) != 0)
        return 0;
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

} // namespace

#ifdef Q_OS_WIN

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

#else

qint64 residentBytes()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toLongLong() * sysconf(_SC_PAGESIZE) : 0;
}

qint64 peakResidentBytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return qint64(usage.ru_maxrss) * 1024; // kilobytes on Linux
}

#endif

double cpuSeconds()
{
    return clockSeconds(CLOCK_PROCESS_CPUTIME_ID);
}

double threadCpuSeconds()
{
    return clockSeconds(CLOCK_THREAD_CPUTIME_ID);
}

double threadCpuSeconds(std::thread &thread)
{
#ifdef Q_OS_WIN
    // winpthreads has no clock for another thread; Windows counts in 100-ns ticks.
    FILETIME created, exited, system, user;
    if (!GetThreadTimes(pthread_gethandle(thread.native_handle()), &created, &exited, &system,
                        &user))
        return 0;
    const auto ticks = [](const FILETIME &t) {
        return double((quint64(t.dwHighDateTime) << 32) | t.dwLowDateTime);
    };
    return (ticks(system) + ticks(user)) / 1e7;
#else
    clockid_t clock{};
    if (pthread_getcpuclockid(thread.native_handle(), &clock) != 0)
        return 0;
    return clockSeconds(clock);
#endif
}

double monotonicSeconds()
{
    return clockSeconds(CLOCK_MONOTONIC);
}
