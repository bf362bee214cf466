#include "chart/raster_line.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

double nearestPixel(double v)
{
    return std::floor(v + 0.5);
}

// A line seen along its longer ("major") axis.
struct Run {
    double major0, minor0, major1, minor1;
    int majorSize, minorSize;
};

// The ideal line's minor coordinate at `major`, rounded half up. It is measured from the
// end nearer to the visible range, so a far-off other end costs no precision. With
// whole-number ends within a few million pixels every step is exact in double, so ties
// round the same in both directions.
double minorAt(const Run &run, double major, bool fromEnd)
{
    const double span = run.major1 - run.major0;
    if (span == 0)
        return run.minor0;
    const double rise = run.minor1 - run.minor0;
    if (fromEnd)
        return nearestPixel(run.minor1 + (major - run.major1) * rise / span);
    return nearestPixel(run.minor0 + (major - run.major0) * rise / span);
}

// Walks the part of the major axis that lies inside the image, so every coordinate is
// known to fit before it becomes an integer and the loop never outgrows the image.
template <typename Light> void walk(Run run, Light light)
{
    if (run.major1 < run.major0) {
        std::swap(run.major0, run.major1);
        std::swap(run.minor0, run.minor1);
    }
    const double first = std::max(run.major0, 0.0);
    const double last = std::min(run.major1, double(run.majorSize - 1));
    if (first > last)
        return;
    const bool fromEnd = run.major1 - last < first - run.major0;
    for (int major = int(first); major <= int(last); ++major) {
        const double minor = minorAt(run, major, fromEnd);
        if (minor >= 0 && minor < run.minorSize)
            light(major, int(minor));
    }
}

bool isFinite(QPointF p)
{
    return std::isfinite(p.x()) && std::isfinite(p.y());
}

} // namespace

std::vector<QPoint> rasterLine(QPointF from, QPointF to, QSize bounds)
{
    std::vector<QPoint> pixels;
    if (!isFinite(from) || !isFinite(to))
        return pixels;
    const double x0 = nearestPixel(from.x());
    const double y0 = nearestPixel(from.y());
    const double x1 = nearestPixel(to.x());
    const double y1 = nearestPixel(to.y());
    if (std::abs(x1 - x0) >= std::abs(y1 - y0)) {
        walk({x0, y0, x1, y1, bounds.width(), bounds.height()},
             [&](int x, int y) { pixels.emplace_back(x, y); });
    } else {
        walk({y0, x0, y1, x1, bounds.height(), bounds.width()},
             [&](int y, int x) { pixels.emplace_back(x, y); });
    }
    return pixels;
}
