#include "window/module1.h"

namespace Module1 {

const common::WindowProfile *ChosenProfile = &common::windowProfiles[0];
double BeltPitch = common::windowProfiles[0].profile->pitch;

void initialisePitch() {
    selectProfile(0);
}

bool selectProfile(std::int16_t index) {
    if (index < 0 || static_cast<std::size_t>(index) >= common::windowProfiles.size())
        return false;
    ChosenProfile = &common::windowProfiles[static_cast<std::size_t>(index)];
    BeltPitch = ChosenProfile->profile->pitch;
    return true;
}

} // namespace Module1
