#pragma once

#include <vector>

// Processor time used so far by the whole process, user and system, in seconds.
double processCpuSeconds();

// Processor time used so far by the calling thread, in seconds.
double threadCpuSeconds();

// Seconds on a monotonic clock.
double monotonicSeconds();

// The highest resident memory of the process so far, in megabytes.
double peakResidentMegabytes();

// The middle value; the mean of the two middle ones for an even count.
double median(std::vector<double> values);
