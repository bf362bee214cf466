#include "budget.h"

#include <algorithm>
#include <cstdio>

bool reportBudget(const Budget &budget, double figure)
{
    const bool atLeast = budget.bound == Budget::Bound::AtLeast;
    const bool met = atLeast ? figure >= budget.limit : figure <= budget.limit;
    std::printf("budget: %s: %.4g %s (budget %s %.4g %s, ratio %.3f): %s\n", budget.name.c_str(),
                figure, budget.unit.c_str(), atLeast ? ">=" : "<=", budget.limit,
                budget.unit.c_str(), figure / budget.limit, met ? "met" : "missed");
    std::fflush(stdout);
    return met;
}

void reportFigure(const std::string &name, double figure, const std::string &unit)
{
    std::printf("  %s: %.4g %s\n", name.c_str(), figure, unit.c_str());
    std::fflush(stdout);
}

double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    if (values.size() % 2 == 1)
        return values[middle];
    return (values[middle - 1] + values[middle]) / 2;
}
