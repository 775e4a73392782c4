#include "geometry/open_drive.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace geometry {

namespace {

// t - atan(t), with its series where the difference would cancel; and atan(t) itself.
struct Excess {
    double excess, angle;
};
Excess spanExcess(double t) {
    if (t < 1e-3) {
        const double square = t * t;
        const double excess = t * square * (1.0 / 3 - square * (1.0 / 5 - square / 7));
        return {excess, t - excess};
    }
    const double angle = std::atan(t);
    return {t - angle, angle};
}

// The span's ratio t, and atan(t): half the angle of the wrap on the smaller pulley.
struct SpanRatio {
    double ratio, angle;
};

// The straight span of a drive as a multiple t of the pitch radii's difference d. A belt
// wrapped on pitch circles of radii R > r at a distance C is one turn of the larger circle
// and 2d(t - atan t) more, where t = sqrt(C^2 - d^2) / d, so t solves
// t - atan t = excess / 2d. Solved for t, not for C, the answer keeps its precision at both
// ends: t is 0 exactly for a belt of one turn of the larger pulley, where the length hardly
// changes with C, and it grows as the belt does.
// Newton's method from a first guess that is close at either end (the series t^3 / 3 for a
// short excess; for a long one t = k + atan t, with atan t = pi/2 - 1/t + 1/(3 t^3)), kept
// inside a bracket that each step narrows and bisected where a step would leave it. It stops
// when a step leaves an error below t's last bits, or no double lies inside the bracket.
// Searches solve thousands of drives: a few steps each.
SpanRatio solveSpanRatio(double excess, double difference) {
    const double wanted = excess / (2 * difference);
    if (!(wanted > 0))
        return {0, 0};
    double low = 0;
    double high = wanted + std::numbers::pi / 2; // t - atan t > t - pi / 2
    double t = std::cbrt(3 * wanted);
    if (wanted >= 1) {
        // t = k + pi/2 - 1/t + 1/(3 t^3) - 1/(5 t^5), twice from its first term.
        t = high - 1 / high;
        for (int pass = 0; pass < 2; ++pass) {
            const double inverse = 1 / t, square = inverse * inverse;
            t = high - inverse * (1 - square * (1.0 / 3 - square / 5));
        }
    }
    for (;;) {
        const Excess atT = spanExcess(t);
        const double miss = atT.excess - wanted;
        if (miss == 0)
            return {t, atT.angle};
        (miss < 0 ? low : high) = t;
        const double square = t * t;
        const double newton = t - miss * (1 + square) / square; // the slope is t^2 / (1 + t^2)
        // t - atan t is convex: a step from below the root lands above it, one from above stays
        // above it, so only the bracket's upper end can be passed.
        if (newton > low && newton < high) { // GCOVR_EXCL_BR_LINE
            // Newton's error after a step is about step^2 f''/2f' = step^2 / (t (1 + t^2)):
            // once that is below the last bits of t, the step is the last one.
            const double step = newton - t;
            if (step * step <= std::numeric_limits<double>::epsilon() * square * (1 + square) / 4)
                return {newton, atT.angle + step / (1 + square)}; // atan's slope, for a last step
            t = newton;
            continue;
        }
        const double middle = low + (high - low) / 2;
        // The last resort, where Newton's steps keep leaving a bracket that no double lies in.
        if (middle <= low || middle >= high) // GCOVR_EXCL_BR_LINE
            return {t, atT.angle};
        t = middle;
    }
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
        const auto [spanRatio, halfWrap] = solveSpanRatio((beltTeeth - larger) * pitch, difference);
        drive.span = difference * spanRatio;
        drive.centreDistance = std::sqrt(difference * difference + drive.span * drive.span);
        drive.wrapAngle = 2 * halfWrap * 180 / std::numbers::pi;
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
