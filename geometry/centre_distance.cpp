#include "geometry/centre_distance.h"

#include "geometry/errors.h"

#include <cmath>

namespace geometry {

namespace {
// Four decimals, not the full value of pi: the window's own approximation, which must give
// the same digits to the last one.
constexpr double pi = 3.1415;

// One rounded double operation a step, in this order; the build forbids contracting them
// into fused multiply-adds, which would change the last digits.
double squaredDistance(double z1, double z2, double beltTeeth, double pitch) {
    const double largeDiameter = (z1 * pitch) / pi;
    const double smallDiameter = (z2 * pitch) / pi;
    const double largeRadius = largeDiameter / 2;
    const double smallRadius = smallDiameter / 2;
    // The belt wraps half of each pulley.
    const double wrappedLarge = z1 / 2;
    const double wrappedSmall = z2 / 2;
    double freeTeeth = beltTeeth - (wrappedLarge + wrappedSmall);
    freeTeeth = freeTeeth / 2; // one straight span
    const double span = freeTeeth * pitch;
    const double radiusDifference = largeRadius - smallRadius;
    return span * span - radiusDifference * radiusDifference;
}

} // namespace

double centreDistance(double z1, double z2, double beltTeeth, double pitch) {
    const double square = squaredDistance(z1, z2, beltTeeth, pitch);
    if (!(square >= 0))
        throw CalculationError(
            CalculationError::Kind::beltTooShort,
            "the belt is too short for the pulleys: its straight span is shorter than the "
            "difference of their radii");
    const double distance = std::sqrt(square);
    if (!std::isfinite(distance))
        throw CalculationError(CalculationError::Kind::tooLarge,
                               "the centre distance is too large to compute");
    return distance;
}

double ratio(double numerator, double denominator) {
    if (denominator == 0)
        throw CalculationError(CalculationError::Kind::divisionByZero,
                               "division by zero: a pulley has no teeth");
    const double result = numerator / denominator;
    if (std::isinf(result))
        throw CalculationError(CalculationError::Kind::tooLarge,
                               "the ratio is too large to compute");
    return result;
}

} // namespace geometry
