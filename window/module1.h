#pragma once

#include "common/window_profiles.h"

#include <cstdint>

// The window's state that outlives a handler: the belt profile chosen with the option
// buttons, and its pitch, set together.
namespace Module1 {

// The chosen profile, one of the window's two.
extern const common::WindowProfile *ChosenProfile;
// Pitch of the chosen profile, in millimetres.
extern double BeltPitch;

// Chooses XL037, as the window does when it loads.
void initialisePitch();

// Chooses the profile of that option button; an index with none changes nothing and
// returns false.
bool selectProfile(std::int16_t index);

} // namespace Module1
