#include "geometry/open_drive.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace geometry {

namespace {

// t - atan(t), with its series where the difference would cancel.
double spanExcess(double t) {
    if (t < 1e-3) {
        const double square = t * t;
        return t * square * (1.0 / 3 - square * (1.0 / 5 - square / 7));
    }
    return t - std::atan(t);
}

// The straight span of a drive as a multiple t of the pitch radii's difference d. A belt
// wrapped on pitch circles of radii R > r at a distance C is one turn of the larger circle
// and 2d(t - atan t) more, where t = sqrt(C^2 - d^2) / d, so t solves
// t - atan t = excess / 2d. Solved for t, not for C, the answer keeps its precision at both
// ends: t is 0 exactly for a belt of one turn of the larger pulley, where the length hardly
// changes with C, and it grows as the belt does.
// Newton's method from a first guess that is close at either end (the series t^3 / 3 for a
// short excess, t - pi/2 + 1/t for a long one), kept inside a bracket that each step narrows
// and bisected where a step would leave it; it stops when a step changes nothing or no double
// lies inside the bracket. Searches solve thousands of drives: a few steps each.
double solveSpanRatio(double excess, double difference) {
    const double wanted = excess / (2 * difference);
    if (!(wanted > 0))
        return 0;
    double low = 0;
    double high = wanted + std::numbers::pi / 2; // t - atan t > t - pi / 2
    const double asymptote = wanted + std::numbers::pi / 2;
    double t = wanted < 1 ? std::cbrt(3 * wanted) : asymptote - 1 / asymptote;
    for (;;) {
        const double miss = spanExcess(t) - wanted;
        if (miss == 0)
            return t;
        (miss < 0 ? low : high) = t;
        const double square = t * t;
        double next = t - miss * (1 + square) / square; // the slope is t^2 / (1 + t^2)
        if (!(next > low && next < high)) {
            next = low + (high - low) / 2;
            if (next <= low || next >= high)
                break;
        }
        if (next == t)
            break;
        t = next;
    }
    return std::abs(spanExcess(low) - wanted) <= std::abs(spanExcess(high) - wanted) ? low : high;
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
    drive.largeRadius = large;
    drive.smallRadius = small;
    if (larger == smaller) {
        // Two straight runs and two half turns: exact.
        drive.centreDistance = (beltTeeth - larger) * pitch / 2;
        drive.span = drive.centreDistance;
        drive.wrapAngle = 180;
    } else {
        const double difference = large - small;
        const double spanRatio = solveSpanRatio((beltTeeth - larger) * pitch, difference);
        drive.span = difference * spanRatio;
        drive.centreDistance = std::hypot(difference, drive.span);
        drive.wrapAngle = 2 * std::atan(spanRatio) * 180 / std::numbers::pi;
    }
    drive.teethInMesh = smaller * drive.wrapAngle / 360;
    return drive;
}

bool runsOn(double z1, double z2, double beltTeeth, double pitch) {
    const std::optional<OpenDrive> drive = openDrive(z1, z2, beltTeeth, pitch);
    return drive && drive->centreDistance >= drive->largeRadius + drive->smallRadius;
}

std::optional<Unsound> unbuildable(double z1, double z2, double beltTeeth, double pitch) {
    if (!isWholeTeeth(z1) || !isWholeTeeth(z2))
        return Unsound::pulleyTeeth;
    if (!isWholeTeeth(beltTeeth))
        return Unsound::beltTeeth;
    const std::optional<OpenDrive> drive = openDrive(z1, z2, beltTeeth, pitch);
    if (!drive)
        return Unsound::tooShort;
    if (drive->centreDistance < drive->largeRadius + drive->smallRadius)
        return Unsound::overlap;
    return std::nullopt;
}

} // namespace geometry
