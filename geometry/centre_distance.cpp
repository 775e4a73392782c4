#include "geometry/centre_distance.h"

#include "geometry/belt_profile.h"
#include "geometry/errors.h"

#include <cmath>

namespace geometry {

namespace {
// Four decimals, not the full value of pi: results must match those the users' tables
// were made with, to the last digit.
constexpr double pi = 3.1415;

struct Span {
    double length; // of one straight run of the belt, mm; negative when the belt is too short
    double square; // of the centre distance
};

// One rounded double operation a step, in this order; the build forbids contracting them
// into fused multiply-adds, which would change the last digits.
Span straightSpan(double z1, double z2, double beltCode, double pitch) {
    const double largeDiameter = (z1 * pitch) / pi;
    const double smallDiameter = (z2 * pitch) / pi;
    const double largeRadius = largeDiameter / 2;
    const double smallRadius = smallDiameter / 2;
    // The belt wraps half of each pulley.
    const double wrappedLarge = z1 / 2;
    const double wrappedSmall = z2 / 2;
    const double teeth = beltTeeth(beltCode, pitch);
    double freeTeeth = teeth - (wrappedLarge + wrappedSmall);
    freeTeeth = freeTeeth / 2; // one straight span
    const double span = freeTeeth * pitch;
    const double radiusDifference = largeRadius - smallRadius;
    return {span, span * span - radiusDifference * radiusDifference};
}

} // namespace

double centreDistance(double z1, double z2, double beltCode, double pitch) {
    const double square = straightSpan(z1, z2, beltCode, pitch).square;
    if (!(square >= 0))
        throw InvalidArgumentError(
            "the belt is too short for the pulleys: its straight span is shorter than the "
            "difference of their radii");
    const double distance = std::sqrt(square);
    if (!std::isfinite(distance))
        throw OverflowError("the centre distance is too large to compute");
    return distance;
}

bool beltReachesAround(double z1, double z2, double beltCode, double pitch) {
    const Span span = straightSpan(z1, z2, beltCode, pitch);
    return span.length >= 0 && span.square >= 0;
}

double ratio(double numerator, double denominator) {
    if (denominator == 0)
        throw DivisionByZeroError("division by zero: a pulley has no teeth");
    const double result = numerator / denominator;
    if (std::isinf(result))
        throw OverflowError("the ratio is too large to compute");
    return result;
}

} // namespace geometry
