#include "median_reporter.h"

void MedianReporter::ReportRuns(const std::vector<Run> &runs)
{
    ConsoleReporter::ReportRuns(runs);
    for (const Run &run : runs) {
        if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
            medians_[run.run_name.function_name] = run;
    }
}

double MedianReporter::cpuSecondsPerIteration(const std::string &function) const
{
    const auto found = medians_.find(function);
    if (found == medians_.end())
        return 0;
    const Run &run = found->second;
    return run.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
}

double MedianReporter::counter(const std::string &function, const std::string &name) const
{
    const auto found = medians_.find(function);
    if (found == medians_.end())
        return 0;
    const auto value = found->second.counters.find(name);
    return value == found->second.counters.end() ? 0 : double(value->second);
}
