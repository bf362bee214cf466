#pragma once

#include <QDateTime>
#include <cstdint>

namespace figures {

// A value of a run and the time of the sample it belongs to.
struct Extreme {
    double value = 0;
    QDateTime time;
};

// The lowest, highest and mean of one quantity over a run, taken one value at a time. The
// first of equal extremes keeps its time.
struct QuantityFigures {
    std::int32_t count = 0;
    double sum = 0;
    Extreme minimum;
    Extreme maximum;

    void take(double value, const QDateTime &time);
    double mean() const { return count == 0 ? 0 : sum / count; }
};

} // namespace figures
