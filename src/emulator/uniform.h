#pragma once

#include <random>

// A number in [0, 1) from the generator's next 32 bits: the same sequence on every standard
// library, which the distributions of <random> do not promise.
inline double uniform(std::mt19937 &random)
{
    return random() / 4294967296.0;
}
