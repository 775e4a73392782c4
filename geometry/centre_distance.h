#pragma once

namespace geometry {

// Distance between the pulley axes of an open toothed-belt drive, in mm.
// z1, z2: teeth of the two pulleys; beltCode: the number printed on the belt;
// pitch: the belt pitch in mm. Throws InvalidArgumentError when the belt is too short
// for the pulleys, OverflowError when the result is too large to be a number.
double centreDistance(double z1, double z2, double beltCode, double pitch);

// Whether the belt is long enough to go round both pulleys: its straight span is at least
// the difference of their radii. Then, and for every longer belt, centreDistance succeeds.
// A shorter belt may still give a root with a negative span, which no real drive has.
bool beltReachesAround(double z1, double z2, double beltCode, double pitch);

// numerator / denominator; throws DivisionByZeroError for a zero denominator (0/0 too).
double ratio(double numerator, double denominator);

} // namespace geometry
