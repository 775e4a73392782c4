#pragma once

#include "geometry/belt_profile.h"

#include <array>
#include <string_view>

namespace common {

// A profile of the window's option buttons: a row of the library's table, and the width its
// caption gives it.
struct WindowProfile {
    const geometry::BeltProfile *profile;
    std::string_view width;

    geometry::ProfileChoice choice() const { return {profile, std::string(width)}; }
};

// The window's two profiles, in the order of its option buttons.
inline constexpr std::array<WindowProfile, 2> windowProfiles{{
    {&geometry::beltProfiles[1], "037"},
    {&geometry::beltProfiles[2], "075"},
}};
static_assert(windowProfiles[0].profile->name == "XL" && windowProfiles[1].profile->name == "L");

// The window's profile that a profile is, if it is one.
const WindowProfile *windowProfileOf(const geometry::BeltProfile &profile);

// The teeth of a belt as the window reads them from its code: for XL the code over two, as
// typed, decimals and all; for L, whose codes are rounded lengths, the nearest whole number
// of teeth (150L has 40).
double windowBeltTeeth(double beltCode, const WindowProfile &profile);

} // namespace common
