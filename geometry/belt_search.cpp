#include "geometry/belt_search.h"

#include <algorithm>

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

// The fewest teeth of a sound belt, or past mostTeeth when none is.
std::int64_t fewestSoundTeeth(double z1, double z2, const BeltProfile &profile) {
    const std::int64_t most = mostTeeth(profile);
    // A belt shorter than the larger pulley never goes round it; past the largest code no
    // pulley is read, so neither end is a guess.
    const double larger = std::max(z1, z2);
    if (!(larger >= 1 && larger <= static_cast<double>(most)))
        return most + 1;
    return firstWhere(static_cast<std::int64_t>(larger), most, [&](std::int64_t teeth) {
        return !unbuildable(z1, z2, static_cast<double>(teeth), profile.pitch);
    });
}

} // namespace

Belt beltWithTeeth(double z1, double z2, const BeltProfile &profile, std::int64_t teeth) {
    return {teeth, beltCode(profile, teeth),
            *openDrive(z1, z2, static_cast<double>(teeth), profile.pitch)};
}

std::optional<Belt> shortestBelt(double z1, double z2, const BeltProfile &profile) {
    const std::int64_t teeth = fewestSoundTeeth(z1, z2, profile);
    if (teeth > mostTeeth(profile))
        return std::nullopt;
    return beltWithTeeth(z1, z2, profile, teeth);
}

BeltRange beltsBetween(double z1, double z2, const BeltProfile &profile, double firstCode,
                       double lastCode) {
    const std::int64_t most = mostTeeth(profile);
    const std::int64_t sound = fewestSoundTeeth(z1, z2, profile);
    const std::int64_t first = firstWhere(
        sound, most, [&](std::int64_t teeth) { return beltCode(profile, teeth) >= firstCode; });
    const std::int64_t last =
        firstWhere(1, most,
                   [&](std::int64_t teeth) { return beltCode(profile, teeth) > lastCode; }) -
        1;
    return {first, last};
}

NearestBelts nearestBelts(double z1, double z2, const BeltProfile &profile, double wantedDistance,
                          double firstCode, double lastCode) {
    const BeltRange range = beltsBetween(z1, z2, profile, firstCode, lastCode);
    const std::int64_t reaching =
        firstWhere(range.firstTeeth, range.lastTeeth, [&](std::int64_t teeth) {
            return beltWithTeeth(z1, z2, profile, teeth).drive.centreDistance >= wantedDistance;
        });
    NearestBelts nearest;
    if (reaching <= range.lastTeeth) {
        nearest.above = beltWithTeeth(z1, z2, profile, reaching);
        if (nearest.above->drive.centreDistance == wantedDistance)
            return nearest;
    }
    if (reaching > range.firstTeeth)
        nearest.below = beltWithTeeth(z1, z2, profile, reaching - 1);
    return nearest;
}

} // namespace geometry
