#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace geometry {

// How the makers of a family print a belt's code and what its code measures.
enum class BeltFamily {
    inchTrapezoidal,   // 150XL: the pitch length in tenths of an inch, then the profile
    metricTrapezoidal, // T5-500: the profile, then the pitch length in mm
    metricWideTooth,   // AT10-1010
    curvilinear,       // 600-5M: the pitch length in mm, then the profile
    gt,                // 200-2GT
};

// A profile of toothed belt as made: its pitch, what the number printed on it means, and
// what its pulleys need.
struct BeltProfile {
    std::string_view name;
    BeltFamily family;
    double pitch;           // mm
    double codePerTooth;    // code units in one tooth: tenths of an inch or millimetres
    double pitchLineOffset; // mm from the belt's pitch line in to the pulley's outside circle
    int smallestPulley;     // the fewest teeth its makers recommend on a pulley
    double thickness;       // mm, the belt's back to its teeth's tips; 0 where none is published
    double toothHeight;     // mm; 0 where none is published
    // The smallest idlers one maker publishes: grooved on the teeth (teeth), flat on the teeth
    // (outside diameter, mm) and on the back (outside diameter, mm); 0 where none is published.
    int smallestGroovedIdler;
    double smallestFlatIdler;
    double smallestBackIdler;
    double unitMass; // g per metre per mm of width; 0 where none is published
};

// Offsets are half the pitch line differential of the makers' published pulley tables (the
// outside diameter is the pitch diameter less twice the offset), which follow ISO 5294 for
// the inch profiles and DIN 7721 for T; the smallest pulleys are those their design manuals
// recommend.
// Thickness and tooth height: for the inch profiles the standard's belt sections as a belt
// maker's design pages print them in inches (ISO 5296 has the same sections); for T2.5, T5 and
// T10 a maker's handbook (DIN 7721's figures); for the curvilinear profiles a maker's table of
// ISO 13050's tooth dimensions; for 2, 3 and 5 mm GT a maker's handbook. None was found for
// T20, the AT profiles and 8 and 14 mm GT. The smallest idlers are one maker's, in inches.
// Unit masses, by the first kind of source that has one: a maker's tension-meter table (XL to
// XXH, 8M, 14M), a maker's mass constants (3M, 5M, 2, 3 and 5 mm GT; the tension-meter table's
// 5.8 for 5M is 1.7 to 1.9 times every other published 5M mass), a maker's catalogue of
// polyurethane belts in kg/m by width (T5, T20, AT5, AT20); for MXL the mass with which the
// standard's torque formula meets every cell of a pulley maker's MXL table within 1 %. None
// was found for T2.5, T10, AT10 and 8 and 14 mm GT.
inline constexpr std::array<BeltProfile, 22> beltProfiles{{
    {"MXL", BeltFamily::inchTrapezoidal, 2.032, 0.8, 0.254, 12, 1.143, 0.508, 0, 0, 0, 0.92},
    {"XL", BeltFamily::inchTrapezoidal, 5.08, 2.0, 0.254, 10, 2.286, 1.27, 12, 2.50 * 25.4,
     1.00 * 25.4, 2.4},
    {"L", BeltFamily::inchTrapezoidal, 9.525, 3.75, 0.381, 12, 3.556, 1.905, 10, 4.75 * 25.4,
     1.60 * 25.4, 3.2},
    {"H", BeltFamily::inchTrapezoidal, 12.7, 5.0, 0.686, 14, 4.064, 2.286, 14, 6.38 * 25.4,
     2.88 * 25.4, 3.9},
    {"XH", BeltFamily::inchTrapezoidal, 22.225, 8.75, 1.397, 18, 11.176, 6.35, 0, 0, 0, 11.3},
    {"XXH", BeltFamily::inchTrapezoidal, 31.75, 12.5, 1.524, 18, 15.748, 9.525, 0, 0, 0, 14.9},
    {"T2.5", BeltFamily::metricTrapezoidal, 2.5, 2.5, 0.3, 10, 1.3, 0.7, 0, 0, 0, 0},
    {"T5", BeltFamily::metricTrapezoidal, 5.0, 5.0, 0.5, 10, 2.2, 1.2, 0, 0, 0, 2.1},
    {"T10", BeltFamily::metricTrapezoidal, 10.0, 10.0, 1.0, 12, 4.5, 2.5, 0, 0, 0, 0},
    {"T20", BeltFamily::metricTrapezoidal, 20.0, 20.0, 1.5, 15, 0, 0, 0, 0, 0, 7.3},
    {"AT5", BeltFamily::metricWideTooth, 5.0, 5.0, 0.75, 15, 0, 0, 0, 0, 0, 3.4},
    {"AT10", BeltFamily::metricWideTooth, 10.0, 10.0, 1.0, 15, 0, 0, 0, 0, 0, 0},
    {"AT20", BeltFamily::metricWideTooth, 20.0, 20.0, 1.5, 18, 0, 0, 0, 0, 0, 9.7},
    {"3M", BeltFamily::curvilinear, 3.0, 3.0, 0.381, 10, 2.4, 1.21, 0, 0, 0, 1.95},
    {"5M", BeltFamily::curvilinear, 5.0, 5.0, 0.5715, 14, 3.8, 2.08, 14, 2.50 * 25.4, 1.25 * 25.4,
     3.1},
    {"8M", BeltFamily::curvilinear, 8.0, 8.0, 0.686, 22, 6.0, 3.38, 22, 4.00 * 25.4, 2.80 * 25.4,
     5.5},
    {"14M", BeltFamily::curvilinear, 14.0, 14.0, 1.397, 28, 10.0, 6.02, 28, 7.00 * 25.4,
     6.50 * 25.4, 9.7},
    {"2GT", BeltFamily::gt, 2.0, 2.0, 0.254, 12, 1.52, 0.76, 0, 0, 0, 1.1},
    {"3GT", BeltFamily::gt, 3.0, 3.0, 0.381, 16, 2.41, 1.14, 0, 0, 0, 2.2},
    {"5GT", BeltFamily::gt, 5.0, 5.0, 0.5715, 18, 3.81, 1.93, 0, 0, 0, 3.2},
    {"8GT", BeltFamily::gt, 8.0, 8.0, 0.686, 22, 0, 0, 0, 0, 0, 0},
    {"14GT", BeltFamily::gt, 14.0, 14.0, 1.397, 28, 0, 0, 0, 0, 0, 0},
}};

