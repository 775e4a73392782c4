#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace geometry {

// How the makers of a family print a belt's code and what its code measures.
enum class BeltFamily {
    inchTrapezoidal,   // 150XL: the pitch length in tenths of an inch, then the profile
    metricTrapezoidal, // T5-500: the profile, then the pitch length in mm
    metricWideTooth,   // AT10-1010
    curvilinear,       // 600-5M: the pitch length in mm, then the profile
    gt,                // 200-2GT
};

// A profile of toothed belt as made: its pitch and what the number printed on it means.
struct BeltProfile {
    std::string_view name;
    BeltFamily family;
    double pitch;        // mm
    double codePerTooth; // code units in one tooth: tenths of an inch or millimetres
};

inline constexpr std::array<BeltProfile, 20> beltProfiles{{
    {"MXL", BeltFamily::inchTrapezoidal, 2.032, 0.8},
    {"XL", BeltFamily::inchTrapezoidal, 5.08, 2.0},
    {"L", BeltFamily::inchTrapezoidal, 9.525, 3.75},
    {"H", BeltFamily::inchTrapezoidal, 12.7, 5.0},
    {"XH", BeltFamily::inchTrapezoidal, 22.225, 8.75},
    {"XXH", BeltFamily::inchTrapezoidal, 31.75, 12.5},
    {"T2.5", BeltFamily::metricTrapezoidal, 2.5, 2.5},
    {"T5", BeltFamily::metricTrapezoidal, 5.0, 5.0},
    {"T10", BeltFamily::metricTrapezoidal, 10.0, 10.0},
    {"T20", BeltFamily::metricTrapezoidal, 20.0, 20.0},
    {"AT5", BeltFamily::metricWideTooth, 5.0, 5.0},
    {"AT10", BeltFamily::metricWideTooth, 10.0, 10.0},
    {"AT20", BeltFamily::metricWideTooth, 20.0, 20.0},
    {"3M", BeltFamily::curvilinear, 3.0, 3.0},
    {"5M", BeltFamily::curvilinear, 5.0, 5.0},
    {"8M", BeltFamily::curvilinear, 8.0, 8.0},
    {"14M", BeltFamily::curvilinear, 14.0, 14.0},
    {"2GT", BeltFamily::gt, 2.0, 2.0},
    {"3GT", BeltFamily::gt, 3.0, 3.0},
    {"5GT", BeltFamily::gt, 5.0, 5.0},
}};

// A profile as the user names it: the width that may follow the name (037 in XL037, 10 in
// T5-10) is kept for printing and plays no part in the geometry.
struct ProfileChoice {
    const BeltProfile *profile;
    std::string width;
};

// Reads a profile's name in any case and with the usual spellings (GT2 and 2MGT for 2GT,
// HTD5M for 5M), a width after it: digits, after a dash for the metric ones. Nothing for
// any other text.
std::optional<ProfileChoice> readProfile(std::string_view typed);

// The largest belt code that a typed value can hold (the range of the number reader); no
// belt is made with a larger one.
inline constexpr std::int64_t largestBeltCode = 922'337'203'685'477;

// The code printed on a belt of that many teeth: teeth times the code units of a tooth;
// inch codes to the nearest whole number, halves rounded down (40 L teeth are 150L, 50 are
// 187L), metric ones exact (71 T2.5 teeth are 177.5 mm).
double beltCode(const BeltProfile &profile, std::int64_t teeth);

// The teeth of the made belt with that code, or nothing when no made belt has it.
std::optional<std::int64_t> teethOfCode(const BeltProfile &profile, double code);

// The most teeth of a belt whose code is at most largestBeltCode.
std::int64_t mostTeeth(const BeltProfile &profile);

// The belt as its makers print it: 150XL037, T5-500-10, 600-5M-15.
std::string beltName(const ProfileChoice &choice, std::int64_t teeth);

// The profile as the user chose it: XL037, T5-10.
std::string profileName(const ProfileChoice &choice);

} // namespace geometry
