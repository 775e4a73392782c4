#include "geometry/current_pitch.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>

namespace Module1 {
double BeltPitch = geometry::windowProfiles[0].pitch;
} // namespace Module1

namespace geometry {

void initialisePitch() {
    Module1::BeltPitch = windowProfiles[0].pitch;
}

void selectProfile(std::int16_t index) {
    if (index < 0 || static_cast<std::size_t>(index) >= windowProfiles.size())
        throw std::out_of_range("no belt profile has index " + std::to_string(index));
    Module1::BeltPitch = windowProfiles[static_cast<std::size_t>(index)].pitch;
}

const WindowProfile *windowProfileWithPitch(double pitch) {
    const auto profile = std::ranges::find(windowProfiles, pitch, &WindowProfile::pitch);
    return profile == windowProfiles.end() ? nullptr : &*profile;
}

double beltTeeth(double beltCode, double pitch) {
    const WindowProfile *profile = windowProfileWithPitch(pitch);
    if (!profile || !profile->wholeTeeth)
        return beltCode / 2;
    return std::round(beltCode / profile->codePerTooth);
}

} // namespace geometry