// A profile as the user names it, with the width that may follow the name as it was typed
// (037 in XL037, -10 in T5-10): kept for printing and for the belt's mass and rating (loads.h);
// it plays no part in the geometry.
struct ProfileChoice {
    const BeltProfile *profile;
    std::string width;
    // The makers' belt line asked for after the width (GT3 in 5GT-15/GT3), where a profile is
    // rated by two; empty for either.
    std::string line = {};
    bool operator==(const ProfileChoice &) const = default;
};

// Reads a profile's name in any case and with the usual spellings (GT2 and 2MGT for 2GT,
// HTD5M for 5M), and what follows it as its width, then a belt line after a slash (5GT-15/GT3).
// Nothing when no profile has that name.
std::optional<ProfileChoice> readProfile(std::string_view typed);

// Whether the width is written as its makers write it: three digits in hundredths of an inch
// right after an inch profile's name (XL037), from 010 to 500; whole millimetres after a dash
// for a metric one (T5-10), from 1 to 500; or no width at all. And whether a line after it is
// one of the profile's.
bool hasValidWidth(const ProfileChoice &choice);

// The largest belt code that a typed value can hold (the range of the number reader); no
// belt is made with a larger one.
inline constexpr std::int64_t largestBeltCode = 922'337'203'685'477;

// The code printed on a belt of that many teeth: teeth times the code units of a tooth.
// Metric codes are exact (71 T2.5 teeth are 177.5 mm). Inch codes are rounded to whole
// numbers, halves up as makers' drive tables print them (54 L teeth, 202.5, are 203L);
// where two tooth counts round to the same whole code, as every fifth pair of MXL belts
// does, each is printed to a tenth instead (1942 and 1943 MXL teeth are 1553.6 and 1554.4).
double beltCode(const BeltProfile &profile, std::int64_t teeth);

// The teeth of the made belts that a printed code names: one; none when no made belt has
// it; or two for a whole code that two belts round to. An inch code whose exact length ends
// in a half reads rounded either way, as stock lists print some of them (202L and 203L are
// both 54 teeth).
std::vector<std::int64_t> teethOfCode(const BeltProfile &profile, double code);

// A belt's pitch length in mm: the one figure that every list, place and difference shows.
double beltPitchLength(const BeltProfile &profile, std::int64_t teeth);

// The most teeth of a belt whose code is at most largestBeltCode.
std::int64_t mostTeeth(const BeltProfile &profile);

// The belt as its makers print it: 150XL037, T5-500-10, 600-5M-15.
std::string beltName(const ProfileChoice &choice, std::int64_t teeth);

// The profile as the user chose it: XL037, T5-10.
std::string profileName(const ProfileChoice &choice);

} // namespace geometry
