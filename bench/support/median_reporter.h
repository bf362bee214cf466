#pragma once

#include <benchmark/benchmark.h>
#include <map>
#include <string>

// The console report, which also keeps the median of each benchmark's repetitions.
class MedianReporter : public benchmark::ConsoleReporter {
public:
    // Without colours: the report usually goes to a log.
    MedianReporter() : ConsoleReporter(OO_Tabular) {}

    void ReportRuns(const std::vector<Run> &runs) override;

    // Processor seconds per iteration of the named benchmark's median repetition, which
    // other work on a shared machine disturbs less than the clock; 0 if none ran.
    double cpuSecondsPerIteration(const std::string &function) const;
    // A counter of the median repetition (rates per processor second); 0 if none ran.
    double counter(const std::string &function, const std::string &name) const;

private:
    std::map<std::string, Run> medians_;
};
