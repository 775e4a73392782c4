#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace Module1 {
// Pitch of the belt profile chosen in the window, in millimetres.
extern double BeltPitch;
} // namespace Module1

namespace geometry {

// The window's two belt profiles, in the order of its option buttons.
struct WindowProfile {
    std::string_view name;
    double pitch; // mm
    // The code printed on an inch-series belt is its pitch length in tenths of an inch.
    double codePerTooth;
    // Whether the tooth count is rounded to whole teeth: codes of coarse profiles are
    // rounded lengths, so the code divided by codePerTooth is not a whole number.
    bool wholeTeeth;
};

inline constexpr std::array<WindowProfile, 2> windowProfiles{{
    {"XL037", 5.08, 2.0, false},
    {"L075", 9.525, 3.75, true},
}};

void initialisePitch();

// Throws std::out_of_range for an index with no profile.
void selectProfile(std::int16_t index);

// The window's profile of the given pitch, or nullptr when none has it.
const WindowProfile *windowProfileWithPitch(double pitch);

// The teeth of a belt from its printed code as the window counts them, for the profile of the
// given pitch; a pitch of no known profile counts two code units a tooth.
double beltTeeth(double beltCode, double pitch);

} // namespace geometry
