#include "geometry/belt_profile.h"

#include "published_tables.h"

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
    {"GT2", "2GT"},  {"2MGT", "2GT"}, {"GT3", "3GT"},    {"3MGT", "3GT"},   {"GT5", "5GT"},
    {"5MGT", "5GT"}, {"GT8", "8GT"},  {"8MGT", "8GT"},   {"GT14", "14GT"},  {"14MGT", "14GT"},
    {"HTD3M", "3M"}, {"HTD5M", "5M"}, {"HTD8M", "8M"},   {"HTD14M", "14M"}, {"3MHTD", "3M"},
    {"5MHTD", "5M"}, {"8MHTD", "8M"}, {"14MHTD", "14M"}, {"T2,5", "T2.5"},  {"T2.5MM", "T2.5"},
};

// Every other spelling names a profile of the table.
const BeltProfile &profileNamed(std::string_view name) {
    return *std::ranges::find(beltProfiles, name, &BeltProfile::name);
}

bool isDigits(std::string_view text) {
    return !text.empty() && std::ranges::all_of(text, [](char c) {
        return std::isdigit(static_cast<unsigned char>(c));
    });
}

// A width of digits with no leading zero, or exactly three for an inch one, within bounds.
bool widthWithin(std::string_view digits, std::size_t figures, int least, int most) {
    if (!isDigits(digits) ||
        (figures ? digits.size() != figures : digits.size() > 3 || digits.front() == '0'))
        return false;
    int value = 0;
    std::from_chars(digits.data(), digits.data() + digits.size(), value);
    return value >= least && value <= most;
}

std::string withoutTrailingZeros(double value) {
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed).ptr;
    return {text, end};
}

bool equalIgnoringCase(std::string_view a, std::string_view b) {
    return std::ranges::equal(
        a, b, [](unsigned char x, unsigned char y) { return std::toupper(x) == std::toupper(y); });
}

// The whole code that a length rounds to, halves up.
double wholeCode(double length) {
    return std::floor(length + 0.5);
}

double lengthOf(const BeltProfile &profile, std::int64_t teeth) {
    return static_cast<double>(teeth) * profile.codePerTooth;
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

    // A belt line after the width, spelt as its tables spell it where it is one of them.
    std::string width = upper.substr(length), line;
    if (const std::size_t slash = width.find('/'); slash != std::string::npos) {
        line = width.substr(slash + 1);
        width.erase(slash);
        for (const published::BeltLine &known : published::beltLines)
            if (known.profile == found->name && equalIgnoringCase(known.line, line))
                line = known.line;
    }
    return ProfileChoice{found, width, line};
}

bool hasValidWidth(const ProfileChoice &choice) {
    const std::string_view width = choice.width;
    const auto isLine = [&](const published::BeltLine &known) {
        return known.profile == choice.profile->name && known.line == choice.line;
    };
    if (!choice.line.empty() && std::ranges::none_of(published::beltLines, isLine))
        return false;
    if (width.empty())
        return true;
    if (choice.profile->family == BeltFamily::inchTrapezoidal)
        return widthWithin(width, 3, 10, 500);
    return width.starts_with('-') && widthWithin(width.substr(1), 0, 1, 500);
}

double beltCode(const BeltProfile &profile, std::int64_t teeth) {
    const double length = lengthOf(profile, teeth);
    if (profile.family != BeltFamily::inchTrapezoidal)
        return length;
    const double code = wholeCode(length);
    if (wholeCode(lengthOf(profile, teeth - 1)) == code ||
        wholeCode(lengthOf(profile, teeth + 1)) == code)
        return std::round(length * 10) / 10; // to a tenth, as the reader reads it back
    return code;
}

double beltPitchLength(const BeltProfile &profile, std::int64_t teeth) {
    return static_cast<double>(teeth) * profile.pitch;
}

std::vector<std::int64_t> teethOfCode(const BeltProfile &profile, double code) {
    if (!(code >= 1 && code <= static_cast<double>(largestBeltCode)))
        return {};
    const bool inch = profile.family == BeltFamily::inchTrapezoidal;
    const std::int64_t nearest = std::llround(code / profile.codePerTooth);
    std::vector<std::int64_t> named;
    for (std::int64_t teeth = std::max<std::int64_t>(nearest - 1, 1); teeth <= nearest + 1;
         ++teeth) {
        const double printed = beltCode(profile, teeth);
        const double length = lengthOf(profile, teeth);
        const bool halfRoundedDown =
            inch && length - std::floor(length) == 0.5 && std::floor(length) == code;
        const bool sharedWholeCode = printed != std::floor(printed) && wholeCode(length) == code;
        if (printed == code || halfRoundedDown || sharedWholeCode)
            named.push_back(teeth);
    }
    return named;
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
    const std::string &width = choice.width;
    const BeltFamily family = choice.profile->family;
    if (family == BeltFamily::inchTrapezoidal)
        return code + name + width;
    if (family == BeltFamily::metricTrapezoidal || family == BeltFamily::metricWideTooth)
        return name + "-" + code + width;
    return code + "-" + name + width;
}

std::string profileName(const ProfileChoice &choice) {
    std::string name = std::string(choice.profile->name) + choice.width;
    if (!choice.line.empty())
        name += "/" + choice.line;
    return name;
}

} // namespace geometry
