#include "figures/quantity_figures.h"

namespace figures {

void QuantityFigures::take(double value, const QDateTime &time)
{
    if (count == 0 || value < minimum.value)
        minimum = {value, time};
    if (count == 0 || value > maximum.value)
        maximum = {value, time};
    ++count;
    sum += value;
}

} // namespace figures
