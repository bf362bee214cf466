#pragma once

#include <QtGlobal>
#include <thread>

// Figures of this process, for bounds that catch a leak or a busy loop, and for benchmarks.

// Resident memory now, and the highest it has been, in bytes.
qint64 residentBytes();
qint64 peakResidentBytes();

// Processor time used so far, user and system, in seconds: by the whole process, by the
// calling thread, and by another thread of this process.
double cpuSeconds();
double threadCpuSeconds();
double threadCpuSeconds(std::thread &thread);

// Seconds on a monotonic clock.
double monotonicSeconds();
