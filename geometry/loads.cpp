#include "geometry/loads.h"

#include "published_tables.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <numbers>
#include <string>

namespace geometry {

namespace {

constexpr double inch = 25.4;                        // mm
constexpr double horsepower = 745.69987158227;       // W
constexpr double poundForce = 4.4482216152605;       // N
constexpr double radian = std::numbers::pi / 180;    // of a degree
constexpr double thousandFeetPerMinute = 304.8 / 60; // m/s

// The makers' mass constant M, lbf per (1000 ft/min)², in kg/m: M/5.80.
constexpr double massConstantUnit = poundForce / (thousandFeetPerMinute * thousandFeetPerMinute);

// The inch formulas' speed term d·r/1000 (in, rpm) of a belt running at 1 m/s.
constexpr double speedTerm = 60 / (std::numbers::pi * inch);

// One of the standard's ratings at its base width, as the pull the belt may carry:
// Ta − m·v² for the profiles rated in horsepower, 2·Qr/d − m·v² for MXL, rated by torque.
struct StandardRating {
    std::string_view profile;
    int width;             // the made width the formula is for (MXL's three); 0 for one base
    double baseWidth;      // in
    double allowedTension; // N
    double mass;           // kg/m
    double diameterTerm;   // N per square inch of pitch diameter (MXL)
};

// From the horsepower form HP = d·(r/1000)·(a − b·(d·r/1000)²): with v in m/s, d·r/1000 is
// speedTerm·v, so P = (Ta − m·v²)·v with Ta = hp·speedTerm·a and m = hp·speedTerm³·b.
constexpr StandardRating byPower(std::string_view profile, double baseWidth, double a, double b) {
    return {profile,
            0,
            baseWidth,
            horsepower * speedTerm * a,
            horsepower * speedTerm * speedTerm * speedTerm * b,
            0};
}

// MXL's mass per mm of width, kg/m, for the centrifugal term its torque formula leaves out.
constexpr double mxlUnitMass = [] {
    static_assert(beltProfiles.front().name == "MXL");
    return beltProfiles.front().unitMass / 1000;
}();

// From the torque form Qr = d·(a − b·d²) lbf·in: the pull 2·Qr/d is 2·(a − b·d²) lbf, less
// the belt's own m·v² as for the other profiles.
constexpr StandardRating byTorque(int width, double inches, double a, double b) {
    return {
        "MXL", width, inches, 2 * a * poundForce, mxlUnitMass * inches * inch, 2 * b * poundForce};
}

// The rating formulas of ISO 5295 and the inch belt standard as an engineering reference
// quotes them (hp, d in inches, r in rpm); MXL's torque formulas as a pulley maker's technical
// pages print them too. They give the 1.20 hp that a belt maker's rating table prints for 20
// grooves on a 1-inch L belt at 1160 rpm. Their base widths are read as the sixteenths that
// makers' tables print them at, unscaled: XL's 0.38 in is 3/8, MXL's 0.12 in 1/8.
constexpr std::array ratings{
    byTorque(12, 0.125, 1.13, 1.38e-3), byTorque(19, 0.1875, 1.88, 2.30e-3),
    byTorque(25, 0.25, 2.63, 3.21e-3),  byPower("XL", 0.375, 0.0916, 7.07e-5),
    byPower("L", 1.00, 0.436, 3.01e-4), byPower("H", 3.00, 3.73, 1.41e-3),
    byPower("XH", 4.00, 7.21, 4.68e-3), byPower("XXH", 5.00, 11.4, 7.81e-3),
};

// The widths of the makers' stock lists, hundredths of an inch.
struct MadeWidths {
    std::string_view profile;
    std::span<const int> widths;
};
constexpr int mxlWidths[] = {12, 19, 25};
constexpr int xlWidths[] = {25, 31, 37};
constexpr int lWidths[] = {50, 75, 100, 150};
constexpr int hWidths[] = {75, 100, 150, 200, 300};
constexpr int xhWidths[] = {200, 300, 400};
constexpr int xxhWidths[] = {200, 300, 400, 500};
constexpr MadeWidths madeWidthsOf[] = {
    {"MXL", mxlWidths}, {"XL", xlWidths}, {"L", lWidths},
    {"H", hWidths},     {"XH", xhWidths}, {"XXH", xxhWidths},
};

// The width in the name of an inch profile, hundredths of an inch; nothing for any other.
std::optional<int> inchWidth(const ProfileChoice &belt) {
    if (belt.profile->family != BeltFamily::inchTrapezoidal || belt.width.empty() ||
        !hasValidWidth(belt))
        return std::nullopt;
    return std::atoi(belt.width.c_str());
}

// A whole number of teeth in mesh that the geometry computes a hair short still counts whole.
constexpr double wholeTeethSlack = 1e-9;

} // namespace

std::optional<double> widthOf(const ProfileChoice &belt) {
    if (belt.width.empty() || !hasValidWidth(belt))
        return std::nullopt;
    if (const auto hundredths = inchWidth(belt)) {
        // A sixteenth within half a hundredth is the width meant: 037 is 3/8, 012 is 1/8.
        // In 1/1600 in, so that the comparison is exact.
        const int sixteenths = (*hundredths * 16 + 50) / 100;
        const int miss = std::abs(*hundredths * 16 - sixteenths * 100);
        const double inches = miss <= 8 ? sixteenths / 16.0 : *hundredths / 100.0;
        return inches * inch;
    }
    int millimetres = 0;
    std::from_chars(belt.width.data() + 1, belt.width.data() + belt.width.size(), millimetres);
    return millimetres;
}

std::optional<double> massPerMetre(const ProfileChoice &belt) {
    const auto width = widthOf(belt);
    if (!width || belt.profile->unitMass == 0)
        return std::nullopt;
    return belt.profile->unitMass * *width / 1000;
}

double spanFrequency(double tension, double massPerMetre, double span) {
    return std::sqrt(tension / massPerMetre) / (2 * span / 1000);
}

double tensionOfFrequency(double frequency, double massPerMetre, double span) {
    const double metres = span / 1000;
    return 4 * massPerMetre * metres * metres * frequency * frequency;
}

double spanDeflection(double span) {
    return span / 64;
}

double deflectionForce(double tension) {
    return tension / 16;
}

double deflectionForce(double tension, double span, double beltLength, double stiffness) {
    return (tension + span / beltLength * stiffness) / 16;
}

std::optional<TensionConstants> tensionConstants(const ProfileChoice &belt) {
    const auto width = widthOf(belt);
    if (!width)
        return std::nullopt;
    // Inch widths are printed as fractions, converted exactly on both sides.
    const auto found = std::ranges::find_if(published::tensionRows, [&](const auto &row) {
        return row.profile == belt.profile->name && std::abs(row.width - *width) < 1e-6;
    });
    if (found == published::tensionRows.end())
        return std::nullopt;
    std::optional<double> mass;
    if (found->massConstant > 0)
        mass = found->massConstant * massConstantUnit;
    return TensionConstants{mass, found->stiffness * poundForce, found->leastTension * poundForce,
                            found->beltMaker};
}

double shaftLoad(double tension, double wrap) {
    return 2 * tension * std::sin(wrap * radian / 2);
}

double beltSpeed(double pitchDiameter, double rpm) {
    return std::numbers::pi * pitchDiameter / 1000 * rpm / 60;
}

double effectivePull(double power, double speed) {
    return power / speed;
}

SideTensions sideTensions(double tension, double effectivePull) {
    return {tension + effectivePull / 2, tension - effectivePull / 2};
}

double leastStaticTension(double effectivePull, double massPerMetre, double speed) {
    return effectivePull / 2 + massPerMetre * speed * speed;
}

bool slackSideLeavesTeeth(double tension, double effectivePull, double massPerMetre, double speed) {
    return tension - effectivePull / 2 < massPerMetre * speed * speed;
}

namespace {

// The standard's rating at the width of the name, before the teeth in mesh.
double formulaRating(const ProfileChoice &belt, const RatedPulley &pulley) {
    const int hundredths = *inchWidth(belt);
    // MXL's own formula for its width where it has one; else the first, by the width factor.
    const auto ofProfile = [&](const StandardRating &rating) {
        return rating.profile == belt.profile->name;
    };
    const StandardRating *rating = &*std::ranges::find_if(ratings, ofProfile);
    double widthFactor = 1;
    const auto own = std::ranges::find_if(
        ratings, [&](const StandardRating &r) { return ofProfile(r) && r.width == hundredths; });
    if (own != ratings.end())
        rating = &*own;
    else
        widthFactor = std::pow(*widthOf(belt) / inch / rating->baseWidth, 1.14);

    const double speed = beltSpeed(pulley.pitchDiameter, pulley.rpm);
    const double diameter = pulley.pitchDiameter / inch;
    const double pull = rating->allowedTension - rating->mass * speed * speed -
                        rating->diameterTerm * diameter * diameter;
    return std::max(0.0, pull) * speed * widthFactor;
}

} // namespace

std::optional<InstallTension> installTension(const ProfileChoice &belt, double power,
                                             double serviceFactor, double speed,
                                             std::optional<double> mass) {
    const std::optional<TensionConstants> row = tensionConstants(belt);
    if (!row || !(row->mass || mass))
        return std::nullopt;
    const double pull = effectivePull(power, speed);
    // 20·HP/S lbf is 20/33 of the pull, 33000 ft·lbf/min being a horsepower; DQ/d is half the
    // design pull.
    const double working = row->beltMaker
                               ? 20.0 / 33 * pull
                               : (serviceFactor >= 1.3 ? 0.812 : 1.05) * serviceFactor * pull / 2;
    const double centrifugal = row->mass.value_or(mass.value_or(0)) * speed * speed;
    return InstallTension{std::max(working + centrifugal, row->leastTension), row->beltMaker};
}

bool hasRatingFormula(const BeltProfile &profile) {
    return !madeWidths(profile).empty();
}

std::span<const int> madeWidths(const BeltProfile &profile) {
    const auto found = std::ranges::find(madeWidthsOf, profile.name, &MadeWidths::profile);
    if (found == std::end(madeWidthsOf))
        return {};
    return found->widths;
}

bool isMadeWidth(const ProfileChoice &belt) {
    const auto width = inchWidth(belt);
    return width &&
           std::ranges::find(madeWidths(*belt.profile), *width) != madeWidths(*belt.profile).end();
}

std::optional<double> teethInMeshFactor(double teethInMesh) {
    const double whole = std::floor(teethInMesh + wholeTeethSlack);
    if (!(whole >= 2))
        return std::nullopt;
    return std::min(1.0, (whole - 1) / 5);
}

Rating rateBelt(const ProfileChoice &belt, const RatedPulley &pulley) {
    const bool formula = hasRatingFormula(*belt.profile);
    if (!formula && !hasRatingTable(*belt.profile))
        return {{}, {}, RatingEnd::noTable};
    if (!widthOf(belt))
        return {{}, {}, RatingEnd::noWidth};
    const auto share = teethInMeshFactor(pulley.teethInMesh);
    if (!share)
        return {{}, {}, RatingEnd::tooFewTeeth};
    Rating rating =
        formula ? Rating{formulaRating(belt, pulley)} : published::rateTable(belt, pulley);
    if (rating.power)
        *rating.power *= *share;
    return rating;
}

std::optional<double> ratedPower(const ProfileChoice &belt, const RatedPulley &pulley) {
    return rateBelt(belt, pulley).power;
}

std::optional<WidthChoice> narrowestWidth(const ProfileChoice &belt, const RatedPulley &pulley,
                                          double power, double serviceFactor) {
    const double asked = power * serviceFactor;
    std::vector<ProfileChoice> widths;
    for (int hundredths : madeWidths(*belt.profile)) {
        std::string width = std::to_string(hundredths);
        width.insert(0, 3 - width.size(), '0');
        widths.push_back({belt.profile, width});
    }
    for (int millimetres : printedWidths(belt))
        widths.push_back({belt.profile, "-" + std::to_string(millimetres), belt.line});
    for (ProfileChoice &width : widths) {
        const auto rating = ratedPower(width, pulley);
        if (rating && *rating >= asked)
            return WidthChoice{std::move(width), *rating, *rating / asked};
    }
    return std::nullopt;
}

} // namespace geometry
