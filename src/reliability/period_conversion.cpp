#include "reliability/period_conversion.hpp"

#include <cmath>

#include "reliability/standard_normal.hpp"

namespace ferrolith::reliability {

double maximaCoordinate(double z, double n) {
    if (n == 1.0) return z;
    return normalQuantileOfLog(fullLogNormalCdf(z) / n);
}

double gumbelLocationOver(double a, double b, double n) { return a + std::log(n) / b; }

}  // namespace ferrolith::reliability
