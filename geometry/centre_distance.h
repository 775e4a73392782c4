#pragma once

namespace geometry {

// Distance between the pulley axes of an open toothed-belt drive, in mm, by the window's
// closed formula (pi as 3.1415, the wrap angle ignored), which its users' tables follow;
// openDrive gives the true geometry.
// z1, z2: teeth of the two pulleys; beltCode: the number printed on the belt;
// pitch: the belt pitch in mm. Throws InvalidArgumentError when the belt is too short
// for the pulleys, OverflowError when the result is too large to be a number.
double centreDistance(double z1, double z2, double beltCode, double pitch);

// numerator / denominator; throws DivisionByZeroError for a zero denominator (0/0 too).
double ratio(double numerator, double denominator);

} // namespace geometry
