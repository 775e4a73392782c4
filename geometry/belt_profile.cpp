#include "geometry/belt_profile.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>

namespace Module1 {
double BeltPitch = geometry::beltProfiles[0].pitch;
} // namespace Module1

namespace geometry {

void initialisePitch() {
    Module1::BeltPitch = beltProfiles[0].pitch;
}

void selectProfile(std::int16_t index) {
    if (index < 0 || static_cast<std::size_t>(index) >= beltProfiles.size())
        throw std::out_of_range("no belt profile has index " + std::to_string(index));
    Module1::BeltPitch = beltProfiles[static_cast<std::size_t>(index)].pitch;
}

double beltTeeth(double beltCode, double pitch) {
    const auto profile = std::ranges::find(beltProfiles, pitch, &BeltProfile::pitch);
    if (profile == beltProfiles.end() || !profile->wholeTeeth)
        return beltCode / 2;
    return std::round(beltCode / profile->codePerTooth);
}

} // namespace geometry
