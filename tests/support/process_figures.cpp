#include "process_figures.h"

#include <ctime>

namespace {

double clockSeconds(clockid_t clock)
{
    timespec t{};
    if (clock_gettime(clock, &t) != 0)
        return 0;
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

} // namespace

double cpuSeconds()
{
    return clockSeconds(CLOCK_PROCESS_CPUTIME_ID);
}

double threadCpuSeconds()
{
    return clockSeconds(CLOCK_THREAD_CPUTIME_ID);
}

double monotonicSeconds()
{
    return clockSeconds(CLOCK_MONOTONIC);
}
