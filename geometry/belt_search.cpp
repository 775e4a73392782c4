#include "geometry/belt_search.h"

#include "geometry/belt_profile.h"
#include "geometry/centre_distance.h"

#include <cmath>

namespace geometry {

namespace {

// The smallest x in [low, high] for which holds(x) is true, where holds is false up to some
// point and true from there on; high + 1 when it never holds.
template <typename Predicate>
std::int64_t firstWhere(std::int64_t low, std::int64_t high, Predicate holds) {
    while (low <= high) {
        const std::int64_t middle = low + (high - low) / 2;
        if (holds(middle))
            high = middle - 1;
        else
            low = middle + 1;
    }
    return low;
}

double codePerTooth(double pitch) {
    const BeltProfile *profile = profileWithPitch(pitch);
    return profile ? profile->codePerTooth : 2.0;
}

// Enough teeth for any code up to largestBeltCode.
std::int64_t mostTeeth(double pitch) {
    return static_cast<std::int64_t>(static_cast<double>(largestBeltCode) / codePerTooth(pitch)) +
           1;
}

} // namespace

std::optional<std::int64_t> shortestBeltCode(double z1, double z2, double pitch) {
    const std::int64_t code = firstWhere(-largestBeltCode, largestBeltCode, [&](std::int64_t c) {
        return beltReachesAround(z1, z2, static_cast<double>(c), pitch);
    });
    if (code > largestBeltCode)
        return std::nullopt;
    return code;
}

std::int64_t beltCodeForTeeth(std::int64_t teeth, double pitch) {
    // Exact: a tooth is a whole number of quarter code units.
    const double length = static_cast<double>(teeth) * codePerTooth(pitch);
    return static_cast<std::int64_t>(std::ceil(length - 0.5));
}

BeltRange beltsBetween(double z1, double z2, double pitch, std::int64_t firstCode,
                       std::int64_t lastCode) {
    const std::int64_t most = mostTeeth(pitch);
    const std::int64_t shortest = firstWhere(1, most, [&](std::int64_t teeth) {
        return beltReachesAround(z1, z2, static_cast<double>(beltCodeForTeeth(teeth, pitch)),
                                 pitch);
    });
    const std::int64_t first = firstWhere(shortest, most, [&](std::int64_t teeth) {
        return beltCodeForTeeth(teeth, pitch) >= firstCode;
    });
    const std::int64_t last =
        firstWhere(1, most,
                   [&](std::int64_t teeth) { return beltCodeForTeeth(teeth, pitch) > lastCode; }) -
        1;
    return {first, last};
}

Belt beltWithTeeth(double z1, double z2, double pitch, std::int64_t teeth) {
    const std::int64_t code = beltCodeForTeeth(teeth, pitch);
    return {code, teeth, centreDistance(z1, z2, static_cast<double>(code), pitch)};
}

std::optional<Belt> shortestBelt(double z1, double z2, double pitch) {
    const BeltRange range = beltsBetween(z1, z2, pitch, 1, largestBeltCode);
    if (range.firstTeeth > range.lastTeeth)
        return std::nullopt;
    return beltWithTeeth(z1, z2, pitch, range.firstTeeth);
}

NearestBelts nearestBelts(double z1, double z2, double pitch, double wantedDistance,
                          std::int64_t firstCode, std::int64_t lastCode) {
    const BeltRange range = beltsBetween(z1, z2, pitch, firstCode, lastCode);
    const std::int64_t reaching =
        firstWhere(range.firstTeeth, range.lastTeeth, [&](std::int64_t teeth) {
            return beltWithTeeth(z1, z2, pitch, teeth).centreDistance >= wantedDistance;
        });
    NearestBelts nearest;
    if (reaching <= range.lastTeeth) {
        nearest.above = beltWithTeeth(z1, z2, pitch, reaching);
        if (nearest.above->centreDistance == wantedDistance)
            return nearest;
    }
    if (reaching > range.firstTeeth)
        nearest.below = beltWithTeeth(z1, z2, pitch, reaching - 1);
    return nearest;
}

} // namespace geometry
