#include "core/numbers.h"

#include <cmath>

namespace core {

double pureNumber(float draw)
{
    return std::floor(static_cast<double>(draw) * pureMultiplier + 1.0);
}

double rangeNumber(double low, double high, float draw)
{
    return std::floor((high - low + 1.0) * static_cast<double>(draw) + low);
}

} // namespace core
