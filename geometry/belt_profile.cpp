#include "geometry/belt_profile.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>

namespace geometry {

namespace {

struct Spelling {
    std::string_view typed;
    std::string_view name;
};

constexpr Spelling otherSpellings[] = {
    {"GT2", "2GT"},  {"2MGT", "2GT"}, {"GT3", "3GT"},  {"3MGT", "3GT"}, {"GT5", "5GT"},
    {"5MGT", "5GT"}, {"HTD3M", "3M"}, {"HTD5M", "5M"}, {"HTD8M", "8M"}, {"HTD14M", "14M"},
};

// Every other spelling names a profile of the table.
const BeltProfile &profileNamed(std::string_view name) {
    return *std::ranges::find(beltProfiles, name, &BeltProfile::name);
}

bool isWidth(std::string_view text) {
    return !text.empty() && std::ranges::all_of(text, [](char c) {
        return std::isdigit(static_cast<unsigned char>(c));
    });
}

std::string withoutTrailingZeros(double value) {
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed).ptr;
    return {text, end};
}

// Inch widths follow the name directly (XL037), metric ones after a dash (T5-10).
std::string widthAfterName(const ProfileChoice &choice) {
    if (choice.width.empty())
        return {};
    return (choice.profile->family == BeltFamily::inchTrapezoidal ? "" : "-") + choice.width;
}

} // namespace

std::optional<ProfileChoice> readProfile(std::string_view typed) {
    std::string upper(typed);
    std::ranges::transform(upper, upper.begin(),
                           [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    // The longest spelling that starts the text, so that XL037 is XL and not L.
    const BeltProfile *found = nullptr;
    std::size_t length = 0;
    const auto consider = [&](std::string_view spelling, std::string_view name) {
        if (spelling.size() > length && upper.starts_with(spelling)) {
            found = &profileNamed(name);
            length = spelling.size();
        }
    };
    for (const BeltProfile &profile : beltProfiles)
        consider(profile.name, profile.name);
    for (const Spelling &spelling : otherSpellings)
        consider(spelling.typed, spelling.name);
    if (!found)
        return std::nullopt;

    std::string_view rest = std::string_view(upper).substr(length);
    const bool dashed = rest.starts_with('-');
    if (dashed)
        rest.remove_prefix(1);
    else if (!rest.empty() && found->family != BeltFamily::inchTrapezoidal)
        return std::nullopt;
    if ((dashed || !rest.empty()) && !isWidth(rest))
        return std::nullopt;
    return ProfileChoice{found, std::string(rest)};
}

double beltCode(const BeltProfile &profile, std::int64_t teeth) {
    const double length = static_cast<double>(teeth) * profile.codePerTooth;
    return profile.family == BeltFamily::inchTrapezoidal ? std::ceil(length - 0.5) : length;
}

std::optional<std::int64_t> teethOfCode(const BeltProfile &profile, double code) {
    if (!(code >= 1 && code <= static_cast<double>(largestBeltCode)))
        return std::nullopt;
    const std::int64_t teeth = std::llround(code / profile.codePerTooth);
    if (teeth < 1 || beltCode(profile, teeth) != code)
        return std::nullopt;
    return teeth;
}

std::int64_t mostTeeth(const BeltProfile &profile) {
    auto teeth =
        static_cast<std::int64_t>(static_cast<double>(largestBeltCode) / profile.codePerTooth) + 1;
    while (beltCode(profile, teeth) > static_cast<double>(largestBeltCode))
        --teeth;
    return teeth;
}

std::string beltName(const ProfileChoice &choice, std::int64_t teeth) {
    const std::string code = withoutTrailingZeros(beltCode(*choice.profile, teeth));
    const std::string name(choice.profile->name);
    const std::string width = widthAfterName(choice);
    const BeltFamily family = choice.profile->family;
    if (family == BeltFamily::inchTrapezoidal)
        return code + name + width;
    if (family == BeltFamily::metricTrapezoidal || family == BeltFamily::metricWideTooth)
        return name + "-" + code + width;
    return code + "-" + name + width;
}

std::string profileName(const ProfileChoice &choice) {
    return std::string(choice.profile->name) + widthAfterName(choice);
}

} // namespace geometry
