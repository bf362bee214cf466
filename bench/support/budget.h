#pragma once

#include <string>
#include <vector>

// A figure a benchmark must reach (AtLeast) or stay within (AtMost).
struct Budget {
    enum class Bound { AtLeast, AtMost };

    std::string name;
    Bound bound;
    double limit;
    std::string unit;
};

// Prints one line "budget: NAME: FIGURE UNIT (budget >= LIMIT UNIT, ratio R): met" (or
// "missed"), which scripts/bench collects; returns whether the budget was met.
bool reportBudget(const Budget &budget, double figure);

// Prints an informative figure that has no budget of its own.
void reportFigure(const std::string &name, double figure, const std::string &unit);

// The middle value; the mean of the two middle ones for an even count.
double median(std::vector<double> values);
