#include "chart_reading.h"

#include "chart/chart_geometry.h"

#include <QStringList>
#include <cmath>

namespace {

int nearestPixel(float v)
{
    return int(std::floor(double(v) + 0.5));
}

} // namespace

float captionValue(const QString &caption)
{
    bool ok = false;
    const float value = caption.section(u' ', 2, 2).toFloat(&ok);
    return ok ? value : std::nanf("");
}

QPoint samplePixel(float xStep, int sample, float value)
{
    const float x = float(chart::sampleX(xStep, sample));
    const float y = float(chart::valueY(value));
    return {nearestPixel(x), nearestPixel(y)};
}
