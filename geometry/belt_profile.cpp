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

const BeltProfile *profileWithPitch(double pitch) {
    const auto profile = std::ranges::find(beltProfiles, pitch, &BeltProfile::pitch);
    return profile == beltProfiles.end() ? nullptr : &*profile;
}

double beltTeeth(double beltCode, double pitch) {
    const BeltProfile *profile = profileWithPitch(pitch);
    if (!profile || !profile->wholeTeeth)
        return beltCode / 2;
    return std::round(beltCode / profile->codePerTooth);
}

} // namespace geometry
