#pragma once

namespace geometry {

// Distance between the pulley axes of an open toothed-belt drive, in mm, by the window's own
// closed formula (pi as 3.1415, the wrap angle ignored): an approximation, kept to its last
// digit; openDrive gives the true geometry.
// z1, z2: teeth of the two pulleys; beltTeeth: the belt's teeth as the window reads them from
// its code; pitch: the belt pitch in mm. Throws CalculationError: beltTooShort when the
// straight span is shorter than the radius difference, tooLarge when the result is too large
// to be a number.
double centreDistance(double z1, double z2, double beltTeeth, double pitch);

// numerator / denominator; throws CalculationError: divisionByZero for a zero denominator
// (0/0 too), tooLarge when the quotient is too large to be a number.
double ratio(double numerator, double denominator);

} // namespace geometry
