#include "views/nearest_sample.h"

#include "chart/chart_geometry.h"

#include <algorithm>
#include <cmath>

namespace views {

namespace {

double distance(const Sample &sample, float xStep, double x)
{
    return std::abs(chart::sampleX(xStep, sample.index) - x);
}

} // namespace

std::optional<qsizetype> nearestSample(const std::vector<Sample> &samples, float xStep, double x)
{
    if (samples.empty() || !(xStep > 0) ||
        x < chart::sampleX(xStep, samples.front().index) - PointerReach ||
        x > chart::sampleX(xStep, samples.back().index) + PointerReach)
        return std::nullopt;
    const double index = (x - chart::Left) / double(xStep);
    // The first sample at or right of the pointer, and the last one left of it.
    auto right = std::lower_bound(samples.begin(), samples.end(), index,
                                  [](const Sample &s, double i) { return s.index < i; });
    auto nearest = right;
    if (right == samples.end() ||
        (right != samples.begin() &&
         distance(*std::prev(right), xStep, x) <= distance(*right, xStep, x)))
        nearest = std::prev(right);
    const std::int32_t chosen = nearest->index;
    const auto last = std::upper_bound(nearest, samples.end(), chosen,
                                       [](std::int32_t i, const Sample &s) { return i < s.index; });
    return qsizetype(std::prev(last) - samples.begin());
}

} // namespace views
