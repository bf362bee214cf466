#include "figures/dew_point.h"

#include <cmath>

namespace figures {

std::optional<double> dewPoint(double temperature, double relativeHumidity)
{
    if (!(relativeHumidity > 0) || !(temperature > -MagnusB) || !std::isfinite(temperature) ||
        !std::isfinite(relativeHumidity))
        return std::nullopt;
    const double gamma =
        std::log(relativeHumidity / 100) + MagnusA * temperature / (MagnusB + temperature);
    return MagnusB * gamma / (MagnusA - gamma);
}

} // namespace figures
