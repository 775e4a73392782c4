#include "common/window_profiles.h"

#include <algorithm>
#include <cmath>

namespace common {

const WindowProfile *windowProfileOf(const geometry::BeltProfile &profile) {
    const auto found = std::ranges::find(windowProfiles, &profile, &WindowProfile::profile);
    return found == windowProfiles.end() ? nullptr : &*found;
}

double windowBeltTeeth(double beltCode, const WindowProfile &profile) {
    // XL's two code units a tooth divide every code exactly.
    if (profile.profile == windowProfiles[0].profile)
        return beltCode / 2;
    return std::round(beltCode / profile.profile->codePerTooth);
}

} // namespace common
