#include "geometry/open_drive.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace geometry {

namespace {

// The belt length that wraps pitch circles of radii large >= small at a centre distance c.
double beltLength(double c, double large, double small) {
    const double difference = large - small;
    return 2 * std::sqrt(c * c - difference * difference) + std::numbers::pi * (large + small) +
           2 * difference * std::asin(difference / c);
}

// The centre distance at which the belt is `length` long. The length grows with the
// distance, from one turn of the larger circle at c = large - small, so bisection finds it;
// it stops when no double lies between the two ends, which is well inside 1e-9.
double solveCentreDistance(double length, double large, double small) {
    double low = large - small;
    double high = low + length / 2; // the straight runs alone are longer than the belt there
    for (;;) {
        const double middle = low + (high - low) / 2;
        if (middle <= low || middle >= high)
            break;
        (beltLength(middle, large, small) < length ? low : high) = middle;
    }
    return std::abs(beltLength(low, large, small) - length) <
                   std::abs(beltLength(high, large, small) - length)
               ? low
               : high;
}

} // namespace

bool isWholeTeeth(double teeth) {
    return teeth >= 1 && std::floor(teeth) == teeth;
}

std::optional<OpenDrive> openDrive(double z1, double z2, double beltTeeth, double pitch) {
    const double larger = std::max(z1, z2), smaller = std::min(z1, z2);
    if (!(smaller > 0) || !(beltTeeth >= larger) || !std::isfinite(beltTeeth * pitch))
        return std::nullopt;
    const double large = larger * pitch / (2 * std::numbers::pi);
    const double small = smaller * pitch / (2 * std::numbers::pi);
    OpenDrive drive{};
    drive.pitchRadii = large + small;
    if (larger == smaller) {
        // Two straight runs and two half turns: exact.
        drive.centreDistance = (beltTeeth - larger) * pitch / 2;
        drive.wrapAngle = 180;
    } else {
        drive.centreDistance = solveCentreDistance(beltTeeth * pitch, large, small);
        drive.wrapAngle =
            180 - 2 * std::asin((large - small) / drive.centreDistance) * 180 / std::numbers::pi;
    }
    drive.teethInMesh = smaller * drive.wrapAngle / 360;
    return drive;
}

bool runsOn(double z1, double z2, double beltTeeth, double pitch) {
    const std::optional<OpenDrive> drive = openDrive(z1, z2, beltTeeth, pitch);
    return drive && drive->centreDistance >= drive->pitchRadii;
}

Unsound soundness(double z1, double z2, double beltTeeth, double pitch) {
    if (!isWholeTeeth(z1) || !isWholeTeeth(z2))
        return Unsound::pulleyTeeth;
    if (!isWholeTeeth(beltTeeth))
        return Unsound::beltTeeth;
    const std::optional<OpenDrive> drive = openDrive(z1, z2, beltTeeth, pitch);
    if (!drive)
        return Unsound::tooShort;
    return drive->centreDistance < drive->pitchRadii ? Unsound::overlap : Unsound::none;
}

} // namespace geometry
