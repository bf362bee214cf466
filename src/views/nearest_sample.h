#pragma once

#include "run/sample.h"

#include <QtGlobal>
#include <optional>
#include <vector>

namespace views {

// How far, in chart pixels, the pointer may stand before the first or after the last sample
// and still name it: a hand's aim, not more.
inline constexpr double PointerReach = 2;

// The position in samples of the sample drawn nearest to chart x `x`, for samples `xStep`
// apart; of two at one index, the later, which was drawn over the other. None before the
// first sample or after the last one by more than PointerReach, and none of no samples.
std::optional<qsizetype> nearestSample(const std::vector<Sample> &samples, float xStep, double x);

} // namespace views
