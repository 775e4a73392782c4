#pragma once

#include "geometry/belt_profile.h"
#include "geometry/open_drive.h"

#include <cstdint>
#include <optional>

namespace geometry {

// A made belt of whole teeth on which the pulleys form a sound drive.
struct Belt {
    std::int64_t teeth;
    double code; // as printed on it
    OpenDrive drive;
};

// The belt of that many teeth, which must be sound on these pulleys.
Belt beltWithTeeth(double z1, double z2, const BeltProfile &profile, std::int64_t teeth);

// The shortest made belt on which these pulleys form a sound drive: the answer to "which belt
// at the least?". Nothing when the pulleys cannot be built or no code up to largestBeltCode
// is long enough.
std::optional<Belt> shortestBelt(double z1, double z2, const BeltProfile &profile);

// The sound belts with codes between firstCode and lastCode, as a range of tooth counts
// (empty when firstTeeth > lastTeeth). Their centre distance grows with their teeth.
struct BeltRange {
    std::int64_t firstTeeth;
    std::int64_t lastTeeth;
};
BeltRange beltsBetween(double z1, double z2, const BeltProfile &profile, double firstCode,
                       double lastCode);

// The sound belts between firstCode and lastCode whose true centre distance is nearest to the
// wanted one: the nearest below and the nearest above it. A belt that hits it exactly is
// `above`, with nothing `below`.
struct NearestBelts {
    std::optional<Belt> below;
    std::optional<Belt> above;
};
NearestBelts nearestBelts(double z1, double z2, const BeltProfile &profile, double wantedDistance,
                          double firstCode = 1, double lastCode = largestBeltCode);

} // namespace geometry
